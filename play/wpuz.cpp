// wpuz.cpp: the table window: its painting and furniture, its size, and
// what a press on no piece does there.
#include "play/wpuz.h"

#include <algorithm>
#include <utility>

#include "base/cp1252.h"
#include "gfx/dc.h"
#include "gfx/dc_mem.h"
#include "gfx/drawing_tools.h"
#include "platform/busy.h"
#include "platform/cursors.h"
#include "platform/display.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "play/game_flags.h"
#include "play/game_handler.h"
#include "play/wbox.h"
#include "play/wloupe.h"
#include "play/wmuestra.h"
#include "play/wnpieces.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/pop_menu.h"
#include "ui/progress_window.h"
#include "ui/tips.h"

namespace cbst {
namespace {

// The identity sits this far from the bottom-right corner, in white.
constexpr int kIdentityMargin = 6;
constexpr std::uint32_t kIdentityColour = 0xFFFFFF;
// The tack's home and the loupe's icon keep this far from the table's
// bottom-left corner and from each other.
constexpr int kFurnitureMargin = 2;
// The preview picture is hit this much beyond its edges.
constexpr int kPreviewHitMargin = 1;
// The completion effect keeps this far inside the finished picture.
constexpr int kCompletionInset = 16;
// A paint of the whole table shows the wait cursor once it lasts this long.
constexpr std::int64_t kBusyPaintMicroseconds = 1'500'000;

}  // namespace

const ClassInfo WPuz::kClass = {&WSPuz::kClass, "WPuz"};

WPuz::WPuz(Puz& puz)
    : TableBase(puz, QueryDisplay().width, QueryDisplay().height),
      WSPuz(board(), *this, kTableWindow, play_state),
      loupe_picture_(LoadProgramBitmap(kBitmapLoupe, ScreenPixelRatio())) {
  // The table hears of the program going behind another one.
  flags |= kWindowForwardOther;
  // The table counts in the screen's device pixels; the boxes' squares keep
  // their size on the screen.
  SetBoxScale(ScreenPixelRatio());
  play_state.windows = &boxes_;
  PlaceFurniture();
}

WPuz::~WPuz() = default;

bool WPuz::CreateTable(std::string_view title) {
  const DisplayFacts screen = QueryDisplay();
  const Rect16 whole = {0, 0, static_cast<std::int16_t>(screen.width),
                        static_cast<std::int16_t>(screen.height)};
  if (!Create(nullptr, whole, title,
              kStyleFullScreen | kStyleHidden | kStyleAcceptsFiles | kStyleDevicePixels))
    return false;
  const Rect16 client = ClientRect();
  if (client.width > 0 && client.height > 0) Resize(client.width, client.height);
  PlaceFurniture();
  PaintArea();
  SetTimer(kTableTickTimer, kTableTickMilliseconds);
  return true;
}

void WPuz::PlaceFurniture() {
  cXinx& tack = play_state.tack;
  const int margin = ChromePixels(kFurnitureMargin);
  tack.set_home(margin, height() - margin - tack.picture().height);
  loupe_icon_ = {static_cast<std::int16_t>(tack.home().x + tack.home().width + margin),
                 static_cast<std::int16_t>(height() - margin - loupe_picture_.height),
                 static_cast<std::int16_t>(loupe_picture_.width),
                 static_cast<std::int16_t>(loupe_picture_.height)};
}

void WPuz::Refresh() {
  Show({});
}

void WPuz::OnEvent(Event& event) {
  // While an animation runs, what the player or the window manager asks
  // of the table waits for its end: nothing starts a second drag, ends the
  // game or replaces the back buffer under it. Mouse moves are stale by then.
  if (play_state.animating > 0 && (event.code == kEventCommand || event.code == kEventKey ||
                                   event.code == kEventMouse || event.code == kEventSize)) {
    const auto* mouse = event.as<MousePayload>();
    const bool move =
        mouse && (mouse->subcode == kMouseMove || mouse->subcode == kMouseLeftDrag ||
                  mouse->subcode == kMouseRightDrag || mouse->subcode == kMouseMiddleDrag);
    const auto* key = event.as<KeyPayload>();
    if (play_state.input_ends_animation && (mouse || key)) {
      // The modifiers belong to the gesture that started the show.
      const bool modifier =
          key && (key->virtual_key == kVirtualShift || key->virtual_key == kVirtualControl ||
                  key->virtual_key == kVirtualAlt);
      const bool pressed =
          key ? key->kind == KeyKind::kDown && !modifier && !key->repeat
              : mouse->subcode >= kMouseLeftDown && mouse->subcode <= kMouseMiddleDouble;
      if (pressed) play_state.animation_interrupted = true;
      if (key && !pressed) held_.push_back(event);
    } else if (!mouse || !move) {
      held_.push_back(event);
    }
    event.set_handled();
    return;
  }
  switch (event.code) {
    case kEventSize:
      if (const auto* size = event.as<SizePayload>(); size && size->width > 0 && size->height > 0) {
        Resize(size->width, size->height);
        PlaceFurniture();
        Show({});
        if (WMuestra* preview = preview_window()) preview->KeepInside();
      }
      break;
    case kEventMouse:
      if (const auto* mouse = event.as<MousePayload>()) {
        if (preview_dragged_ && mouse->subcode == kMouseMove) {
          MovePreviewOutline(mouse->x, mouse->y);
        } else {
          // The mouse came off a closed box, or off a window lying on the
          // table, onto the table: its tip goes.
          if (Application* application = Application::Instance()) {
            const int tip = application->tips().control_id();
            const Window* over = application->tips().window();
            if ((tip >= kClosedBoxTipIds && tip < kClosedBoxTipIdsEnd) ||
                (tip != 0 && over && over != this && over->parent() == this))
              application->tips().Hover(HoverPayload{});
          }
          WSPuz::OnEvent(event);
          // A drop may have laid pieces over the preview picture or taken
          // them off it.
          if (mouse->subcode == kMouseLeftUp) RecountPreview();
        }
        // The loupe looks at what the table shows after the move.
        LoupeFollow(mouse->x, mouse->y);
        event.set_handled();
        return;
      }
      break;
    case kEventKey:
      if (const auto* key = event.as<KeyPayload>(); key && LoupeKey(*key)) {
        event.set_handled();
        return;
      }
      break;
    case kEventTimer:
      if (const auto* timer = event.as<TimerPayload>()) {
        OnTimer(timer->id);
        event.set_handled();
        return;
      }
      break;
    case kEventCommand:
      // However the table is asked to close (its close box, the window
      // manager, the end of the session), the game quits: the boxes go,
      // the closing animation runs, and the game then closes the table.
      if (const auto* command = event.as<CommandPayload>();
          command && !closing_ && play_state.game &&
          (command->id == kCommandClose || command->id == kCommandEndSession)) {
        play_state.game->OnGameEvent(event);
        if (event.handled()) return;
      }
      break;
    case kEventOther:
      // Losing the program's activation drops what the player carries;
      // the clock stands still until the player comes back.
      if (const auto* activation = event.as<ActivationPayload>()) {
        if (!activation->active) {
          DropNow();
          EndSelection();
          CloseLoupe();
        } else if (WMuestra* preview = preview_window(); preview && preview->shown()) {
          preview->Raise();
        }
        if (effects_) effects_->ProgramActive(activation->active);
        event.set_handled();
        return;
      }
      break;
    default:
      break;
  }
  // Handling the event may end the table (a close): nothing of it is read
  // afterwards.
  GameHandler* game = play_state.game;
  WSPuz::OnEvent(event);
  if (!event.handled() && game && event.code != kEventPaint && event.code != kEventEraseBackground)
    game->OnGameEvent(event);
}

void WPuz::Paint(DC& dc) {
  const Rect16 area = dc.paint_rectangle();
  if (area.width <= 0 || area.height <= 0) return;
  if (const Palette* table_palette = palette()) {
    dc.SelectPalette(const_cast<Palette*>(table_palette));
    dc.RealisePalette();
  }
  dc.Transfer(area.x, area.y, area.width, area.height, back_buffer().dc(), area.x, area.y);
}

void WPuz::ClearForClosing() {
  closing_ = true;
  Show({});
  if (exists()) Update();
}

Rect16 WPuz::PaintWhole(const std::function<Rect16(std::function<void()>)>& paint) {
  if (!exists() || play_state.animating != 0 || interruptible_paint_) return paint({});
  // A paint of a whole window may take long with many pieces: the windows'
  // own messages are let through as it goes, and the cursor tells the
  // player to wait once it lasts. What the player asks meanwhile waits for
  // the end of the paint.
  interruptible_paint_ = true;
  BeginAnimation();
  std::optional<WaitCursor> busy;
  const std::int64_t started = Now();
  const Rect16 painted = paint([&] {
    if (!busy && Now() - started > kBusyPaintMicroseconds) busy.emplace();
    if (Application* application = Application::Instance()) application->ProcessPending(false);
  });
  EndAnimation();
  interruptible_paint_ = false;
  return painted;
}

void WPuz::Show(const Rect16& rect) {
  if (paint_locks_ > 0) {
    if (rect.Empty()) {
      locked_whole_ = true;
    } else {
      locked_area_ = locked_area_.United(rect);
    }
    return;
  }
  const Rect16 painted = rect.Empty() ? PaintWhole([&](std::function<void()> handle_messages) {
    return PaintArea(rect, closing_, std::move(handle_messages));
  })
                                      : PaintArea(rect, closing_);
  ShowPainted(painted);
}

void WPuz::ShowCarried(const Rect16& rect) {
  if (paint_locks_ > 0) {
    Show(rect);
    return;
  }
  const Rect16 painted = PaintCarriedArea(rect);
  if (painted.Empty()) {
    Show(rect);
    return;
  }
  ShowPainted(painted);
}

void WPuz::ShowPainted(const Rect16& painted) {
  if (!closing_) {
    if (puz().cut.pieces.empty()) DrawIdentity(painted);
    DrawFurniture(painted);
  }
  frames_.Repainted(painted);
  if (exists()) Invalidate(painted);
  // What changed under the loupe shows in it too (a flight, a sparkle).
  if (loupe_)
    if (WLoupe* open = loupe(); open && painted.Overlaps(open->WindowRect())) open->MarkStale();
}

void WPuz::ShowNow(const Rect16& rect) {
  if (!exists()) return;
  Invalidate(rect);
  Update(rect);
  // Frames pass over the boxes as over the table: the boxes under the
  // area draw them too.
  for (int box = 0; box < boxes_.count(); ++box) {
    WBox* window = boxes_.window(box);
    if (!window || !window->exists()) continue;
    const Rect16 client = window->ClientOnTable();
    if (!client.Overlaps(rect)) continue;
    const Rect16 inside{static_cast<std::int16_t>(rect.x - client.x),
                        static_cast<std::int16_t>(rect.y - client.y), rect.width, rect.height};
    window->Invalidate(inside);
    window->Update(inside);
  }
}

void WPuz::DrawFurniture(const Rect16& painted) {
  DC& dc = back_buffer().dc();
  const cXinx& tack = play_state.tack;
  // The tack's home and the loupe belong to a game.
  if (puz().cut.pieces.empty()) return;
  if (!tack.away()) DrawProgramPicture(dc, tack.picture(), tack.home().x, tack.home().y, painted);
  DrawProgramPicture(dc, loupe_picture_, loupe_icon_.x, loupe_icon_.y, painted);
  for (const SPuz& piece : puz().cut.pieces) {
    if (!(piece.flags & kPieceThumbtack) || piece.box != kTableWindow) continue;
    const Rect16 on = tack.PictureAt(piece.board.x + piece.board.width / 2,
                                     piece.board.y + piece.board.height / 2);
    DrawProgramPicture(dc, tack.picture(), on.x, on.y, painted);
  }
  if (tack.away()) {
    const ProgramPicture& loose = tack.carried() ? tack.carried_picture() : tack.picture();
    DrawProgramPicture(dc, loose, tack.loose().x, tack.loose().y, painted);
  }
  sparkles_.Draw(dc, kTableWindow, painted, Now());
}

void WPuz::OnTimer(int id) {
  if (id == kSparkleTimer) {
    for (const Sparkles::Area& area : sparkles_.Advance(Now()))
      ShowSparkle(area);
    if (sparkles_.empty()) KillTimer(kSparkleTimer);
    return;
  }
  if (id != kTableTickTimer) return;
  if (effects_) effects_->ClockTick();
  if (!completion_) return;
  // Over the finished picture, or anywhere when the effect was asked for
  // before the end.
  Rect16 area{0, 0, static_cast<std::int16_t>(width()), static_cast<std::int16_t>(height())};
  const std::vector<SPuz>& pieces = puz().cut.pieces;
  if (board().solved() && !pieces.empty()) {
    area = Rect16{pieces.front().board.x, pieces.front().board.y, puz().picture_rect.width,
                  puz().picture_rect.height}
               .Grown(-kCompletionInset);
  }
  int x = 0, y = 0;
  if (completion_->Next(area, &x, &y)) Sparkle(kTableWindow, x, y);
  if (completion_->done()) completion_.reset();
}

void WPuz::DrawIdentity(const Rect16& painted) {
  if (identity_.empty()) return;
  DC& dc = back_buffer().dc();
  Application* application = Application::Instance();
  Font font = application ? application->font(Application::UiFont::kDialog) : Font();
  // The text keeps its size on the screen.
  font.height = ChromePixels(font.height);
  dc.Select(&font);
  const std::string text = Cp1252ToUtf8(identity_);
  const int margin = ChromePixels(kIdentityMargin);
  const int x = width() - margin - dc.TextWidth(text);
  const int y = height() - margin - dc.TextHeight();
  const Rect16 where = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                        static_cast<std::int16_t>(dc.TextWidth(text)),
                        static_cast<std::int16_t>(dc.TextHeight())};
  if (where.Overlaps(painted)) dc.Text(x, y, text, kIdentityColour);
  dc.Select(static_cast<Font*>(nullptr));
}

