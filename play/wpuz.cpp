// wpuz.cpp: the table window's painting and its size.
#include "play/wpuz.h"

#include "base/cp1252.h"
#include "gfx/dc.h"
#include "gfx/dc_mem.h"
#include "gfx/drawing_tools.h"
#include "platform/cursors.h"
#include "platform/display.h"
#include "platform/key_state.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

// The identity sits this far from the bottom-right corner, in white.
constexpr int kIdentityMargin = 6;
constexpr std::uint32_t kIdentityColour = 0xFFFFFF;

}  // namespace

const ClassInfo WPuz::kClass = {&WSPuz::kClass, "WPuz"};

WPuz::WPuz(Puz& puz)
    : TableBase(puz, QueryDisplay().width, QueryDisplay().height),
      WSPuz(board(), *this, kTableWindow) {}

bool WPuz::CreateTable(std::string_view title) {
  const DisplayFacts screen = QueryDisplay();
  const Rect16 whole = {0, 0, static_cast<std::int16_t>(screen.width),
                        static_cast<std::int16_t>(screen.height)};
  if (!Create(nullptr, whole, title, kStyleFullScreen | kStyleHidden | kStyleAcceptsFiles))
    return false;
  const Rect16 client = ClientRect();
  if (client.width > 0 && client.height > 0) Resize(client.width, client.height);
  PaintArea();
  return true;
}

void WPuz::Refresh() {
  Show({});
}

void WPuz::OnEvent(Event& event) {
  if (event.code == kEventSize) {
    if (const auto* size = event.as<SizePayload>(); size && size->width > 0 && size->height > 0) {
      Resize(size->width, size->height);
      Show({});
    }
  }
  WSPuz::OnEvent(event);
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

void WPuz::Show(const Rect16& rect) {
  if (paint_locks_ > 0) return;
  const Rect16 painted = PaintArea(rect);
  if (puz().cut.pieces.empty()) DrawIdentity(painted);
  if (exists()) Invalidate(painted);
}

void WPuz::DrawIdentity(const Rect16& painted) {
  if (identity_.empty()) return;
  DC& dc = back_buffer().dc();
  Application* application = Application::Instance();
  Font font = application ? application->font(Application::UiFont::kDialog) : Font();
  dc.Select(&font);
  const std::string text = Cp1252ToUtf8(identity_);
  const int x = width() - kIdentityMargin - dc.TextWidth(text);
  const int y = height() - kIdentityMargin - dc.TextHeight();
  const Rect16 where = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                        static_cast<std::int16_t>(dc.TextWidth(text)),
                        static_cast<std::int16_t>(dc.TextHeight())};
  if (where.Overlaps(painted)) dc.Text(x, y, text, kIdentityColour);
  dc.Select(static_cast<Font*>(nullptr));
}

bool WPuz::CtrlAndAltHeld() const {
  return KeyDown(kVirtualControl) && KeyDown(kVirtualAlt);
}

void WPuz::SetBusy(bool busy) {
  busy_ += busy ? 1 : -1;
  if (exists()) SetWindowCursor(platform_window(), busy_ > 0 ? kCursorWait : kCursorArrow);
}

bool WPuz::ChooseCustomSize(Puz&) {
  // The custom-size dialog arrives with the new-game dialog; until then a
  // custom level cannot be asked for, so the opening ends quietly.
  return false;
}

void WPuz::Redraw(std::uint8_t window, const Rect16& rect) {
  if (window != kTableWindow) return;
  // What moved takes its shadow along, below and to the right of it.
  const int depth = ChooseShadowParameters(puz(), shadows()).depth;
  Show({rect.x, rect.y, static_cast<std::int16_t>(rect.width + depth),
        static_cast<std::int16_t>(rect.height + depth)});
}

void WPuz::RedrawPiece(int piece) {
  const SPuz& drawn = puz().cut.pieces[static_cast<std::size_t>(piece)];
  if (drawn.box == kOnTheBoard) Redraw(kTableWindow, drawn.window);
}

void WPuz::LockPainting(bool locked) {
  paint_locks_ += locked ? 1 : -1;
  if (paint_locks_ == 0) Show({});
}

void WPuz::Fly(int piece, int x, int y, int) {
  board().MovePiece(piece, 0, x, y);
}

}  // namespace cbst
