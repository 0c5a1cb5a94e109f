#pragma once

// Stepping through code page 932 text. A Shift-JIS trail byte can be 0x5C, the
// backslash, so a byte-wise scan would cut names such as "表示" in half: these
// helpers step over double-byte characters as a whole.

// True for the first byte of a double-byte character in code page 932.
bool IsCp932LeadByte(unsigned char byte);

// The character after the one at `p` (which is not the terminator). A lead byte
// followed by the terminator counts as a character of its own.
const char* NextCp932Char(const char* p);

// The last backslash of a zero-terminated path that is a character of its own,
// or nullptr when there is none.
const char* FindLastBackslash(const char* path);
