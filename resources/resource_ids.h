#pragma once

// The ids that Kelvane.exe's resource scripts and its code share. The resource
// compiler reads the #define lines; the type names below them are for C++ only.

#define IDR_REGION 104          // type "RGN": the window outline
#define IDB_DIAL 105            // bitmap: the built-in dial, magenta transparent
#define IDR_CONTEXT_MENU 106    // the clock's context menu
#define IDR_MESSAGE_SKIN 110    // type "MAG": the message dialog, 320 x 160
#define IDD_SKINNED 111         // dialog template of both skinned dialogs
#define IDR_CUSTOMIZE_SKIN 116  // type "MAG": the customize dialog, 400 x 400
#define IDI_CLOCK 118           // the notification-area icon
// The built-in dial drawn for the larger faces of 120, 144, 168 and 192 DPI.
#define IDB_DIAL_400 119  // 400 x 400
#define IDB_DIAL_250 120  // 250 x 250
#define IDB_DIAL_300 121  // 300 x 300
#define IDB_DIAL_350 122  // 350 x 350

// Commands of the context menu.
#define IDM_CLOSE 40001
#define IDM_CUSTOMIZE 40002
#define IDM_NORMAL 40004
#define IDM_TOPMOST 40005
#define IDM_BOTTOM 40006
#define IDM_AUTOHIDE 40008
#define IDM_HIDE 40009
#define IDM_LOCK 40010
#define IDM_HIDE_FULLSCREEN 40011
#define IDM_CLICK_THROUGH 40012
// The opacities, 100 % first; each one's percentage is kOpacities[id - IDM_OPACITY_100].
#define IDM_OPACITY_100 40013
#define IDM_OPACITY_90 40014
#define IDM_OPACITY_75 40015
#define IDM_OPACITY_50 40016

#ifndef RC_INVOKED
constexpr int kOpacities[] = {100, 90, 75, 50};
constexpr char kRegionResourceType[] = "RGN";
constexpr char kSkinResourceType[] = "MAG";
#endif
