// tips.cpp: when a tip shows, which text it has, and the balloon's drawing.
#include "ui/tips.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/cp1252.h"
#include "gfx/dc.h"
#include "gfx/dc_context_qt.h"
#include "platform/platform_window_qt.h"
#include "ui/application.h"
#include "ui/device_pixels_qt.h"

namespace cbst {
namespace {

constexpr std::int64_t kMicrosecondsPerMs = 1000;

ControlTextLookup control_text_lookup = nullptr;
bool tips_suppressed = false;

// The balloon's shape: an ellipse around the text, a pointer below or
// above it, and the pointer's tip this far into the control.
constexpr int kMaxTextWidth = 220;
constexpr int kTextPadding = 4;
constexpr double kEllipseGrowth = 1.42;  // an ellipse around a box is about sqrt 2 larger
constexpr int kPointerLength = 14;
constexpr int kPointerBase = 12;
constexpr int kPointerInset = 12;    // from the control's left edge, at most its middle
constexpr int kPointerFromLeft = 4;  // the pointer's place on the ellipse: a quarter along
const QColor kBalloonColour(255, 255, 225);
const QColor kOutlineColour(0, 0, 0);
const QColor kBalloonTextColour(0, 0, 0);

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char character) {
    return character == ' ' || character == '\t' || character == '\r' || character == '\n';
  });
}

// A label's "&" marks its accelerator letter; "&&" is an ampersand.
std::string WithoutMnemonic(std::string_view label) {
  std::string text;
  for (std::size_t at = 0; at < label.size(); ++at) {
    if (label[at] == '&' && at + 1 < label.size()) ++at;
    text += label[at];
  }
  return text;
}

QFont TipFont() {
  Application* application = Application::Instance();
  const Font font = application ? application->font(Application::UiFont::kSmall) : Font();
  QFont shown(QString::fromStdString(font.face));
  shown.setPixelSize(font.height);
  return shown;
}

QString Shown(std::string_view text) {
  // The program's texts break their lines with carriage returns too.
  QString shown = QString::fromStdString(Cp1252ToUtf8(text));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

// Where the balloon's pieces lie in its window: the ellipse, the pointer's tip
// at the top (pointing up) or at the bottom.
struct BalloonShape {
  QSize window;
  QRectF ellipse;
  QPointF tip;
  QRectF text;
};

BalloonShape ShapeFor(const QSize& text, bool points_up) {
  BalloonShape shape;
  const double width = text.width() * kEllipseGrowth + 2 * kTextPadding;
  const double height = text.height() * kEllipseGrowth + 2 * kTextPadding;
  shape.window = QSize(static_cast<int>(std::ceil(width)) + 1,
                       static_cast<int>(std::ceil(height)) + kPointerLength + 1);
  const double top = points_up ? kPointerLength : 0;
  shape.ellipse = QRectF(0.5, top + 0.5, width, height);
  shape.tip = QPointF(width / kPointerFromLeft, points_up ? 0.5 : shape.window.height() - 0.5);
  shape.text =
      QRectF(shape.ellipse.center().x() - text.width() / 2.0,
             shape.ellipse.center().y() - text.height() / 2.0, text.width(), text.height());
  return shape;
}

QPainterPath BalloonPath(const BalloonShape& shape, bool points_up) {
  QPainterPath ellipse;
  ellipse.addEllipse(shape.ellipse);
  // The pointer's base lies well inside the ellipse, so the two join
  // without a seam.
  const double base_y = shape.ellipse.center().y();
  const double base_x = shape.tip.x() + (points_up ? kPointerBase : -kPointerBase) / 2.0;
  QPainterPath pointer;
  pointer.moveTo(shape.tip);
  pointer.lineTo(base_x - kPointerBase / 2.0, base_y);
  pointer.lineTo(base_x + kPointerBase / 2.0, base_y);
  pointer.closeSubpath();
  return ellipse.united(pointer);
}

}  // namespace

void SetControlTextLookup(ControlTextLookup lookup) {
  control_text_lookup = lookup;
}

// ---- cBocadillo ----

const ClassInfo cBocadillo::kClass = {&Window::kClass, "cBocadillo"};

