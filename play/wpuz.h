// wpuz.h: WPuz, the playing table: the full-screen window the pieces lie on.
//
// The table paints itself through the board painter into its back buffer
// and shows the screen only the rectangles that changed. Its furniture —
// the thumbtack's home and the loupe's icon at the bottom left, the tacks
// on pinned groups, the preview picture — is drawn over the pieces' paint.
// Without a game it shows the program's identity in its bottom-right
// corner. What the table does not handle itself goes to the game.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "play/box_windows.h"
#include "play/loupe.h"
#include "play/play_state.h"
#include "play/preview_cover.h"
#include "play/sparkle.h"
#include "play/table_base.h"
#include "play/table_effects.h"
#include "play/table_frames.h"
#include "play/wspuz.h"

namespace cbst {

class GameHandler;
class ProgressWindow;
class WLoupe;
class WMuestra;

// Sent to the table when the last message box it showed is closed while
// requests waited for it.
inline constexpr std::uint16_t kEventRequestsWaiting = 1004;
// The table's timers: the program's tick, and the sparkles' frames.
inline constexpr int kTableTickTimer = 1;
inline constexpr int kTableTickMilliseconds = 1000;
inline constexpr int kSparkleTimer = 2;
// The game's command that shows or hides the preview.
inline constexpr std::uint32_t kCommandPreview = 1104;
// The hint on a click on the empty table.
inline constexpr int kTextClickHint = 522;

// The play state lives before the window part of the table that uses it.
struct TablePlayState {
  PlayState play_state;
};

class WPuz final : public TableBase, private TablePlayState, public WSPuz {
 public:
  static const ClassInfo kClass;

  explicit WPuz(Puz& puz);
  ~WPuz() override;

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Makes the full-screen table, titled `title`, not shown yet.
  bool CreateTable(std::string_view title);
  // The text in the corner of a table without a game, in the program's
  // character set.
  void set_identity_text(std::string text) { identity_ = std::move(text); }
  const std::string& identity_text() const { return identity_; }
  void set_drag_cursor(int cursor) { play().drag_cursor = cursor; }
  void set_game(GameHandler* game) { play().game = game; }
  // Who plays the sounds, keeps the score and saves the game.
  void set_effects(TableEffects* effects) { effects_ = effects; }
  TableEffects* effects() const { return effects_; }
  // The player's NoSparkle setting.
  void set_no_sparkle(bool no_sparkle) { no_sparkle_ = no_sparkle; }
  const Sparkles& sparkles() const { return sparkles_; }
  // The frames of the animations and outlines running now (table
  // coordinates); the boxes draw them over themselves too.
  const TableFrames& animation_frames() const { return frames_; }
  bool completion_running() const { return completion_.has_value(); }
  // The preview picture taken off the table or put back for this game;
  // put back, it stays on the table whatever its size now.
  void AllowPreview(bool allowed);
  // The windows of the game's piece boxes.
  BoxWindows& boxes() { return boxes_; }
  // The score window lying on the table: scattered pieces keep clear of it
  // while it shows.
  void set_score_window(const Window* window) { score_window_ = window; }
  // The carried group's picture, to be drawn over the window it is in.
  const CarriedImage* carried_image() const { return carried(); }
  // A rectangle animation drawn on the table (table coordinates), paced by
  // `clock` (the table's when none).
  void Animate(const RectAnimation& animation, AnimationClock* clock = nullptr);
  // Paints the whole table again from the board and shows it.
  void Refresh();
  // Runs `paint`, a paint of a whole window (the table's or a box's), with
  // a message handler that lets the toolkit's own messages through every
  // few pieces and shows the wait cursor once the paint lasts; inside an
  // animation or another such paint, without one.
  Rect16 PaintWhole(const std::function<Rect16(std::function<void()>)>& paint);

  // The game's menu of `kind` at (x, y); the chosen command goes to the game.
  void OpenGameMenuAt(int kind, int x, int y) { OpenGameMenu(kind, x, y); }
  // The table empties itself before it closes: its background only.
  void ClearForClosing();
  // The game's clock stands still from one to the other (a dialog is
  // open); pauses nest.
  void PauseClock();
  void ResumeClock();
  // A message box over the table; the game waits while it is open.
  int MessageBox(std::string_view text, std::uint32_t style);
  bool busy_with_message() const { return message_boxes_ > 0; }

