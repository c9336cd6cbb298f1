// status_codes.h: every result code the program gives, in one place.
//
// A code is also the number of the dictionary message a failure shows, so
// one meaning has one code and one name.
#pragma once

#include <cstdint>

namespace cbst {

inline constexpr std::uint16_t kStatusOk = 0;
// The player said no: there is nothing to report.
inline constexpr std::uint16_t kStatusQuietCancel = 1;
inline constexpr std::uint16_t kStatusOutOfMemory = 2;
inline constexpr std::uint16_t kStatusOpenFailed = 12;  // told with the file's name
inline constexpr std::uint16_t kStatusRenameFailed = 15;
inline constexpr std::uint16_t kStatusCopyOntoItself = 16;  // told with the file's name
// The pixels of a bitmap could not be fetched.
inline constexpr std::uint16_t kStatusNoPixels = 17;
// Not a picture or puzzle this program reads: wrong magic or extension, a
// picture no reader takes (or no reader installed).
inline constexpr std::uint16_t kStatusNotReadable = 20;
inline constexpr std::uint16_t kStatusWriteFailed = 22;
// A DC asked for a printer: there is no print support yet.
inline constexpr std::uint16_t kStatusNoPrinter = 25;

// The codec's failures carry its message number as their text.
inline constexpr std::uint16_t kStatusJpegEncodingFailed = 30;
inline constexpr std::uint16_t kStatusJpegDecodingFailed = 31;

// The dictionary.
inline constexpr std::uint16_t kStatusDictionaryRefused = 40;  // wrong version, already reported
inline constexpr std::uint16_t kStatusBadDictionary = 41;      // tables that do not fit the file
inline constexpr std::uint16_t kStatusBadDictionaryTag = 42;   // a tag of more than 5 characters

// Puzzle files and the games made of them.
inline constexpr std::uint16_t kStatusNeedsNewerProgram = 1000;
inline constexpr std::uint16_t kStatusWindowTooSmall = 1001;   // a saved game's window size
inline constexpr std::uint16_t kStatusScreenTooSmall = 1002;   // the puzzle's MinRes:
inline constexpr std::uint16_t kStatusPiecesTooSmall = 1003;   // a level's pieces under 12 pixels
inline constexpr std::uint16_t kStatusTooFewPieces = 1004;     // a level of fewer than 4 pieces
inline constexpr std::uint16_t kStatusPictureTooLarge = 1005;  // NoReduceImg, and it does not fit
inline constexpr std::uint16_t kStatusLevelUnplayable = 1006;  // no pieces, too many or too small
inline constexpr std::uint16_t kStatusUnusablePicture = 1008;  // not loaded, or under 8 bits

// What the command line may name that this version cannot open yet; each
// message says what the file or word is (its status text).
inline constexpr std::uint16_t kStatusSetupWordNotYet = 1022;  // an installation word

}  // namespace cbst
