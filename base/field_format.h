// field_format.h: how one value is shown and edited in a control, read from a short text.
//
// A format text starts with its kind ("#" number, "$" text, "F" date, "O"
// yes/no, "X" other, "!" marked), an optional width, for numbers the
// separators, decimals and scale ("#7,.2*3"), and then options separated by
// "/" or blanks ("$20/LnEd:40/Upp", "#5/Min:1/Max:99/Tv:S"). What the option
// flags mean is up to the controls; this only records them.
#pragma once

#include <cstdint>

#include "base/vstring.h"

namespace cbst {

// FieldFormat::flags.
inline constexpr std::uint32_t kFormatNumeric = 0x0001;
inline constexpr std::uint32_t kFormatText = 0x0002;
inline constexpr std::uint32_t kFormatDate = 0x0004;
inline constexpr std::uint32_t kFormatYesNo = 0x0008;
inline constexpr std::uint32_t kFormatThousands = 0x0010;
inline constexpr std::uint32_t kFormatNotZero = 0x0020;        // option "!0"
inline constexpr std::uint32_t kFormatZeroBlank = 0x0040;      // option "0=b"
inline constexpr std::uint32_t kFormatUpper = 0x0080;          // option "Upp"
inline constexpr std::uint32_t kFormatScrollInteger = 0x0100;  // option "Scllint"
inline constexpr std::uint32_t kFormatOutput = 0x0400;         // option "Out"
inline constexpr std::uint32_t kFormatBlueRed = 0x0800;        // option "BlueRed"
inline constexpr std::uint32_t kFormatMarked = 0x8000;         // leading "!"

// FieldFormat::type: how the value is stored.
inline constexpr std::uint8_t kStorageNone = 0;
inline constexpr std::uint8_t kStorageSignedByte = 1;
inline constexpr std::uint8_t kStorageUnsignedByte = 2;
inline constexpr std::uint8_t kStorageInt16 = 3;
inline constexpr std::uint8_t kStorageInt32 = 5;
inline constexpr std::uint8_t kStorageFloat = 9;
inline constexpr std::uint8_t kStorageDouble = 10;
inline constexpr std::uint8_t kStorageDate = 13;
inline constexpr std::uint8_t kStorageText = 19;
inline constexpr std::uint8_t kStorageOther = 21;

// Widths a kind has before the text gives one.
inline constexpr std::int32_t kDateFormatWidth = 8;
inline constexpr std::int32_t kYesNoFormatWidth = 1;

// Sample texts for measuring a control.
inline constexpr const char* kDateSample = "23/12/99";
inline constexpr const char* kYesNoSample = "O";
inline constexpr const char* kTextSample = "Aeiou";
inline constexpr const char* kWideTextSample = "MMM__";  // for short or upper-case fields
inline constexpr int kWideTextSampleBelow = 16;          // lengths below this use the wide sample
inline constexpr int kThousandsGroup = 3;

struct FieldFormat {
  std::int32_t width = 0;        // characters shown
  std::uint8_t edit_length = 0;  // characters the user may type
  std::uint8_t decimals = 0;
  std::uint8_t scale = 1;
  std::uint32_t flags = 0;           // kFormat...
  std::uint8_t type = kStorageNone;  // kStorage...
  double minimum = 0.0;
  double maximum = 0.0;

  // Reads a format text (null reads as empty). An unknown kind reports
  // "Format <text>" and gives the defaults; an unknown character or option
  // reports "Format:<text>" and is skipped. Uses the module-wide tokenizer,
  // saving and restoring the caller's scan around its own.
  static FieldFormat Parse(const char* text);
};

// A text as wide as the largest value `format` shows, for sizing its control:
// nines with the separators for numbers, kDateSample, kYesNoSample, or the
// text sample repeated to the width (to the edit length if asked). Empty for
// other kinds.
VString SampleText(const FieldFormat& format, bool use_edit_length = false);

}  // namespace cbst
