// owner_draw.cpp: lists whose lines their window draws with its own DC.
//
// Each line is drawn into an image of its own size through a DC, then put on
// the list; the window sees a DC from (0, 0) to the line's size, whatever
// the list's scrolling.
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

#include "gfx/dc.h"
#include "gfx/drawing_surface_qt.h"
#include "ui/application.h"
#include "ui/control_qt.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

// One line's pixels, for a DC to draw on.
class LineSurface final : public DrawingSurface {
 public:
  LineSurface(QSize size, const QColor& background) : image_(size, QImage::Format_RGB32) {
    image_.fill(background);
  }
  QImage* Image() override { return &image_; }
  QRect ClientRect() const override { return image_.rect(); }

 private:
  QImage image_;
};

class OwnerDrawDelegate final : public QStyledItemDelegate {
 public:
  OwnerDrawDelegate(QListWidget* list, Window* window, int line_height)
      : QStyledItemDelegate(list),
        list_(list),
        window_(window),
        id_(list->property(kControlIdProperty).toInt()),
        line_height_(line_height) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (line_height_ <= 0) line_height_ = Measure(index);
    return {option.rect.width() > 0 ? option.rect.width() : list_->viewport()->width(),
            line_height_};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (!Alive() || option.rect.isEmpty()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    LineSurface surface(option.rect.size(), list_->palette().color(QPalette::Base));
    bool drawn = false;
    {
      DC dc(&surface, 0);
      OwnerDrawPayload line;
      line.control_id = id_;
      line.item = index.row();
      line.data = static_cast<std::intptr_t>(index.data(Qt::UserRole).toLongLong());
      line.dc = &dc;
      line.rect = {0, 0, static_cast<std::int16_t>(option.rect.width()),
                   static_cast<std::int16_t>(option.rect.height())};
      line.selected = (option.state & QStyle::State_Selected) != 0;
      line.focused = (option.state & QStyle::State_HasFocus) != 0;
      Event event = MakeEvent(kEventDrawItem, line);
      window_->Dispatch(event);
      drawn = event.handled();
    }
    if (!drawn) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    painter->drawImage(option.rect.topLeft(), *surface.Image());
  }

 private:
  bool Alive() const {
    Application* application = Application::Instance();
    return list_ && application && application->Holds(window_);
  }
  // The window's height for the lines; the toolkit's own when it gives none.
  int Measure(const QModelIndex& index) const {
    constexpr int kFallbackHeight = 16;
    if (!Alive()) return kFallbackHeight;
    OwnerDrawPayload line;
    line.control_id = id_;
    line.item = index.row();
    line.data = static_cast<std::intptr_t>(index.data(Qt::UserRole).toLongLong());
    Event event = MakeEvent(kEventMeasureItem, line);
    window_->Dispatch(event);
    const int height = event.handled() ? event.as<OwnerDrawPayload>()->height : 0;
    return height > 0 ? height : list_->fontMetrics().height() + 2;
  }

  QPointer<QListWidget> list_;
  Window* window_;
  int id_;
  mutable int line_height_;
};

}  // namespace

void MakeOwnerDrawn(QWidget* widget, Window* window, int line_height) {
  auto* list = qobject_cast<QListWidget*>(widget);
  if (!list) return;
  list->setUniformItemSizes(true);
  list->setItemDelegate(new OwnerDrawDelegate(list, window, line_height));
}

}  // namespace cbst
