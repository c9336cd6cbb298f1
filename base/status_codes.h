// status_codes.h: the result codes the foundation gives.
#pragma once

#include <cstdint>

namespace cbst {

inline constexpr std::uint16_t kStatusOk = 0;
inline constexpr std::uint16_t kStatusOutOfMemory = 2;
inline constexpr std::uint16_t kStatusOpenFailed = 12;
inline constexpr std::uint16_t kStatusRenameFailed = 15;
inline constexpr std::uint16_t kStatusCopyOntoItself = 16;
inline constexpr std::uint16_t kStatusWriteFailed = 22;

}  // namespace cbst
