// wedpuz.h: WEdPuz, the window in which a picture becomes a puzzle, and
// WDEdPuz, its pane of controls.
//
// The picture is shown at the chosen scale on the background colour the
// puzzle will have, with the grid of the level being typed laid over it:
// the player sees the cut before the puzzle is written. A part of the
// picture can be chosen with a rectangle.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/open_from_shell.h"
#include "base/status.h"
#include "gfx/bmp_mem.h"
#include "gfx/dib.h"
#include "puzzle/make_puzzle.h"
#include "ui/track_rect.h"
#include "ui/win_dlg.h"

namespace cbst {

class WEdPuz;

// The pane's template and controls.
inline constexpr int kMakePuzzleTemplate = 6000;
inline constexpr int kMakeFirstLevel = 6000;  // the level edits, 6000..6004
inline constexpr int kMakeFirstCount = 110;   // their piece counts, 110..114
inline constexpr int kMakeTitle = 6010;
inline constexpr int kMakeCredit = 6011;
inline constexpr int kMakeCustom = 6013;
inline constexpr int kMakeSurprise = 6014;
inline constexpr int kMakeNoHelp = 6015;
inline constexpr int kMakeSelectPart = 6016;
inline constexpr int kMakeScaleBar = 6017;
inline constexpr int kMakeScaleText = 6018;
inline constexpr int kMakeSizeText = 6038;
inline constexpr int kMakeColour = 170;
// The labels and the dictionary texts they show.
inline constexpr int kMakeLevelsLabel = 6030;
inline constexpr int kMakePiecesLabel = 6031;
inline constexpr int kMakeTitleLabel = 6032;
inline constexpr int kMakeOptionsLabel = 6034;
inline constexpr int kMakeColourLabel = 6035;
inline constexpr int kMakeScaleLabel = 6036;
inline constexpr int kMakeSizeLabel = 6037;
inline constexpr int kTextLevels = 537;
inline constexpr int kTextPieces = 500;  // in its plural context
inline constexpr int kTextTitle = 564;
inline constexpr int kTextOptions = 855;
inline constexpr int kTextColour = 28;
inline constexpr int kTextScale = 6019;
inline constexpr int kTextSize = 563;
// Questions and refusals.
inline constexpr int kTextReplacePuzzle = 802;
inline constexpr int kTextTitleInUse = 803;
inline constexpr int kTextScreenSized = 805;
inline constexpr int kTextLargerThanScreen = 806;
inline constexpr int kTextStopMaking = 812;
// The window's caption is the menu item's text.
inline constexpr int kMakePuzzleCommandText = 1300;

// The picture is shown at 25% to 300% of its size, in steps of 25%.
inline constexpr int kScaleMinimum = 25;
inline constexpr int kScaleMaximum = 300;
inline constexpr int kScaleStep = 25;
inline constexpr int kScaleStart = 100;

// The scale after the scale bar moved (a kScroll... action) from `percent`:
// the arrows go to the next step below or above, pages and the thumb to
// the step nearest the bar's new `position`.
int ScrolledScale(int percent, int action, int position);

// Room around the picture, in the background colour.
inline constexpr int kMakeMargin = 12;
// A picture this close to the screen's size is as large as the screen.
inline constexpr int kScreenSlack = 5;

// Where the new puzzle goes and who is told of it.
struct MakePlaces {
  GamePlaces places;
  WPuz* table = nullptr;  // the table, told of the new puzzle; may be null
  Puz* puz = nullptr;     // the game on the table
};

// What the picture came from: a JPEG file is stored as it is when neither
// the scale nor a part changes it.
struct PictureSource {
  Dib picture;
  std::string jpeg_file;
};

class WDEdPuz final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  explicit WDEdPuz(WEdPuz& picture_window);
  void OnEvent(Event& event) override;

  // The text of level edit `index` (0..4).
  VString LevelText(int index);
  // The edit the player worked in last (the first at start).
  int current_level() const { return current_level_; }
  // Shows the piece counts again for a picture of `width` x `height`.
  void ShowCounts(int width, int height);
  void ShowScale(int percent, int width, int height);

 private:
  void Prime();
  void OnScroll(const ScrollPayload& scroll);

  WEdPuz& picture_window_;
  int current_level_ = 0;
  bool primed_ = false;
};

class WEdPuz final : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  WEdPuz(PictureSource source, MakePlaces places);
  ~WEdPuz() override;

  // Makes the window and its pane; the background is proposed from the
  // picture (four draws of the program's random numbers).
  bool Open();

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

  // For the pane.
  void Command(std::uint32_t command);
  // Opens the help page at its topic about making a puzzle.
  void ShowHelp();
  void SetScale(int percent);
  void SetSelecting(bool selecting);
  // A level was typed: the counts and the cut are shown again.
  void LevelsChanged();

  int scale_percent() const { return scale_percent_; }
  std::uint32_t background() const { return background_; }
  const Dib& picture() const { return source_.picture; }
  // The part chosen, in picture pixels; the whole picture when none.
  Rect16 Selection() const;
  // The size the puzzle's picture will have: the part at the scale.
  int StoredWidth() const;
  int StoredHeight() const;
  WDEdPuz* pane() const { return pane_; }
  // The path of the puzzle written, once it is.
  const std::string& made() const { return made_; }

  // OK: writes the puzzle the window describes.
  Status MakeThePuzzle();

 private:
  // The room around the picture, in the window's pixels.
  int Margin() const;
  int ScaledWidth() const;
  int ScaledHeight() const;
  Rect16 PictureArea() const;
  void Layout();
  void ScalePicture();
  void PaintCut(DC& dc);
  void OnTrack(const TrackPayload& note);
  void Cancel();
  int Ask(int text, std::uint32_t style);
  // Steps of MakeThePuzzle.
  Status ChooseFileName(const std::string& title, std::string& path);
  Dib PartToStore();

  PictureSource source_;
  MakePlaces places_;
  std::uint32_t background_ = 0;
  int scale_percent_ = kScaleStart;
  std::unique_ptr<BmpMem> scaled_;
  Rect16 selection_;  // in picture pixels; empty: the whole picture
  bool selecting_ = false;
  std::unique_ptr<TrackRect> track_;
  WDEdPuz* pane_ = nullptr;  // held by the application
  Rect16 pane_size_;
  std::string made_;
};

}  // namespace cbst
