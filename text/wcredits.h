// wcredits.h: WCredits, the borderless window in which a text written in
// the program's markup scrolls slowly upwards, with its icons, bitmaps,
// background colour and music.
//
// The window lies over the middle of its parent, as a child of it, so that
// it shows over a full-screen table under any window system. The items are
// drawn once into an off-screen bitmap; the loop that runs the window moves
// them up a pixel at a time and shows the visible band. A click or a key
// closes it; every font, bitmap and the sound go with it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/rect16.h"
#include "gfx/bmp.h"
#include "gfx/bmp_mem.h"
#include "gfx/drawing_tools.h"
#include "gfx/rect_animation.h"
#include "text/credits_scroll.h"
#include "text/markup.h"
#include "ui/program_pictures.h"
#include "ui/window.h"

namespace cbst {

class SoundPlayer;

inline constexpr int kCreditsWidth = 360;
inline constexpr int kCreditsHeight = 200;
inline constexpr int kCreditsIconSize = 32;
inline constexpr int kCreditsItemGap = 4;
inline constexpr int kCreditsFrame = 1;
// Between the frame and the scrolling text.
inline constexpr int kCreditsMargin = 4;
inline constexpr std::uint32_t kCreditsFrameColour = 0xC0C0C0;

// The pictures the markup's "{@icon:n}" and "{@bmp:n}" items name by n.
// The window keeps them, and lets go of them as it closes.
struct CreditsPictures {
  std::map<long, ProgramPicture> icons;
  std::map<long, Bmp> bitmaps;
};

class WCredits final : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Reads `markup` (Windows-1252); `options` are kCreditsOnce and
  // kCreditsSelfClosing.
  WCredits(std::uint32_t options, std::string_view markup, CreditsPictures pictures);
  ~WCredits() override;

  // Sizes the window and shows it over the middle of `parent`, draws the
  // items off screen and starts the markup's sound on `sounds` (none: no
  // sound), the file being looked for in `sound_directory`.
  bool Open(Window* parent, SoundPlayer* sounds = nullptr, std::string_view sound_directory = {});

  // Scrolls `credits` (held by the application) on `clock` until the window
  // is gone, keeping the other windows alive; its exit code.
  static int Run(WCredits* credits, AnimationClock& clock);

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

  const Markup& markup() const { return markup_; }
  // Each item's place in the content, from its top.
  const std::vector<Rect16>& item_rects() const { return item_rects_; }
  int total_height() const { return total_height_; }
  const CreditsScroll& scroll() const { return scroll_; }
  // Where the content scrolls, in the client area.
  Rect16 text_area() const;

 private:
  // Measures the items and places them, centred, one below the other.
  void Layout(int width);
  void RenderContent();
  void DrawItem(DC& dc, std::size_t index);
  Font* FontOf(const MarkupItem& item);
  // One pixel up; false when the window is to close instead.
  bool StepOnce();
  // Closes the window once the event being handled is over.
  void AskToClose();
  // A size of the layout in the window's pixels, which are the parent's.
  int Scaled(int size) const;

  std::uint32_t flags_;
  Markup markup_;
  CreditsPictures pictures_;
  std::vector<Font> fonts_;
  Font fallback_font_;  // for a font number beyond the definitions
  std::vector<Rect16> item_rects_;
  std::vector<std::vector<std::string>> item_lines_;  // of text items, UTF-8
  std::vector<int> line_heights_;
  int total_height_ = 0;
  BmpMem content_;
  CreditsScroll scroll_;
  SoundPlayer* sounds_ = nullptr;
  bool closing_ = false;
  // Device pixels to a logical one when the parent counts in device pixels.
  double ratio_ = 1.0;
};

// Makes, opens and runs a credits window over `parent`: the exit code, or
// -1 when the window could not be made.
int ShowCredits(Window* parent, std::uint32_t flags, std::string_view markup,
                CreditsPictures pictures, SoundPlayer* sounds, std::string_view sound_directory,
                AnimationClock& clock);

}  // namespace cbst