Rect16 WPuz::PreviewPlace() const {
  const Puz& game = const_cast<WPuz*>(this)->puz();
  if (!game.preview_picture || game.cut.pieces.empty() || game.HasOption(kOptionNoPreview) ||
      (game.game_flags & kGameNoPreview))
    return {};
  return {static_cast<std::int16_t>(preview_x_), static_cast<std::int16_t>(preview_y_),
          static_cast<std::int16_t>(game.preview_picture->width()),
          static_cast<std::int16_t>(game.preview_picture->height())};
}

void WPuz::AllowPreview(bool allowed) {
  const Rect16 before = PreviewPlace();
  if (allowed) {
    puz().game_flags &= ~kGameNoPreview;
    const Rect16 place = PreviewPlace();
    preview_x_ = std::clamp(preview_x_, 0, std::max(0, width() - place.width));
    preview_y_ = std::clamp(preview_y_, 0, std::max(0, height() - place.height));
  } else {
    // The picture goes, with its drag and its window.
    StopPreviewDrag();
    HidePreviewWindow();
    puz().game_flags |= kGameNoPreview;
  }
  RecountPreview();
  if (!exists()) return;
  Show(before);
  Show(PreviewPlace());
}

void WPuz::StopPreviewDrag() {
  if (!preview_dragged_) return;
  if (FrameSurface* surface = AnimationSurface()) {
    surface->InvertFrame(outline_, 1);
    surface->Present();
  }
  outline_ = {};
  SetPreviewDragged(false);
}

