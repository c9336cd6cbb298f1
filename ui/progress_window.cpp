// progress_window.cpp: when the progress window shows, and how it draws.
#include "ui/progress_window.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "base/cp1252.h"
#include "base/vstring.h"
#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "gfx/region.h"
#include "platform/platform_window_qt.h"
#include "ui/application.h"
#include "ui/top_level_place_qt.h"
#include "ui/window.h"

namespace cbst {
namespace {

constexpr std::int64_t kMicrosecondsPerMs = 1000;
constexpr double kWholePercent = 100.0;
// Keeps a value that should land on a whole percentage (a half of a
// fractional range, say) from falling just short of it.
constexpr double kPercentSlack = 1e-9;

constexpr int kPaneWidth = 280;
constexpr int kPaneHeight = 72;
constexpr int kMargin = 10;
constexpr int kBarHeight = 20;

// 0x00BBGGRR.
constexpr std::uint32_t kFaceColour = 0xC0C0C0;
constexpr std::uint32_t kEdgeColour = 0x808080;
constexpr std::uint32_t kBarColour = 0x800000;  // dark blue
constexpr std::uint32_t kPercentColour = 0xFFFFFF;
constexpr std::uint32_t kTextColour = 0x000000;

constexpr const char* kPercentFormat = "%i %%";

}  // namespace

// The window itself: it draws what the progress window says and tells it
// when it goes, as it does with its owner.
class ProgressWindow::Pane final : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  explicit Pane(ProgressWindow& progress) : progress_(&progress) {}
  ~Pane() override {
    if (progress_) {
      progress_->pane_ = nullptr;
      progress_->closed_ = true;
    }
  }
  void Paint(DC& dc) override {
    if (progress_) progress_->Draw(dc);
  }
  void Forget() { progress_ = nullptr; }

 private:
  ProgressWindow* progress_;
};

const ClassInfo ProgressWindow::Pane::kClass = {&Window::kClass, "WinProgress"};

ProgressWindow::ProgressWindow(Window* owner, std::uint32_t flags, AnimationClock* clock)
    : owner_(owner), flags_(flags) {
  if (!clock) {
    own_clock_ = std::make_unique<SteadyAnimationClock>();
    clock = own_clock_.get();
  }
  clock_ = clock;
  start_ms_ = NowMs();
}

ProgressWindow::~ProgressWindow() {
  if (!pane_) return;
  pane_->Forget();
  DestroyWindow(pane_, 0);
}

std::int64_t ProgressWindow::NowMs() const {
  return clock_->NowMicroseconds() / kMicrosecondsPerMs;
}

void ProgressWindow::SetRange(double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = maximum > minimum ? maximum : minimum + 1;
  value_ = std::clamp(value_, minimum_, maximum_);
}

void ProgressWindow::SetText(std::string_view text) {
  text_ = text;
  if (pane_) Redraw(NowMs());
}

int ProgressWindow::percent() const {
  const double share = (value_ - minimum_) * kWholePercent / (maximum_ - minimum_);
  return std::clamp(static_cast<int>(std::floor(share + kPercentSlack)), 0,
                    static_cast<int>(kWholePercent));
}

Rect16 ProgressWindow::bar_rect() const {
  return {kMargin, static_cast<std::int16_t>(kPaneHeight - kMargin - kBarHeight),
          static_cast<std::int16_t>(kPaneWidth - 2 * kMargin), kBarHeight};
}

Window* ProgressWindow::window() const {
  return pane_;
}

void ProgressWindow::Progress(double percent) {
  Report(minimum_ + percent * (maximum_ - minimum_) / kWholePercent);
}

int ProgressWindow::Report(double value) {
  if (flags_ & kProgressPumpMessages) {
    if (Application* application = Application::Instance()) application->ProcessPending();
  }
  value_ = std::clamp(value, minimum_, maximum_);
  const std::int64_t now = NowMs();
  if (!pane_) {
    const bool waited = now - start_ms_ >= kProgressFirstShowDelayMs;
    if (closed_ || (!waited && !(flags_ & kProgressShowAtOnce)) || !MakePane()) return 0;
    Redraw(now);
  } else if (percent() != last_drawn_ &&
             (now - last_draw_ms_ >= interval_ms_ || value_ >= maximum_)) {
    Redraw(now);
  }
  return (flags_ & kProgressAnswerDrawn) && last_drawn_ >= 0 ? 1 : 0;
}

bool ProgressWindow::MakePane() {
  Application* application = Application::Instance();
  if (!application) return false;
  // The owner may have gone while the work went on.
  Window* owner = application->Holds(owner_) ? owner_ : nullptr;
  Pane* pane = application->Make<Pane>(*this);
  if (!pane->Create(owner, {0, 0, kPaneWidth, kPaneHeight}, "", kStyleHidden)) {
    application->Release(pane);
    return false;
  }
  pane_ = pane;
  QWidget* widget = WidgetOf(pane->platform_window());
  // A small plate over the owner that never takes the focus from it.
  widget->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  widget->setAttribute(Qt::WA_ShowWithoutActivating);
  const QWidget* over = owner ? WidgetOf(owner->platform_window()) : nullptr;
  QRect area = over ? QRect(over->mapToGlobal(QPoint(0, 0)), over->size())
                    : (widget->screen() ? widget->screen()->availableGeometry() : QRect());
  CentreTopLevel(widget, area);
  widget->show();
  return true;
}

void ProgressWindow::Redraw(std::int64_t now_ms) {
  if (!pane_ || !pane_->surface()) return;
  {
    DC dc(pane_->surface(), 0);
    Draw(dc);
  }
  last_drawn_ = percent();
  last_draw_ms_ = now_ms;
  ++repaints_;
}

void ProgressWindow::Draw(DC& dc) {
  const Rect16 client = pane_ ? pane_->ClientRect() : Rect16{};
  const Brush face(kFaceColour);
  dc.FillRect(client, face);
  Font font = Application::Instance() ? Application::Instance()->font(Application::UiFont::kDialog)
                                      : Font();
  dc.Select(&font);
  if (!text_.empty()) dc.Text(kMargin, kMargin, Cp1252ToUtf8(text_), kTextColour);

  const Rect16 bar = bar_rect();
  Pen edge(kEdgeColour);
  Brush hollow(kFaceColour, true);
  dc.Select(&edge);
  dc.Select(&hollow);
  dc.Rectangle(bar);
  const Rect16 inside = bar.Grown(-1);
  const int shown = percent();
  const Rect16 filled{inside.x, inside.y,
                      static_cast<std::int16_t>(inside.width * shown / kWholePercent),
                      inside.height};
  if (!filled.Empty()) dc.FillRect(filled, Brush(kBarColour));
  if (flags_ & kProgressPercentBar) {
    const VString label = VString::Format(kPercentFormat, shown);
    const int x = inside.x + (inside.width - dc.TextWidth(label.view())) / 2;
    const int y = inside.y + (inside.height - dc.TextHeight()) / 2;
    // White on the filled bar; where the bar is still empty the same text
    // in the bar's colour, so that it reads on both.
    dc.Text(x, y, label.view(), kBarColour);
    if (!filled.Empty()) {
      const Region clip(filled);
      dc.SetClip(&clip);
      dc.Text(x, y, label.view(), kPercentColour);
      dc.SetClip(nullptr);
    }
  }
  dc.Deselect(ToolSlot::kPen);
  dc.Deselect(ToolSlot::kBrush);
  dc.Deselect(ToolSlot::kFont);
}

}  // namespace cbst
