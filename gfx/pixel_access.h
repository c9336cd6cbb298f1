// pixel_access.h: reading and writing one raw pixel of 1 to 4 bytes.
#pragma once

#include <cstdint>
#include <cstring>

#include "gfx/bmp.h"

namespace cbst {

inline std::uint32_t LoadPixel(const std::uint8_t* at, int bytes) {
  switch (bytes) {
    case 2: {
      std::uint16_t value;
      std::memcpy(&value, at, 2);
      return value;
    }
    case 3:
      return static_cast<std::uint32_t>(at[0] | at[1] << 8 | at[2] << 16);
    case 4: {
      std::uint32_t value;
      std::memcpy(&value, at, 4);
      return value;
    }
    default:
      return at[0];
  }
}

// 32-bit pixels keep their unused top byte set, as the toolkit wants it.
inline void StorePixel(std::uint8_t* at, int bytes, std::uint32_t value) {
  switch (bytes) {
    case 2: {
      const auto narrow = static_cast<std::uint16_t>(value);
      std::memcpy(at, &narrow, 2);
      break;
    }
    case 3:
      at[0] = static_cast<std::uint8_t>(value);
      at[1] = static_cast<std::uint8_t>(value >> 8);
      at[2] = static_cast<std::uint8_t>(value >> 16);
      break;
    case 4:
      value |= kOpaque;
      std::memcpy(at, &value, 4);
      break;
    default:
      at[0] = static_cast<std::uint8_t>(value);
      break;
  }
}

}  // namespace cbst
