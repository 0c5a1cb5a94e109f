#pragma once

// Resource ids of the skinned dialogs; skins.rc uses the same numbers.
constexpr int kMessageSkinId = 110;    // type "MAG": the message dialog, 320 x 160
constexpr int kSkinDialogId = 111;     // dialog template of both skinned dialogs
constexpr int kCustomizeSkinId = 116;  // type "MAG": the customize dialog, 400 x 400
constexpr char kSkinResourceType[] = "MAG";
