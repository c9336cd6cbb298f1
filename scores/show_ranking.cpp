// show_ranking.cpp: showing rankings, and taking pasted scores into them.
#include "scores/show_ranking.h"

#include <strings.h>

#include <filesystem>

#include "base/pathname.h"
#include "base/status_codes.h"
#include "platform/message_box.h"
#include "puzzle/puz.h"
#include "scores/certificate.h"
#include "scores/ranking_file.h"
#include "scores/ranking_text.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/window.h"

namespace cbst {
namespace {

constexpr std::uint32_t kVariantBits = kRankingNoRotation | kRankingMosaic;
constexpr std::string_view kNamePlace = "%s";

// A dictionary text with `name` in place of its "%s".
std::string WithName(const char* text, std::string_view name) {
  std::string message = text ? text : "";
  const std::size_t at = message.find(kNamePlace);
  if (at != std::string::npos) message.replace(at, kNamePlace.size(), name);
  return message;
}

void Tell(Window* parent, const std::string& text, std::uint32_t icon) {
  ShowMessageBox(parent ? parent->platform_window() : nullptr, text, kBoxOk | icon);
}

// Runs the window until it is closed other than by its refresh button.
void RunRankingWindow(Window* parent, const RankingShown& shown, const RankingWindowPlace& place,
                      const std::function<void()>& refresh) {
  for (;;) {
    auto* window = Application::Instance()->Make<WRanking>(shown, place);
    if (RunModalDialog(window, parent) != static_cast<int>(kCommandRefreshRanking)) return;
    refresh();
  }
}

RankingShown ShownFor(const Ranking& ranking, const RankingRequest& request, int sides) {
  RankingShown shown;
  shown.ranking = &ranking;
  shown.puzzle_name = request.puzzle_name;
  shown.level_title =
      RankingLevelTitle(request.rows, request.columns, request.flags, request.custom);
  shown.sides = request.custom ? 0 : sides;
  shown.rows = request.rows;
  shown.columns = request.columns;
  return shown;
}

Status AddEntries(const VString& puzzle, std::int32_t level, std::uint32_t flags,
                  const std::vector<RankingEntry>& entries) {
  Ranking ranking;
  ranking.puzzle = puzzle;
  ranking.level = level;
  ranking.flags = flags;
  LoadRanking(ranking);
  ranking.entries.insert(ranking.entries.end(), entries.begin(), entries.end());
  SortRankingEntries(ranking.entries);
  if (RankingFileName(puzzle.c_str(), level, flags).empty())
    return Status(kStatusWriteFailed, puzzle.view());
  return SaveRanking(ranking);
}

}  // namespace

bool SameRanking(const RankingRequest& one, const RankingRequest& other) {
  return one.puzzle_name == other.puzzle_name && one.level == other.level &&
         (one.flags & kVariantBits) == (other.flags & kVariantBits);
}

void ShowRanking(Window* parent, const RankingRequest& which, const LiveRanking* live,
                 const RankingWindowPlace& place) {
  if (live && live->ranking && SameRanking(which, live->request)) {
    RunRankingWindow(parent, ShownFor(*live->ranking, live->request, live->sides), place, [] {});
    if (live->place_again) live->place_again();
    return;
  }
  Ranking ranking;
  ranking.puzzle = which.puzzle;
  ranking.level = which.level;
  ranking.flags = which.flags & kVariantBits;
  LoadRanking(ranking);
  if (ranking.entries.empty()) {
    Tell(parent, WithName(Text(kTextNoScoresYet), which.puzzle_name), kBoxIconInformation);
    return;
  }
  RunRankingWindow(parent, ShownFor(ranking, which, 0), place, [&] { LoadRanking(ranking); });
  Status saved = SaveRanking(ranking);
  saved.Report();
}

VString PuzzleNamed(const std::string& directory, std::string_view name) {
  namespace fs = std::filesystem;
  const std::string wanted = std::string(name) + "." + kPuzzleFileExtension;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
    if (strcasecmp(entry.path().filename().string().c_str(), wanted.c_str()) == 0)
      return VString(entry.path().string());
  }
  return VString((fs::path(directory) / wanted).string());
}

PastedScores PasteScores(Window* parent, std::string_view text, const std::string& directory,
                         const RankingWindowPlace& place) {
  std::string puzzle_name;
  Status added;
  if (const std::optional<CertificateRecord> game = ParseCertificate(text)) {
    auto* window = Application::Instance()->Make<WCert>(*game, kCertificateOffered, place);
    if (RunModalDialog(window, parent) != static_cast<int>(kCommandAddToRanking))
      return PastedScores::kDeclined;
    puzzle_name = game->puzzle.str();
    added = AddEntries(PuzzleNamed(directory, puzzle_name), game->level, game->flags,
                       {CertificateEntry(*game)});
  } else if (const std::optional<RankingText> ranking = ParseRankingText(text)) {
    puzzle_name = ranking->puzzle.str();
    added = AddEntries(PuzzleNamed(directory, puzzle_name), ranking->level, ranking->flags,
                       ranking->entries);
  } else {
    Tell(parent, Text(kTextNotScores), kBoxIconExclamation);
    return PastedScores::kNotScores;
  }
  if (added.failed()) {
    added.MarkHandled();
    Tell(parent, Text(kTextScoresNotWritten), kBoxIconExclamation);
    return PastedScores::kNotWritten;
  }
  Tell(parent, WithName(Text(kTextScoresAdded), puzzle_name), kBoxIconInformation);
  return PastedScores::kAdded;
}

}  // namespace cbst