Rect16 WPuz::PreviewPicture() const {
  const Rect16 place = PreviewPlace();
  return place.Empty() ? place : place.Grown(kPreviewHitMargin);
}

bool WPuz::EndPreviewDrag(int x, int y) {
  if (!preview_dragged_) return false;
  StopPreviewDrag();
  const Rect16 before = PreviewPicture();
  preview_x_ = x - grip_x_;
  preview_y_ = y - grip_y_;
  RecountPreview();
  Show(before);
  Show(PreviewPicture());
  return true;
}

void WPuz::MovePreviewOutline(int x, int y) {
  FrameSurface* surface = AnimationSurface();
  if (!surface) return;
  surface->InvertFrame(outline_, 1);
  outline_ = PreviewPicture();
  outline_.x = static_cast<std::int16_t>(outline_.x + x - grip_x_ - preview_x_);
  outline_.y = static_cast<std::int16_t>(outline_.y + y - grip_y_ - preview_y_);
  surface->InvertFrame(outline_, 1);
  surface->Present();
}

bool WPuz::PressOnNothing(int x, int y, Button button, std::uint8_t modifiers, bool twice) {
  const bool game = !puz().cut.pieces.empty();
  if (game && tack_home().ContainsPoint(x, y)) {
    TakeTack(x, y);
    Show(tack_home());
    return true;
  }
  if (game && loupe_icon_.ContainsPoint(x, y)) {
    OpenLoupe(kLoupeLeftButton, x, y);
    return true;
  }
  const Rect16 preview = PreviewPicture();
  if (!twice && preview.ContainsPoint(x, y)) {
    if (button == Button::kLeft) {
      SetPreviewDragged(true);
      grip_x_ = x - preview_x_;
      grip_y_ = y - preview_y_;
      outline_ = {};
      MovePreviewOutline(x, y);
    } else {
      OpenGameMenu(kMenuPreview, x, y);
    }
    return true;
  }
  if (button != Button::kLeft) return false;
  if (twice && game) {
    SendToGame(kCommandPreview);
  } else if (!game) {
    OpenGameMenu(kMenuGame, x, y);
  } else if (play_state.game && !SelectionKeyHeld(modifiers)) {
    // With Ctrl or Enter the press begins a rubber band, no question of
    // how pieces are moved.
    play_state.game->EmptyTableClicked();
  }
  return true;
}