cBocadillo::~cBocadillo() {
  if (tips_) {
    tips_->balloon_ = nullptr;
    tips_->timer_running_ = false;
  }
}

bool cBocadillo::Pop(std::string_view text, const Rect16& control, Window& window) {
  QWidget* widget = WidgetOf(platform_window());
  const QWidget* host = WidgetOf(window.platform_window());
  if (!widget || !host) return false;
  // The balloon lies in the top-level window of the control, over its
  // children.
  QWidget* top = host->window();
  if (widget->parentWidget() != top) widget->setParent(top);
  text_ = text;
  const QFontMetrics metrics(TipFont());
  const QSize text_size =
      metrics.boundingRect(QRect(0, 0, kMaxTextWidth, 0), Qt::TextWordWrap, Shown(text)).size();
  const QRect room = top->rect();
  // The control's place counts in its window's pixels, the balloon's in
  // the toolkit's.
  const QRect logical = ToLogicalPixels(QRect(control.x, control.y, control.width, control.height),
                                        window.pixel_ratio());
  const QPoint corner = host->mapTo(top, logical.topLeft());
  const int anchor_x = corner.x() + std::min(kPointerInset, logical.width() / 2);
  // Below the control where there is room, otherwise above it.
  BalloonShape shape = ShapeFor(text_size, true);
  points_up_ = corner.y() + logical.height() + shape.window.height() <= room.bottom() + 1;
  if (!points_up_) shape = ShapeFor(text_size, false);
  int left = anchor_x - static_cast<int>(shape.tip.x());
  left =
      std::clamp(left, room.left(), std::max(room.left(), room.right() + 1 - shape.window.width()));
  const int top_y = points_up_ ? corner.y() + logical.height() : corner.y() - shape.window.height();
  widget->setGeometry(left, top_y, shape.window.width(), shape.window.height());
  // Shaped to the balloon, so that nothing around it covers the window
  // below; the outline's half pixel is kept inside.
  QPainterPathStroker outline;
  outline.setWidth(2);
  const QPainterPath balloon = BalloonPath(shape, points_up_);
  widget->setMask(
      QRegion(balloon.united(outline.createStroke(balloon)).toFillPolygon().toPolygon()));
  widget->raise();
  widget->show();
  widget->update();
  return true;
}

void cBocadillo::Hide() {
  QWidget* widget = WidgetOf(platform_window());
  if (!widget) return;
  widget->hide();
  // Hidden, it belongs to no window, so that none takes it along when it
  // closes.
  if (widget->parentWidget()) widget->setParent(nullptr);
}

bool cBocadillo::shown() const {
  const QWidget* widget = WidgetOf(const_cast<cBocadillo*>(this)->platform_window());
  return widget && widget->isVisible();
}

void cBocadillo::OnEvent(Event& event) {
  if (event.code == kEventTimer) {
    const auto* timer = event.as<TimerPayload>();
    if (timer && timer->id == kTipsTimerId) {
      event.set_handled();
      if (tips_) tips_->Tick();
      return;
    }
  }
  Window::OnEvent(event);
}

void cBocadillo::Paint(DC& dc) {
  DCContext* context = dc.context();
  if (!context || !context->image) return;
  // The balloon is drawn with the toolkit's painter, with smooth edges on
  // a see-through window.
  context->End();
  QPainter painter(context->image);
  painter.translate(context->origin);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(context->image->rect(), Qt::transparent);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFont font = TipFont();
  const QSize text_size =
      QFontMetrics(font)
          .boundingRect(QRect(0, 0, kMaxTextWidth, 0), Qt::TextWordWrap, Shown(text_))
          .size();
  const BalloonShape shape = ShapeFor(text_size, points_up_);
  painter.setPen(kOutlineColour);
  painter.setBrush(kBalloonColour);
  painter.drawPath(BalloonPath(shape, points_up_));
  painter.setFont(font);
  painter.setPen(kBalloonTextColour);
  painter.drawText(shape.text, Qt::AlignCenter | Qt::TextWordWrap, Shown(text_));
}

// ---- Tips ----

Tips::Tips(AnimationClock* clock) {
  set_clock(clock);
}