  // The furniture's places.
  const Rect16& tack_home() const { return play_state.tack.home(); }
  Rect16 loupe_icon() const { return loupe_icon_; }
  // The preview picture on the table, when the preview is allowed (empty
  // otherwise): where it lies, and where a click hits it.
  Rect16 PreviewPlace() const override;
  Rect16 PreviewPicture() const;
  // The pieces over the preview picture, and whether it is being dragged.
  const PreviewCover& preview_cover() const { return preview_cover_; }

  // The preview window: shown for this game when its picture is allowed,
  // remembering the key code that asked (0 for the mouse); hidden with the
  // clock standing still meanwhile. True when it is shown.
  bool ShowPreviewWindow(std::intptr_t key);
  void HidePreviewWindow();
  bool preview_window_shown() const;
  // The key code that showed the window.
  std::intptr_t preview_key() const;
  WMuestra* preview_window();

  // The loupe: opened at (x, y) of the table in `mode` (kLoupeLeftButton,
  // kLoupeBothButtons) when nothing stands in the way, or closed when one
  // is open. True when a loupe is open afterwards.
  bool OpenLoupe(std::uint8_t mode, int x, int y);
  void CloseLoupe();
  WLoupe* loupe();
  // The mouse is at (x, y) of the table, over whichever window.
  void LoupeFollow(int x, int y);
  // A key for the open loupe: true when it took it. Shift tapped alone
  // closes it; held for another key, it leaves it open.
  bool LoupeKey(const KeyPayload& key);
  // The player's loupe, and who hears of its changes (to keep them).
  void set_loupe_settings(const LoupeSettings& settings,
                          std::function<void(const LoupeSettings&)> changed = {});
  const LoupeSettings& loupe_settings() const { return loupe_settings_; }

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

  // PlayTable.
  bool CtrlAndAltHeld() const override;
  void SetBusy(bool busy) override;
  void SetCaption(std::string_view caption) override { SetTitle(caption); }
  bool ChooseCustomSize(Puz& puz) override;
  void StartClock() override;
  ProgressSink* Progress(int message) override;
  std::unique_ptr<ProgressSink> ProgressWindowFor(int message) override;

  // BoardHost: what a table that only shows its game does; playing it
  // adds the rest.
  void Redraw(std::uint8_t window, const Rect16& rect) override;
  void RedrawCarried(std::uint8_t window, const Rect16& was, const Rect16& now) override;
  void RedrawPiece(int piece) override;
  void LockPainting(bool locked) override;
  void Fly(int piece, int x, int y, int milliseconds) override;
  void AnimateTurn(int piece, int pivot_x, int pivot_y, int degrees, int milliseconds) override;
  void SpreadRuns(std::uint8_t window, bool animated, bool running) override;
  void SpreadStep(int landed, int total) override;
  void PlaySound(BoardSound sound) override;
  void Sparkle(std::uint8_t window, int x, int y) override;
  void StartCompletionEffect(int sparkles) override;
  void StopClock() override;
  void CountJoinedSides(int sides) override;
  void CountMove() override;
  void CountHelp(int cost) override;
  void AskForSave(bool urgent) override;
  Rect16 Surface(std::uint8_t window) override;
  std::vector<Rect16> CoveredAreas(std::uint8_t window, bool animating) override;
  std::uint8_t BoxUnder(std::uint8_t window, const Rect16& rect) override;
  void PiecesChangedWindow() override;

 protected:
  bool EndPreviewDrag(int x, int y) override;
  bool PressOnNothing(int x, int y, Button button, std::uint8_t modifiers, bool twice) override;
  void OpenWindowMenu(int x, int y) override;
  void RepaintTack(const Rect16& area) override { Show(area); }
  void ToggleLoupe(int x, int y) override { OpenLoupe(kLoupeBothButtons, x, y); }
  void PieceMoved(int piece) override;
  void RevealPiece(int piece) override;
  // The frames of animations and outlines, in the back buffer.
  FrameSurface* AnimationSurface() override;
  void BeginAnimation() override;
  void EndAnimation() override;
  void ShowFrame(bool input = false) override;