void WPuz::OpenWindowMenu(int x, int y) {
  OpenGameMenu(kMenuGame, x, y);
}

void WPuz::OpenGameMenu(int kind, int x, int y) {
  if (!play_state.game) return;
  XPopMenu menu;
  play_state.game->BuildMenu(kind, menu);
  menu.AskDecorations(*this);
  if (const std::uint32_t chosen = menu.Track(*this, x, y))
    SendToGame(chosen, menu.Find(chosen)->parameter);
}

void WPuz::SendToGame(std::uint32_t command, std::intptr_t parameter) {
  if (!play_state.game) return;
  Event event = MakeEvent(kEventCommand, CommandPayload{command, parameter});
  event.target = this;
  play_state.game->OnGameEvent(event);
}

int WPuz::MessageBox(std::string_view text, std::uint32_t style) {
  ++message_boxes_;
  if (exists()) Activate();
  const int answer = ShowMessageBox(platform_window(), text, style);
  if (--message_boxes_ == 0 && requests_waiting_) {
    requests_waiting_ = false;
    if (Application* application = Application::Instance())
      application->Post(this, MakeEvent(kEventRequestsWaiting));
  }
  return answer;
}

FrameSurface* WPuz::AnimationSurface() {
  return exists() ? &frames_ : nullptr;
}

