// raster_op.h: the ternary raster operations of block transfers.
//
// A raster operation combines pattern (the context's brush), source and
// destination bit by bit. Its code's middle byte is the truth table: bit
// (P << 2 | S << 1 | D) of it is the result for those three input bits.
#pragma once

#include <cstdint>

namespace cbst {

using RasterOp = std::uint32_t;

inline constexpr RasterOp kSrcCopy = 0x00CC0020;      // S
inline constexpr RasterOp kSrcPaint = 0x00EE0086;     // S OR D
inline constexpr RasterOp kSrcAnd = 0x008800C6;       // S AND D
inline constexpr RasterOp kSrcInvert = 0x00660046;    // S XOR D
inline constexpr RasterOp kSrcErase = 0x00440328;     // S AND NOT D
inline constexpr RasterOp kNotSrcCopy = 0x00330008;   // NOT S
inline constexpr RasterOp kNotSrcErase = 0x001100A6;  // NOT (S OR D)
inline constexpr RasterOp kMergePaint = 0x00BB0226;   // NOT S OR D
inline constexpr RasterOp kAndNotSrc = 0x00220326;    // D AND NOT S
inline constexpr RasterOp kPatCopy = 0x00F00021;      // P
inline constexpr RasterOp kPatInvert = 0x005A0049;    // P XOR D
inline constexpr RasterOp kDstInvert = 0x00550009;    // NOT D
inline constexpr RasterOp kBlackness = 0x00000042;    // 0
inline constexpr RasterOp kWhiteness = 0x00FF0062;    // 1
inline constexpr RasterOp kAndPatOrSrc = 0x00A803A9;  // D AND (P OR S), the shadow's operation

// The truth table of `op`.
constexpr std::uint8_t TruthTable(RasterOp op) {
  return static_cast<std::uint8_t>(op >> 16);
}

// Does `op` read the source, or the pattern?
constexpr bool UsesSource(RasterOp op) {
  const std::uint8_t table = TruthTable(op);
  return ((table >> 2) & 0x33) != (table & 0x33);
}
constexpr bool UsesPattern(RasterOp op) {
  const std::uint8_t table = TruthTable(op);
  return (table >> 4) != (table & 0x0F);
}

// Applies `op` to whole words of pattern, source and destination bits.
constexpr std::uint32_t ApplyRasterOp(RasterOp op, std::uint32_t pattern, std::uint32_t source,
                                      std::uint32_t destination) {
  const std::uint8_t table = TruthTable(op);
  std::uint32_t result = 0;
  for (int index = 0; index < 8; ++index) {
    if (!((table >> index) & 1)) continue;
    result |= ((index & 4) ? pattern : ~pattern) & ((index & 2) ? source : ~source) &
              ((index & 1) ? destination : ~destination);
  }
  return result;
}

}  // namespace cbst
