// certificate.cpp: score certificates, both ways, and their way into a
// ranking file.
#include "scores/certificate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "base/date.h"
#include "scores/ranking_file.h"

namespace cbst {
namespace {

// The fields after "Pieces", in their order.
constexpr std::array<std::string_view, 10> kFieldNames = {
    "Puzzle", "Level", "Pieces", "Player", "Time", "Solved", "Moves", "Helps", "Score", ""};
constexpr std::size_t kFieldCount = 9;
constexpr char kPiecesBetween = 'x';
constexpr char kPiecesWordSeparator = ',';
constexpr char kFieldSeparator = ':';
constexpr char kTenthsSeparator = '.';
constexpr int kTimeParts = 3;  // hours, minutes, seconds

void AddLine(std::string& text, std::string_view name, std::string_view value) {
  text.append(name);
  text += kFieldSeparator;
  text.append(value);
  text += kCertificateLineEnd;
}

std::optional<std::int32_t> Number(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseTimeText(std::string_view text) {
  std::int64_t total = 0;
  constexpr std::array<std::int32_t, kTimeParts> kUnits = {
      kMillisecondsPerHour, kMillisecondsPerMinute, kMillisecondsPerSecond};
  for (int part = 0; part < kTimeParts; ++part) {
    const char stop = part + 1 < kTimeParts ? kFieldSeparator : kTenthsSeparator;
    const std::size_t at = std::min(text.find(stop), text.size());
    const std::optional<std::int32_t> value = Number(text.substr(0, at));
    if (!value || *value < 0) return std::nullopt;
    total += std::int64_t{*value} * kUnits[static_cast<std::size_t>(part)];
    if (part + 1 < kTimeParts && at == text.size()) return std::nullopt;
    text.remove_prefix(std::min(at + 1, text.size()));
  }
  if (!text.empty()) {
    const std::optional<std::int32_t> tenths = Number(text);
    if (!tenths || *tenths < 0 || *tenths > 9) return std::nullopt;
    total += std::int64_t{*tenths} * kMillisecondsPerTenth;
  }
  if (total > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(total);
}

bool ParsePiecesText(std::string_view text, std::int32_t& columns_out, std::int32_t& rows_out,
                     std::uint32_t& flags) {
  const std::size_t comma = std::min(text.find(kPiecesWordSeparator), text.size());
  const std::string_view size = text.substr(0, comma);
  const std::size_t between = size.find(kPiecesBetween);
  if (between == std::string_view::npos) return false;
  const std::optional<std::int32_t> columns = Number(size.substr(0, between));
  const std::optional<std::int32_t> rows = Number(size.substr(between + 1));
  if (!columns || !rows) return false;
  columns_out = *columns;
  rows_out = *rows;
  text.remove_prefix(comma);
  while (!text.empty()) {
    text.remove_prefix(1);
    const std::size_t next = std::min(text.find(kPiecesWordSeparator), text.size());
    const std::string_view word = text.substr(0, next);
    if (word == std::string_view(kCertificateNoRotation)) {
      flags |= kRankingNoRotation;
    } else if (word == std::string_view(kCertificateMosaic)) {
      flags |= kRankingMosaic;
    } else {
      return false;
    }
    text.remove_prefix(next);
  }
  return true;
}

std::string PiecesText(std::int32_t columns, std::int32_t rows, std::uint32_t flags) {
  std::string pieces = std::to_string(columns) + kPiecesBetween + std::to_string(rows);
  if (flags & kRankingNoRotation) (pieces += kPiecesWordSeparator) += kCertificateNoRotation;
  if (flags & kRankingMosaic) (pieces += kPiecesWordSeparator) += kCertificateMosaic;
  return pieces;
}

namespace {

bool ReadField(std::size_t field, std::string_view value, CertificateRecord& record) {
  switch (field) {
    case 0:
      record.puzzle = VString(value);
      return true;
    case 2:
      return ParsePiecesText(value, record.columns, record.rows, record.flags);
    case 3:
      record.player = VString(value);
      return true;
    case 4: {
      const std::optional<std::int32_t> time = ParseTimeText(value);
      if (time) record.time = *time;
      return time.has_value();
    }
    default:
      break;
  }
  const std::optional<std::int32_t> number = Number(value);
  if (!number) return false;
  std::int32_t* const numbers[] = {nullptr,       &record.level, nullptr,
                                   nullptr,       nullptr,       &record.solved,
                                   &record.moves, &record.helps, &record.score};
  *numbers[field] = *number;
  return true;
}

}  // namespace

VString MakeCertificate(const CertificateRecord& record) {
  std::string text = kCertificateStart;
  text += kCertificateLineEnd;
  AddLine(text, kFieldNames[0], record.puzzle.view());
  AddLine(text, kFieldNames[1], std::to_string(record.level));
  AddLine(text, kFieldNames[2], PiecesText(record.columns, record.rows, record.flags));
  AddLine(text, kFieldNames[3], record.player.view());
  AddLine(text, kFieldNames[4], MillisecondsToText(record.time, kTimeTextTenths));
  AddLine(text, kFieldNames[5], std::to_string(record.solved));
  AddLine(text, kFieldNames[6], std::to_string(record.moves));
  AddLine(text, kFieldNames[7], std::to_string(record.helps));
  AddLine(text, kFieldNames[8], std::to_string(record.score));
  text += kCertificateEnd;
  text += kCertificateLineEnd;
  return VString(text);
}

std::optional<CertificateRecord> ParseCertificate(std::string_view text) {
  const std::size_t start = text.find(kCertificateStart);
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start + std::string_view(kCertificateStart).size());
  CertificateRecord record;
  std::array<bool, kFieldCount> seen{};
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line.starts_with(std::string_view(kCertificateEnd).substr(0, 4))) {
      for (const bool field : seen) {
        if (!field) return std::nullopt;
      }
      return record;
    }
    const std::size_t colon = line.find(kFieldSeparator);
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view name = line.substr(0, colon);
    std::size_t field = 0;
    while (field < kFieldCount && kFieldNames[field] != name)
      ++field;
    if (field == kFieldCount || !ReadField(field, line.substr(colon + 1), record))
      return std::nullopt;
    seen[field] = true;
  }
  return std::nullopt;
}

RankingEntry CertificateEntry(const CertificateRecord& record) {
  RankingEntry entry;
  entry.game = VString(kReservedGameName);
  entry.player = record.player;
  entry.score = record.score;
  entry.time = record.time / kMillisecondsPerTenth * kMillisecondsPerTenth;
  entry.helps = static_cast<std::int16_t>(record.helps);
  entry.solved = static_cast<std::int16_t>(record.solved);
  entry.moves = static_cast<std::int16_t>(record.moves);
  return entry;
}

Status ImportCertificate(const CertificateRecord& record, const char* puzzle) {
  Ranking ranking;
  ranking.puzzle = VString(puzzle);
  ranking.level = record.level;
  ranking.flags = record.flags;
  LoadRanking(ranking);
  ranking.entries.push_back(CertificateEntry(record));
  SortRankingEntries(ranking.entries);
  return SaveRanking(ranking);
}

}  // namespace cbst
