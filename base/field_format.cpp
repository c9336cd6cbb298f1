// field_format.cpp: reading format texts and making their sample texts.
#include "base/field_format.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "base/date.h"
#include "base/numbers.h"
#include "base/report.h"
#include "base/tokenizer.h"

namespace cbst {
namespace {

constexpr const char* kOptionDelimiters = "/ ";
constexpr std::int64_t kByteLimit = 255;

struct FlagOption {
  const char* name;
  std::uint32_t flag;
};
constexpr FlagOption kFlagOptions[] = {
    {"!0", kFormatNotZero}, {"0=b", kFormatZeroBlank},
    {"Upp", kFormatUpper},  {"Scllint", kFormatScrollInteger},
    {"Out", kFormatOutput}, {"BlueRed", kFormatBlueRed},
};

struct StorageLetter {
  char letter;
  std::uint8_t type;
};
constexpr StorageLetter kStorageLetters[] = {
    {'C', kStorageSignedByte}, {'B', kStorageUnsignedByte}, {'S', kStorageInt16},
    {'L', kStorageInt32},      {'F', kStorageFloat},        {'D', kStorageDouble},
};

constexpr const char* kEditLengthOption = "LnEd:";
constexpr const char* kStorageOption = "Tv:";
constexpr const char* kMaximumOption = "Max:";
constexpr const char* kMinimumOption = "Min:";

bool IsDigit(char character) {
  return character >= '0' && character <= '9';
}

// Reads the decimal digits at `at` into `value`, moving past them and holding
// the value at `limit`. False, leaving `value` alone, when there are none.
template <typename Number>
bool ReadDigits(const char*& at, std::int64_t limit, Number& value) {
  if (!IsDigit(*at)) return false;
  std::int64_t read = 0;
  for (; IsDigit(*at); ++at)
    read = std::min(read * 10 + (*at - '0'), limit);
  value = static_cast<Number>(read);
  return true;
}

// The text after `prefix` when `option` starts with it, else null.
const char* After(const char* option, const char* prefix) {
  const std::size_t length = std::strlen(prefix);
  return std::strncmp(option, prefix, length) == 0 ? option + length : nullptr;
}

void ReadOption(FieldFormat& format, const char* option, const char* text) {
  if (!*option) return;  // two delimiters in a row
  for (const FlagOption& flag : kFlagOptions) {
    if (std::strcmp(option, flag.name) == 0) {
      format.flags |= flag.flag;
      return;
    }
  }
  if (const char* number = After(option, kEditLengthOption)) {
    format.edit_length =
        static_cast<std::uint8_t>(std::min<std::int64_t>(TextToUnsigned(number), kByteLimit));
    return;
  }
  if (const char* number = After(option, kMaximumOption)) {
    format.maximum = TextToDouble(number);
    return;
  }
  if (const char* number = After(option, kMinimumOption)) {
    format.minimum = TextToDouble(number);
    return;
  }
  if (const char* letter = After(option, kStorageOption)) {
    for (const StorageLetter& storage : kStorageLetters) {
      if (*letter == storage.letter) {
        format.type = storage.type;
        return;
      }
    }
  }
  ReportErrorF("Format:%s", text);
}

// The characters after a number's width, up to the options: thousands
// separators, decimals and scale.
const char* ReadNumberLayout(FieldFormat& format, const char* at, const char* text) {
  while (*at && *at != '/' && *at != ' ') {
    const char character = *at++;
    if (character == ',') {
      format.flags |= kFormatThousands;
    } else if (character == '.') {
      ReadDigits(at, kByteLimit, format.decimals);
    } else if (character == '*') {
      ReadDigits(at, kByteLimit, format.scale);
    } else {
      ReportErrorF("Format:%s", text);
    }
  }
  format.type = format.decimals ? kStorageDouble : kStorageInt32;
  return at;
}

}  // namespace

FieldFormat FieldFormat::Parse(const char* text) {
  if (!text) text = "";
  FieldFormat format;
  switch (text[0]) {
    case 'F':
      format.type = kStorageDate;
      format.flags = kFormatDate;
      format.width = kDateFormatWidth;
      break;
    case '!':
      format.flags = kFormatMarked;
      break;
    case '#':
      format.flags = kFormatNumeric;
      break;
    case '$':
      format.type = kStorageText;
      format.flags = kFormatText;
      break;
    case 'O':
      format.type = kStorageSignedByte;
      format.flags = kFormatYesNo;
      format.width = kYesNoFormatWidth;
      break;
    case 'X':
      format.type = kStorageOther;
      break;
    default:
      ReportErrorF("Format %s", text);
      return format;
  }

  const char* at = text + 1;
  ReadDigits(at, INT32_MAX, format.width);
  if (format.flags & kFormatNumeric) at = ReadNumberLayout(format, at, text);
  format.edit_length =
      static_cast<std::uint8_t>(std::clamp<std::int64_t>(format.width, 0, kByteLimit));

  if (!*at) return format;
  // The caller may be in the middle of a scan of its own.
  const int saved = TokenSave();
  if (saved < 0) return format;  // already reported; scanning now would lose the caller's place
  VString option;
  bool more = Token(option, nullptr, nullptr, kOptionDelimiters, at);
  while (more) {
    ReadOption(format, option.c_str(), text);
    more = Token(option, nullptr, nullptr, kOptionDelimiters, nullptr);
  }
  TokenRestore(saved);
  return format;
}

VString SampleText(const FieldFormat& format, bool use_edit_length) {
  const Separators& separators = CurrentSeparators();
  std::string sample;
  if (format.flags & kFormatNumeric) {
    const std::int32_t digits = std::clamp<std::int32_t>(format.width, 0, VString::kMaxLength);
    const bool grouped = (format.flags & kFormatThousands) != 0;
    for (std::int32_t digit = 0; digit < digits; ++digit) {
      if (grouped && digit > 0 && (digits - digit) % kThousandsGroup == 0)
        sample += separators.thousands;
      sample += '9';
    }
    if (format.decimals) {
      sample += separators.decimal;
      sample.append(format.decimals, '9');
    }
  } else if (format.flags & kFormatDate) {
    sample = kDateSample;
  } else if (format.flags & kFormatText) {
    const std::int32_t length = std::clamp<std::int32_t>(
        use_edit_length ? format.edit_length : format.width, 0, VString::kMaxLength);
    const std::string_view pattern = length < kWideTextSampleBelow || (format.flags & kFormatUpper)
                                         ? kWideTextSample
                                         : kTextSample;
    for (std::int32_t at = 0; at < length; ++at)
      sample += pattern[static_cast<std::size_t>(at) % pattern.size()];
  } else if (format.flags & kFormatYesNo) {
    sample = kYesNoSample;
  }
  if (sample.size() > VString::kMaxLength) sample.resize(VString::kMaxLength);
  return VString(std::string_view(sample));
}

}  // namespace cbst