bool WPuz::CtrlAndAltHeld() const {
  return KeyDown(kVirtualControl) && KeyDown(kVirtualAlt);
}

ProgressSink* WPuz::Progress(int message) {
  if (!exists()) return nullptr;
  progress_ = ProgressWindowFor(message);
  return progress_.get();
}

std::unique_ptr<ProgressSink> WPuz::ProgressWindowFor(int message) {
  if (!exists()) return nullptr;
  auto window = std::make_unique<ProgressWindow>(this, kProgressPercentBar);
  window->SetText(Text(message));
  return window;
}

void WPuz::SetBusy(bool busy) {
  busy_ += busy ? 1 : -1;
  // A puzzle being opened: the boxes of the game before it go, and those
  // of the new game come once it is ready.
  if (busy && busy_ == 1) {
    boxes_.Close();
    // The preview window and the loupe showed the game before it.
    HidePreviewWindow();
    CloseLoupe();
  }
  if (busy_ <= 0) {
    progress_.reset();
    boxes_.Open();
    RecountPreview();
  }
  if (exists()) SetWindowCursor(platform_window(), busy_ > 0 ? kCursorWait : kCursorArrow);
}

bool WPuz::ChooseCustomSize(Puz& puz) {
  return AskCustomSize(*this, puz);
}

void WPuz::Redraw(std::uint8_t window, const Rect16& rect) {
  // What moved takes its shadow along, below and to the right of it.
  const int depth = ChooseShadowParameters(puz(), shadows()).depth;
  const Rect16 area{rect.x, rect.y, static_cast<std::int16_t>(rect.width + depth),
                    static_cast<std::int16_t>(rect.height + depth)};
  if (window != kTableWindow) {
    if (paint_locks_ == 0) {
      boxes_.Redraw(window, area);
      return;
    }
    const auto pending =
        std::ranges::find(locked_boxes_, window, &std::pair<std::uint8_t, Rect16>::first);
    if (pending == locked_boxes_.end()) {
      locked_boxes_.emplace_back(window, area);
    } else {
      pending->second = pending->second.United(area);
    }
    return;
  }
  Show(area);
}

void WPuz::RedrawCarried(std::uint8_t window, const Rect16& was, const Rect16& now) {
  if (window != kTableWindow || closing_ || !CarriedOverLayer()) {
    Redraw(window, was.United(now));
    return;
  }
  // Where the picture was and where it is now, each with its shadow: one
  // area when they meet, two otherwise.
  const int depth = ChooseShadowParameters(puz(), shadows()).depth;
  const auto with_shadow = [depth](const Rect16& rect) {
    return Rect16{rect.x, rect.y, static_cast<std::int16_t>(rect.width + depth),
                  static_cast<std::int16_t>(rect.height + depth)};
  };
  const Rect16 left = with_shadow(was);
  const Rect16 arrived = with_shadow(now);
  if (left.Grown(kPaintMargin).Overlaps(arrived.Grown(kPaintMargin))) {
    ShowCarried(left.United(arrived));
  } else {
    ShowCarried(left);
    ShowCarried(arrived);
  }
}

