#pragma once

#include <cstddef>
#include <vector>

// Reads at most `maxBytes` from the start of a file into `bytes`: the whole file
// when it is smaller. The file is opened and closed within the call. Returns
// false when it cannot be opened or read.
bool ReadFileBytes(const char* path, size_t maxBytes, std::vector<unsigned char>* bytes);
