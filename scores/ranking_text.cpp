// ranking_text.cpp: rankings as text, both ways.
#include "scores/ranking_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "base/date.h"
#include "scores/certificate.h"
#include "scores/ranking_file.h"

namespace cbst {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kNumbersPerLine = 5;  // score, time, solved, moves, helps

std::optional<std::int32_t> Number(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The next line of `text`, without its end; `text` keeps the rest.
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = std::min(text.find('\n'), text.size());
  std::string_view line = text.substr(0, end);
  text.remove_prefix(std::min(end + 1, text.size()));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool ReadTitle(std::string_view line, RankingText& ranking) {
  const std::size_t level_at = line.rfind(kRankingTextLevel);
  if (level_at == std::string_view::npos) return false;
  ranking.puzzle = VString(line.substr(0, level_at));
  line.remove_prefix(level_at + std::string_view(kRankingTextLevel).size());
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return false;
  const std::optional<std::int32_t> level = Number(line.substr(0, comma));
  if (!level) return false;
  ranking.level = *level;
  std::string_view pieces = line.substr(comma + 1);
  while (!pieces.empty() && pieces.front() == ' ')
    pieces.remove_prefix(1);
  return ParsePiecesText(pieces, ranking.columns, ranking.rows, ranking.flags);
}

std::optional<RankingEntry> ReadEntry(std::string_view line) {
  std::array<std::int32_t, kNumbersPerLine> numbers{};
  for (std::int32_t& number : numbers) {
    const std::size_t stop = line.find(kRankingTextSeparator);
    if (stop == std::string_view::npos) return std::nullopt;
    const std::string_view field = line.substr(0, stop);
    const std::optional<std::int32_t> value =
        &number == &numbers[1] ? ParseTimeText(field) : Number(field);
    if (!value) return std::nullopt;
    number = *value;
    line.remove_prefix(stop + 1);
  }
  RankingEntry entry;
  entry.game = VString(kReservedGameName);
  entry.player = VString(line);
  entry.score = numbers[0];
  entry.time = numbers[1] / kMillisecondsPerTenth * kMillisecondsPerTenth;
  entry.solved = static_cast<std::int16_t>(numbers[2]);
  entry.moves = static_cast<std::int16_t>(numbers[3]);
  entry.helps = static_cast<std::int16_t>(numbers[4]);
  return entry;
}

}  // namespace

VString MakeRankingText(const RankingText& ranking) {
  std::string text = kRankingTextTitle;
  text.append(ranking.puzzle.view());
  text += kRankingTextLevel + std::to_string(ranking.level) + ", " +
          PiecesText(ranking.columns, ranking.rows, ranking.flags) + kLineEnd;
  text += std::string(kRankingTextStart) + kLineEnd;
  const std::size_t count =
      std::min(ranking.entries.size(), static_cast<std::size_t>(kRankingStoredEntries));
  for (std::size_t index = 0; index < count; ++index) {
    const RankingEntry& entry = ranking.entries[index];
    for (const std::string& field :
         {std::to_string(entry.score), std::string(MillisecondsToText(entry.time, kTimeTextTenths)),
          std::to_string(entry.solved), std::to_string(entry.moves), std::to_string(entry.helps)}) {
      text += field;
      text += kRankingTextSeparator;
    }
    text.append(entry.player.view());
    text += kLineEnd;
  }
  text += std::string(kRankingTextEnd) + kLineEnd;
  return VString(text);
}

std::optional<RankingText> ParseRankingText(std::string_view text) {
  const std::size_t title = text.find(kRankingTextTitle);
  if (title == std::string_view::npos) return std::nullopt;
  text.remove_prefix(title + std::string_view(kRankingTextTitle).size());
  RankingText ranking;
  if (!ReadTitle(NextLine(text), ranking)) return std::nullopt;
  const std::size_t start = text.find(kRankingTextStart);
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  NextLine(text);
  while (!text.empty() &&
         ranking.entries.size() < static_cast<std::size_t>(kRankingStoredEntries)) {
    const std::string_view line = NextLine(text);
    if (line.starts_with(kRankingTextEnd)) break;
    if (std::optional<RankingEntry> entry = ReadEntry(line)) ranking.entries.push_back(*entry);
  }
  return ranking;
}

}  // namespace cbst