 private:
  // Paints `rect` of the back buffer and asks the screen to show it.
  void Show(const Rect16& rect);
  // Paints `rect` of the back buffer from the layer under the carried
  // group and the group's picture, and asks the screen to show it.
  void ShowCarried(const Rect16& rect);
  // The furniture and frames over a freshly painted area, which the screen
  // is asked to show.
  void ShowPainted(const Rect16& painted);
  // Puts `rect` of the back buffer on the screen before returning.
  void ShowNow(const Rect16& rect);
  void PlaceFurniture();
  void DrawFurniture(const Rect16& painted);
  void DrawIdentity(const Rect16& painted);
  void OpenGameMenu(int kind, int x, int y);
  void SendToGame(std::uint32_t command, std::intptr_t parameter = 0);
  // The outline of the preview picture being dragged, its grip kept.
  void MovePreviewOutline(int x, int y);
  // The picture's drag ends where it is; and the pieces over the picture
  // counted again, its place repainted when the count or the drag turned
  // from nothing to something or back.
  void StopPreviewDrag();
  void SetPreviewDragged(bool dragged);
  void RecountPreview();
  // The loupe made again at the new size, where the mouse is.
  void RemakeLoupe();

  // A sparkle's area painted again in its window.
  void ShowSparkle(const Sparkles::Area& area);
  // The timers' work: the sparkles' frames, and the program's tick.
  void OnTimer(int id);
  std::int64_t Now() const { return play_state.clock->NowMicroseconds(); }
  // Waits until the next frame of an animation is due.
  void WaitForFrame() { play_state.clock->Sleep(kAnimationFrameMicroseconds); }
  static constexpr std::int64_t kAnimationFrameMicroseconds = 10'000;

  std::string identity_;
  TableEffects* effects_ = nullptr;
  bool no_sparkle_ = false;
  const Window* score_window_ = nullptr;
  Sparkles sparkles_;
  std::optional<CompletionEffect> completion_;
  int paint_locks_ = 0;
  // What asked to be shown while painting was locked, for the unlock:
  // the whole table, or the union of the table's areas, and each box's.
  bool locked_whole_ = false;
  Rect16 locked_area_{};
  std::vector<std::pair<std::uint8_t, Rect16>> locked_boxes_;
  int busy_ = 0;
  int message_boxes_ = 0;
  bool closing_ = false;
  bool requests_waiting_ = false;
  // What reached the table while an animation ran, for after its end.
  std::vector<Event> held_;
  // An animated spread: when it began, and whether it is shown.
  std::int64_t spread_started_ = 0;
  bool spread_shown_ = false;
  // A paint of the whole table that lets messages through is under way.
  bool interruptible_paint_ = false;
  Rect16 loupe_icon_;
  ProgramPicture loupe_picture_;
  // The preview picture's top left on the table, and its drag: the grip
  // from the picture's corner and the outline shown while it moves.
  int preview_x_ = 0;
  int preview_y_ = 0;
  bool preview_dragged_ = false;
  int grip_x_ = 0;
  int grip_y_ = 0;
  Rect16 outline_;
  PreviewCover preview_cover_;
  // The preview window and the loupe are the application's windows; the
  // table borrows them while they exist.
  WMuestra* preview_window_ = nullptr;
  WLoupe* loupe_ = nullptr;
  LoupeSettings loupe_settings_;
  // Shift went down over an open loupe; let go alone, it closes it.
  bool shift_closes_loupe_ = false;
  std::function<void(const LoupeSettings&)> loupe_changed_;
  TableFrames frames_{*this, [this](const Rect16& area) { ShowNow(area); }};
  // The bar of a long opening, while the table is busy with it.
  std::unique_ptr<ProgressSink> progress_;
  // Last, so that the box windows go before anything they use.
  BoxWindows boxes_{*this};
};

}  // namespace cbst
