#pragma once

// The enable list "enable.txt" is read as one text: a plug-in is switched on when
// its DLL's file name occurs anywhere in it, byte for byte and case-sensitively, so
// "wallpaper.dll" also switches on "paper.dll". Both are code page 932 text, and a
// match must start at a character: the trail byte of a double-byte character (for
// example the "A" in "ア", 0x83 0x41) does not begin a name.
bool IsNamedInEnableList(const char* text, const char* fileName);
