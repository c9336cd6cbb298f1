// placement.cpp: window placements and recent files in the settings file.
#include "ui/placement.h"

#include <QWidget>

#include <cstdlib>

#include "platform/platform_window_qt.h"
#include "platform/profile.h"
#include "ui/top_level_place_qt.h"
#include "ui/window.h"

namespace cbst {
namespace {

constexpr std::string_view kActive = "ACT";
constexpr std::string_view kMaximised = "MAX";
constexpr std::string_view kMinimised = "MIN";

std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

std::optional<int> Number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const long value = std::strtol(copy.c_str(), &end, 10);
  if (end == copy.c_str() || *end) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::string FormatPlacement(const Placement& placement) {
  std::string text = std::to_string(placement.left.value_or(0)) + "," +
                     std::to_string(placement.top.value_or(0)) + "," +
                     std::to_string(placement.width.value_or(0)) + "," +
                     std::to_string(placement.height.value_or(0));
  if (placement.active) text += ",ACT";
  if (placement.maximised) {
    text += ",MAX";
  } else if (placement.minimised) {
    text += ",MIN";
  }
  return text;
}

Placement ParsePlacement(std::string_view text) {
  Placement placement;
  const std::vector<std::string_view> parts = Split(text);
  std::optional<int>* numbers[] = {&placement.left, &placement.top, &placement.width,
                                   &placement.height};
  std::size_t index = 0;
  for (; index < parts.size() && index < 4; ++index) {
    if (parts[index] == kActive || parts[index] == kMaximised || parts[index] == kMinimised) break;
    *numbers[index] = Number(parts[index]);
  }
  for (; index < parts.size(); ++index) {
    if (parts[index] == kActive) placement.active = true;
    if (parts[index] == kMaximised) placement.maximised = true;
    if (parts[index] == kMinimised) placement.minimised = true;
  }
  return placement;
}

void SavePlacement(const char* settings, std::string_view name, const Window* window) {
  const QWidget* widget =
      window ? WidgetOf(const_cast<Window*>(window)->platform_window()) : nullptr;
  if (!widget) {
    WriteProfileString(settings, kPlacementSection, name, std::nullopt);
    return;
  }
  const QRect normal =
      widget->normalGeometry().isValid() ? widget->normalGeometry() : widget->geometry();
  Placement placement;
  placement.left = normal.x();
  placement.top = normal.y();
  placement.width = normal.width();
  placement.height = normal.height();
  placement.active = widget->isActiveWindow();
  placement.maximised = widget->isMaximized();
  placement.minimised = widget->isMinimized();
  WriteProfileString(settings, kPlacementSection, name, FormatPlacement(placement));
}

bool RestorePlacement(const char* settings, std::string_view name, Window& window) {
  const VString text = ReadProfileString(settings, kPlacementSection, name);
  QWidget* widget = WidgetOf(window.platform_window());
  if (text.empty() || !widget) return false;
  const Placement placement = ParsePlacement(text.view());
  const QRect now = widget->geometry();
  const QRect place(placement.left.value_or(now.x()), placement.top.value_or(now.y()),
                    placement.width.value_or(now.width()), placement.height.value_or(now.height()));
  widget->isWindow() ? PlaceTopLevel(widget, place) : widget->setGeometry(place);
  if (placement.maximised) {
    widget->showMaximized();
  } else if (placement.minimised) {
    widget->showMinimized();
  } else {
    widget->show();
  }
  if (placement.active) window.Activate();
  return true;
}

std::vector<VString> LoadRecents(const char* settings) {
  std::vector<VString> files;
  for (int index = 0; index < kMaxRecents; ++index) {
    VString file = ReadProfileString(settings, kRecentsSection, std::to_string(index));
    if (file.empty()) break;
    files.push_back(std::move(file));
  }
  return files;
}

void SaveRecents(const char* settings, const std::vector<VString>& files) {
  WriteProfileString(settings, kRecentsSection, std::nullopt, std::nullopt);
  for (std::size_t index = 0; index < files.size() && index < kMaxRecents; ++index)
    WriteProfileString(settings, kRecentsSection, std::to_string(index), files[index].view());
}

}  // namespace cbst
