// placement.h: where windows were, and the recent files, in the settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/vstring.h"

namespace cbst {

class Window;

inline constexpr char kPlacementSection[] = "WPOS";
inline constexpr char kRecentsSection[] = "RECENTS";
inline constexpr int kMaxRecents = 10;  // one digit a key

// A window's normal rectangle (a missing number is the system's default),
// whether it was active, and maximised or minimised.
struct Placement {
  std::optional<int> left, top, width, height;
  bool active = false;
  bool maximised = false;
  bool minimised = false;
};

// "left,top,width,height" then ",ACT" and ",MAX" or ",MIN".
std::string FormatPlacement(const Placement& placement);
Placement ParsePlacement(std::string_view text);

// Saves `window`'s placement under its name (none deletes the key), and
// puts a window where it was saved, showing it as it was. False when the
// settings hold nothing for it.
void SavePlacement(const char* settings, std::string_view name, const Window* window);
bool RestorePlacement(const char* settings, std::string_view name, Window& window);

std::vector<VString> LoadRecents(const char* settings);
void SaveRecents(const char* settings, const std::vector<VString>& files);

}  // namespace cbst
