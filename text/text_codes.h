// text_codes.h: the numbers of the translation dictionary: text types and
// contexts, lookup flags, file versions and the message ids it shows.
#pragma once

#include <cstdint>

#include "base/status_codes.h"

namespace cbst {

// Dictionary files are named tag + language code + ".dix" beside the program.
inline constexpr const char* kDictionaryTag = "CS21";
inline constexpr int kMaxDictionaryTagLength = 5;
inline constexpr int kLanguageCodeLength = 3;
inline constexpr const char* kDictionaryExtension = ".dix";
inline constexpr const char* kEnglishCode = "eng";

// File format versions, in hundredths. Version 100 files have the flag
// picture right after the table offset; later ones put a version word first.
inline constexpr std::uint16_t kDictionaryVersion = 200;
inline constexpr std::uint16_t kDictionaryVersionFlagFirst = 100;
inline constexpr std::uint16_t kAcceptAnyVersion = 0;

// Text types: which family of texts an entry belongs to.
inline constexpr int kTypeGeneral = 1;       // general texts and messages
inline constexpr int kTypeSecond = 2;        // the second text family
inline constexpr int kTypeError = 3;         // error and status messages, by code
inline constexpr int kTypeControl = 4;       // control captions and tips
inline constexpr int kTypeSubstitution = 5;  // what "@IDA" is replaced by

// Contexts: the form of a text a caller asks for. A missing alternate falls
// back to the plain text of the same variant; a missing heading or extra
// form to the plain text of variant 0; a plural is made from the plain
// text; a missing tip is simply missing.
inline constexpr int kContextPlain = 0;
inline constexpr int kContextAlternate = 0x10;
inline constexpr int kContextHeading = 0x20;
inline constexpr int kContextTip = 0x30;
inline constexpr int kContextPlural = 0x40;
inline constexpr int kContextExtra = 0x50;

// Lookup flags.
inline constexpr int kLookupReportMissing = 1;
inline constexpr int kLookupExact = 2;  // no redirection, no fall-backs

// A text that starts with this names another entry: "#<type>,<id>".
inline constexpr char kRedirectionMark = '#';
// The placeholder a type-1 text may hold for a type-5 text.
inline constexpr const char* kSubstitutionMark = "@IDA";

// Message 199 (type 1): a dictionary file of the wrong format version.
inline constexpr int kTextWrongDictionaryVersion = 199;

// The framework event every window gets after a language switch; its
// command payload's parameter points at the new language code.
inline constexpr std::uint16_t kEventLanguageChanged = 32;

// Internal errors the dictionary reports.
inline constexpr const char* kTagTooLong = "Traductor::file ln>5";
inline constexpr const char* kMissingTextFormat = "Traductor:: id:%i tip:%i atm:%i ctx:%i";
inline constexpr const char* kErrorTextPrefix = "Error:";
inline constexpr const char* kErrorTextFormat = "Grup:%i,id:%i";
inline constexpr const char* kNoDictionaryErrorFormat = "Error #%i";

}  // namespace cbst
