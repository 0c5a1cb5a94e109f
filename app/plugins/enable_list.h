#pragma once

#include <string>
#include <vector>

// The enable list "enable.txt" is read as one text: a plug-in is switched on when
// its DLL's file name occurs anywhere in it, byte for byte and case-sensitively, so
// "wallpaper.dll" also switches on "paper.dll". Both are code page 932 text, and a
// match must start at a character: the trail byte of a double-byte character (for
// example the "A" in "ア", 0x83 0x41) does not begin a name.
bool IsNamedInEnableList(const char* text, const char* fileName);

// The enable list after the user's choice on the plug-in page: `oldText` is the
// list as it was read, `folderDlls` the DLLs of the plug-in folder and `ticked` those
// of them to switch on, in list order. The ticked names go one per line where the
// first line naming a DLL of the folder stood (at the end when none did); every
// line that names none of them (a DLL that is not there now, a name in other
// letters, a note of the user's) keeps its place. Lines end in CR LF.
std::string MergeEnableList(const char* oldText, const std::vector<std::string>& folderDlls,
                            const std::vector<std::string>& ticked);
