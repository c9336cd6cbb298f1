// display.cpp: the real display's size and the simulated display's format.
#include "platform/display.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdlib>
#include <string>

namespace cbst {
namespace {

// Without a running toolkit (tools, tests) the screen is taken to be this.
constexpr int kDefaultScreenWidth = 1920;
constexpr int kDefaultScreenHeight = 1080;

constexpr int kSmallPaletteColours = 16;
constexpr int kLargePaletteColours = 256;
constexpr int kLargePaletteReserved = 20;

std::optional<std::string>& SelectedName() {
  static std::optional<std::string> name;
  return name;
}

}  // namespace

std::optional<DisplayFacts> SimulatedDisplay(std::string_view name) {
  DisplayFacts facts;
  if (name == "16") {
    facts.bit_count = 4;
    facts.palette_based = true;
    facts.palette_size = kSmallPaletteColours;
  } else if (name == "256") {
    facts.bit_count = 8;
    facts.palette_based = true;
    facts.palette_size = kLargePaletteColours;
    facts.reserved_colours = kLargePaletteReserved;
  } else if (name == "15") {
    facts.bit_count = 16;
  } else if (name == "16bpp") {
    facts.bit_count = 16;
    facts.bit_fields = true;
    facts.red_mask = 0xF800;
    facts.green_mask = 0x07E0;
    facts.blue_mask = 0x001F;
  } else if (name == "24") {
    facts.bit_count = 24;
  } else if (name == "32") {
    facts.bit_count = 32;
  } else {
    return std::nullopt;
  }
  return facts;
}

bool SelectSimulatedDisplay(std::string_view name) {
  if (!SimulatedDisplay(name)) return false;
  SelectedName() = std::string(name);
  return true;
}

double ScreenPixelRatio() {
  if (!qGuiApp) return 1.0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

int ChromePixels(int logical) {
  const double ratio = ScreenPixelRatio();
  return ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * ratio));
}

DisplayFacts QueryDisplay() {
  std::optional<DisplayFacts> facts;
  if (SelectedName()) {
    facts = SimulatedDisplay(*SelectedName());
  } else if (const char* variable = std::getenv(kDisplayVariable)) {
    facts = SimulatedDisplay(variable);
  }
  if (!facts) facts = SimulatedDisplay("32");

  facts->width = kDefaultScreenWidth;
  facts->height = kDefaultScreenHeight;
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const double ratio = screen->devicePixelRatio();
      facts->width = static_cast<int>(std::lround(screen->geometry().width() * ratio));
      facts->height = static_cast<int>(std::lround(screen->geometry().height() * ratio));
    }
  }
  return *facts;
}

}  // namespace cbst