void Tips::set_clock(AnimationClock* clock) {
  if (!clock) {
    if (!own_clock_) own_clock_ = std::make_unique<SteadyAnimationClock>();
    clock = own_clock_.get();
  }
  clock_ = clock;
}

Tips::~Tips() {
  if (!balloon_) return;
  balloon_->tips_ = nullptr;
  DestroyWindow(balloon_, 0);
}

std::int64_t Tips::NowMs() const {
  return clock_->NowMicroseconds() / kMicrosecondsPerMs;
}

void Tips::set_suppressed(bool suppressed) {
  tips_suppressed = suppressed;
}

bool Tips::suppressed() {
  return tips_suppressed;
}

void Tips::set_enabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled_) Hide();
}

cBocadillo* Tips::balloon() const {
  return balloon_ && balloon_->shown() ? balloon_ : nullptr;
}

cBocadillo* Tips::Balloon() {
  // A window that closed with the balloon on it took the balloon along.
  if (balloon_ && !WidgetOf(balloon_->platform_window())) {
    balloon_->tips_ = nullptr;
    DestroyWindow(std::exchange(balloon_, nullptr), 0);
    timer_running_ = false;
  }
  if (balloon_) return balloon_;
  Application* application = Application::Instance();
  if (!application) return nullptr;
  auto* balloon = application->Make<cBocadillo>();
  if (!balloon->Create(nullptr, {0, 0, 1, 1}, "", kStyleHidden)) {
    application->Release(balloon);
    return nullptr;
  }
  QWidget* widget = WidgetOf(balloon->platform_window());
  // Never active, and the mouse goes through it to the control below,
  // which keeps its hover; what it leaves clear shows the window below.
  widget->setAttribute(Qt::WA_TranslucentBackground);
  widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
  widget->setAttribute(Qt::WA_ShowWithoutActivating);
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->setFocusPolicy(Qt::NoFocus);
  balloon->tips_ = this;
  balloon_ = balloon;
  return balloon_;
}

std::string Tips::TextOf(const HoverPayload& hover) {
  if (!IsBlank(hover.tip)) return hover.tip;
  if (!control_text_lookup || hover.control_id == 0) return {};
  const char* tip = control_text_lookup(kTipContext, hover.control_id);
  if (tip && !IsBlank(tip)) return tip;
  const char* label = control_text_lookup(kLabelContext, hover.control_id);
  if (label && !IsBlank(label)) return WithoutMnemonic(label);
  return {};
}

void Tips::Hover(const HoverPayload& hover) {
  const ClientPoint point{hover.x, hover.y};
  if (hover.control_id != 0 && hover.control_id == control_id_ && hover.window == window_ &&
      control_.ContainsPoint(point.x, point.y)) {
    // The same control: the rest begins again where the mouse is now.
    if (point != rest_point_) {
      rest_point_ = point;
      rest_ms_ = NowMs();
    }
    return;
  }
  Hide();
  control_id_ = hover.control_id;
  control_ = hover.control;
  window_ = hover.window;
  rest_point_ = point;
  rest_ms_ = NowMs();
  if (!enabled_ || suppressed() || control_id_ == 0 || !window_) return;
  std::string text = TextOf(hover);
  if (text.empty()) return;
  cBocadillo* balloon = Balloon();
  if (!balloon) return;
  text_ = std::move(text);
  hidden_ = false;
  balloon->SetTimer(kTipsTimerId, kTipsTimerMs);
  timer_running_ = true;
}

void Tips::Tick() {
  if (hidden_ || text_.empty() || !enabled_) {
    Hide();
    return;
  }
  if (NowMs() - rest_ms_ < kTipsRestMs) return;
  Application* application = Application::Instance();
  if (!window_ || !application || !application->Holds(window_)) {
    Hide();
    return;
  }
  cBocadillo* balloon = Balloon();
  if (balloon && balloon->Pop(text_, control_, *window_)) StopTimer();
}

void Tips::Hide() {
  if (balloon_) balloon_->Hide();
  StopTimer();
  text_.clear();
  hidden_ = true;
}

void Tips::StopTimer() {
  if (balloon_) balloon_->KillTimer(kTipsTimerId);
  timer_running_ = false;
}

}  // namespace cbst
