// make_the_puzzle.cpp: OK in the picture window: the title's file, the part
// of the picture at its scale, the thumbnail and the values, then the file.
#include <strings.h>

#include <filesystem>

#include "app/wedpuz.h"
#include "base/file_replacement.h"
#include "base/pathname.h"
#include "base/text_tests.h"
#include "gfx/dc.h"
#include "platform/display.h"
#include "platform/message_box.h"
#include "play/saved_game.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "text/traductor.h"
#include "ui/control.h"
#include "ui/progress_window.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr double kPercent = 0.01;

std::string Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 33)
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) < 33)
    text.remove_suffix(1);
  return std::string(text);
}

// The saved games of `directory` that play the puzzle file named like
// `puzzle` (its name and extension, without regard to case).
int SavedGamesOf(const std::string& directory, const std::string& puzzle) {
  const std::string name = fs::path(puzzle).filename().string();
  int count = 0;
  std::error_code error;
  for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    if (strcasecmp(entry->path().extension().c_str(), ".sav") != 0) continue;
    SavedGame game;
    Status read = ReadSavedGame(entry->path().c_str(), game);
    if (read.peek() != 0) {
      read.MarkHandled();  // a damaged saved game plays nothing
      continue;
    }
    const PathName played(game.puzzle.c_str());
    const VString played_name = played.Compose(kPathName | kPathExtension);
    if (strcasecmp(played_name.c_str(), name.c_str()) == 0) ++count;
  }
  return count;
}

}  // namespace

Status WEdPuz::ChooseFileName(const std::string& title, std::string& path) {
  const std::string directory = places_.places.PuzzlesDirectory();
  const std::string same = PuzzleWithTitle(directory, title);
  if (same.empty()) {
    path = PuzzleFileName(directory.c_str(), title.c_str()).c_str();
    return Status();
  }
  // A puzzle of that title is replaced, unless saved games still play it.
  if (SavedGamesOf(directory, same) > 0) {
    Ask(kTextTitleInUse, kBoxOk | kBoxIconStop);
    return QuietCancel();
  }
  if (Ask(kTextReplacePuzzle, kBoxOkCancel | kBoxIconExclamation) != kAnswerOk)
    return QuietCancel();
  path = same;
  return Status();
}

Dib WEdPuz::PartToStore() {
  const Rect16 part = Selection();
  const double scale = scale_percent_ * kPercent;
  BmpMem stored(StoredWidth(), StoredHeight());
  const bool half_tone = DibHalfTone();
  SetDibHalfTone(true);
  picture().Draw(stored.dc(), -static_cast<int>(part.x * scale), -static_cast<int>(part.y * scale),
                 kSrcCopy, 0, scale);
  SetDibHalfTone(half_tone);
  stored.dc().Flush();
  return Dib::FromBitmap(stored);
}

Status WEdPuz::MakeThePuzzle() {
  if (!pane_) return Status(kStatusNotReadable);
  MakeRequest request;
  request.title = VString(Trimmed(pane_->GetItemText(kMakeTitle).view()));
  bool any_level = false;
  for (int index = 0; index < kStoredLevels; ++index) {
    request.level_texts[index] = pane_->LevelText(index);
    any_level = any_level || !IsBlank(request.level_texts[index].c_str());
  }
  // A puzzle needs a name and something to play.
  if (IsBlank(request.title.c_str())) {
    pane_->FocusItem(kMakeTitle);
    return QuietCancel();
  }
  const int width = StoredWidth();
  const int height = StoredHeight();
  if (!any_level) {
    pane_->FocusItem(kMakeFirstLevel);
    return Status(kStatusTooFewPieces);
  }
  CBST_TRY(CheckLevels(request, width, height));

  std::string path;
  CBST_TRY(ChooseFileName(request.title.c_str(), path));

  // Neither scaled nor cut, a JPEG goes into the puzzle as it is.
  const bool whole = scale_percent_ == kScaleStart && !(selecting_ && !selection_.Empty());
  const bool as_it_is = whole && !source_.jpeg_file.empty();
  Dib part;
  if (!whole) {
    part = PartToStore();
    if (!part.valid()) return Status(kStatusOutOfMemory);
  }
  const DisplayFacts screen = QueryDisplay();
  if (width >= screen.width - kScreenSlack && height >= screen.height - kScreenSlack) {
    if (Ask(kTextScreenSized, kBoxOkCancel | kBoxIconExclamation) != kAnswerOk)
      return QuietCancel();
  } else if (width > screen.width || height > screen.height) {
    // Taller or wider than the screen only: the puzzle, which keeps its
    // picture's size, would not open on this screen.
    if (Ask(kTextLargerThanScreen, kBoxOkCancel | kBoxIconExclamation) != kAnswerOk)
      return QuietCancel();
  }

  request.surprise = Control(pane_, kMakeSurprise).Number() == 1.0;
  request.no_help = Control(pane_, kMakeNoHelp).Number() == 1.0;
  request.allow_custom = Control(pane_, kMakeCustom).Number() == 1.0;
  request.background = background_;
  request.credit = VString(Trimmed(pane_->GetItemText(kMakeCredit).view()));
  Puz puz;
  SetPuzzleValues(puz, request, width, height);
  puz.file_path = VString(path);
  const Dib& shown = whole ? picture() : part;
  const Dib thumbnail = request.surprise ? MakeSurpriseThumbnail() : MakeThumbnail(shown);
  const PuzzlePicture stored =
      as_it_is ? PuzzlePicture{nullptr, source_.jpeg_file.c_str()} : PuzzlePicture{&shown, nullptr};
  {
    ProgressWindow progress(this);
    CBST_TRY(WritePuzzleFile(puz, path.c_str(), &thumbnail, stored, &progress));
  }
  made_ = path;
  if (places_.puz && places_.puz->file_path.view() == path) {
    // The game on the table played the puzzle just replaced: it is opened
    // again as the new one.
    places_.puz->file_path = VString();
  }
  if (places_.table) RememberLastPuzzle(places_.places, *places_.table, path);
  return Status();
}

}  // namespace cbst
