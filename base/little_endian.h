#pragma once

#include <cstdint>
#include <vector>

// Numbers stored little-endian in the file formats the program reads and the
// tools write, taken byte by byte so that the host's byte order and alignment do
// not matter.

inline uint16_t ReadUint16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t ReadUint32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int16_t ReadInt16(const uint8_t* p) { return static_cast<int16_t>(ReadUint16(p)); }
inline int32_t ReadInt32(const uint8_t* p) { return static_cast<int32_t>(ReadUint32(p)); }

inline void WriteUint16(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteUint32(uint8_t* p, uint32_t value) {
  WriteUint16(p, value);
  WriteUint16(p + 2, value >> 16);
}

inline void AppendUint16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void AppendUint32(std::vector<uint8_t>& out, uint32_t value) {
  AppendUint16(out, value);
  AppendUint16(out, value >> 16);
}