void WPuz::RedrawPiece(int piece) {
  const SPuz& drawn = puz().cut.pieces[static_cast<std::size_t>(piece)];
  Redraw(drawn.box, drawn.window);
}

void WPuz::LockPainting(bool locked) {
  paint_locks_ += locked ? 1 : -1;
  if (paint_locks_ != 0) return;
  // Drawn once, and only where something asked for it: a drop re-places
  // its group under this lock, and a repaint of the whole table at every
  // drop costs milliseconds on a table of thousands of pieces.
  const bool whole = std::exchange(locked_whole_, false);
  const Rect16 area = std::exchange(locked_area_, Rect16{});
  const auto boxes = std::exchange(locked_boxes_, {});
  if (whole) {
    Show({});
  } else if (!area.Empty()) {
    Show(area);
  }
  for (const auto& [window, rect] : boxes)
    boxes_.Redraw(window, rect);
}

Rect16 WPuz::Surface(std::uint8_t window) {
  if (window != kTableWindow) {
    if (const Rect16 client = boxes_.Surface(window); !client.Empty()) return client;
  }
  return TableBase::Surface(window);
}

std::vector<Rect16> WPuz::CoveredAreas(std::uint8_t window, bool animating) {
  std::vector<Rect16> covered = TableBase::CoveredAreas(window, animating);
  const Application* application = Application::Instance();
  if (window == kTableWindow && score_window_ && application && application->Holds(score_window_) &&
      score_window_->visible())
    covered.push_back(score_window_->WindowRect());
  return covered;
}

void WPuz::PiecesChangedWindow() {
  boxes_.CountPieces();
  RecountPreview();
}

std::uint8_t WPuz::BoxUnder(std::uint8_t window, const Rect16& rect) {
  return boxes_.BoxUnder(window, rect);
}

void WPuz::RevealPiece(int piece) {
  const std::uint8_t box = puz().cut.pieces[static_cast<std::size_t>(piece)].box;
  if (box == kTableWindow || box >= puz().boxes.size()) return;
  if (puz().game_flags & kGameHideBoxes) {
    puz().game_flags &= ~kGameHideBoxes;
    boxes_.ShowAll();
  }
  // The hint shows the box without its sound.
  if (puz().boxes[box].closed()) boxes_.Toggle(box, true);
}

void WPuz::Animate(const RectAnimation& animation, AnimationClock* clock) {
  if (FrameSurface* surface = AnimationSurface())
    AnimateRectangle(animation, *surface, clock ? *clock : *play_state.clock);
}

void WPuz::PlaySound(BoardSound sound) {
  if (effects_) effects_->PlaySound(sound);
}

void WPuz::Sparkle(std::uint8_t window, int x, int y) {
  if (no_sparkle_) return;
  if (sparkles_.empty() && exists()) SetTimer(kSparkleTimer, kSparkleFrameMilliseconds);
  sparkles_.Start(window, x, y, Now());
  ShowSparkle(
      {window, Rect16{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 1, 1}.Grown(
                   kSparkleRadius)});
}

void WPuz::ShowSparkle(const Sparkles::Area& area) {
  if (area.window == kTableWindow) {
    Show(area.rect);
  } else {
    boxes_.Redraw(area.window, area.rect);
  }
}

void WPuz::StartCompletionEffect(int sparkles) {
  completion_.emplace(sparkles, static_cast<std::uint32_t>(Now()));
  // The finished picture gets its frame.
  Show({});
}

void WPuz::StartClock() {
  if (effects_) effects_->StartClock();
}

void WPuz::StopClock() {
  if (effects_) effects_->StopClock();
}

void WPuz::PauseClock() {
  if (effects_) effects_->PauseClock();
}

void WPuz::ResumeClock() {
  if (effects_) effects_->ResumeClock();
}

void WPuz::CountJoinedSides(int sides) {
  if (effects_) effects_->CountJoinedSides(sides);
}

void WPuz::CountMove() {
  if (effects_) effects_->CountMove();
}

void WPuz::CountHelp(int cost) {
  if (effects_) effects_->CountHelp(cost);
}

void WPuz::AskForSave(bool urgent) {
  // A request made while a message box is open waits for it to close.
  if (message_boxes_ > 0) {
    requests_waiting_ = true;
    return;
  }
  if (effects_) effects_->AskForSave(urgent);
}

}  // namespace cbst
