// certificate.h: a game's score certificate, the plain text a player copies
// to the clipboard and pastes into another installation's ranking.
//
// The text is a start line, one "Name:value" line per field in a fixed
// order, and an end line; lines end with CR LF:
//
//   ****Cobblestack****BOC{
//   Puzzle:Tiger
//   Level:3
//   Pieces:12x9,NoRotable
//   Player:Ana
//   Time:00:12:03.4
//   Solved:108
//   Moves:412
//   Helps:2
//   Score:51857
//   }EOC********************
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/vstring.h"
#include "scores/ranking.h"

namespace cbst {

inline constexpr char kCertificateStart[] = "****Cobblestack****BOC{";
inline constexpr char kCertificateEnd[] = "}EOC********************";
inline constexpr char kCertificateLineEnd[] = "\r\n";
inline constexpr char kCertificateNoRotation[] = "NoRotable";
inline constexpr char kCertificateMosaic[] = "Mosaic";

// One game as its certificate tells it.
struct CertificateRecord {
  VString puzzle;  // the puzzle's name
  std::int32_t level = 0;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
  std::uint32_t flags = 0;  // kRankingNoRotation, kRankingMosaic
  VString player;
  std::int32_t time = 0;  // milliseconds
  std::int32_t solved = 0;
  std::int32_t moves = 0;
  std::int32_t helps = 0;
  std::int32_t score = 0;

  bool operator==(const CertificateRecord&) const = default;
};

VString MakeCertificate(const CertificateRecord& record);

// The size of a game and its variant words: "12x9,NoRotable,Mosaic".
std::string PiecesText(std::int32_t columns, std::int32_t rows, std::uint32_t flags);
// Reads such a text; false when it is none (`flags` gains the words read).
bool ParsePiecesText(std::string_view text, std::int32_t& columns, std::int32_t& rows,
                     std::uint32_t& flags);
// A playing time "hh:mm:ss.t" (the tenths may be missing) in milliseconds.
std::optional<std::int32_t> ParseTimeText(std::string_view text);

// The record of the first certificate in `text` (lines may end with CR LF
// or LF alone), or nothing when the text holds none or one of its fields is
// missing or not a number where a number belongs.
std::optional<CertificateRecord> ParseCertificate(std::string_view text);

// The ranking entry of a pasted game: it belongs to no saved game here.
RankingEntry CertificateEntry(const CertificateRecord& record);

// Adds the game to the ranking file of `puzzle` (the file of the record's
// puzzle) at the record's level and variant: load, append, save.
Status ImportCertificate(const CertificateRecord& record, const char* puzzle);

}  // namespace cbst
