#pragma once

#include <cstdint>

// Numbers stored little-endian in the file formats the program reads, taken byte
// by byte so that the host's byte order and alignment do not matter.

inline uint16_t ReadUint16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t ReadUint32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int16_t ReadInt16(const uint8_t* p) { return static_cast<int16_t>(ReadUint16(p)); }

inline int32_t ReadInt32(const uint8_t* p) { return static_cast<int32_t>(ReadUint32(p)); }
