// dc.h: DC, a device context: something to draw on, with its drawing tools.
//
// A DC draws on a window's client area, a whole window, the screen or a
// memory bitmap (DCMem). Pens, brushes and fonts are selected into it;
// selecting none puts back what the first selection displaced.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "base/rect16.h"
#include "base/status_codes.h"
#include "gfx/drawing_tools.h"
#include "gfx/raster_op.h"

namespace cbst {

class Bmp;
class Palette;
class Region;
class DrawingSurface;
struct DCContext;

class DC {
 public:
  // How the context was made and what ending it means.
  static constexpr std::uint32_t kReleaseToWindow = 0x01;
  static constexpr std::uint32_t kEndPaint = 0x02;
  static constexpr std::uint32_t kDeleteContext = 0x04;
  static constexpr std::uint32_t kMemory = 0x08;
  static constexpr std::uint32_t kPaletteDevice = 0x20;

  // Constructor modes; the first that matches wins.
  static constexpr std::uint32_t kForPaint = 0x800;
  static constexpr std::uint32_t kDefaultPrinter = 0x200;
  static constexpr std::uint32_t kChosenPrinter = 0x400;
  static constexpr std::uint32_t kPrinterSetup = 0x100;
  static constexpr std::uint32_t kWholeWindow = 0x1000;
  static constexpr std::uint32_t kScreenIfNoWindow = 0x2000;

  // A context on `window` (or on the screen), made as `mode` says.
  DC(DrawingSurface* window, std::uint32_t mode);
  DC(const DC&) = delete;
  DC& operator=(const DC&) = delete;
  virtual ~DC();

  bool valid() const;
  std::uint16_t status() const { return status_; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t flags() const { return flags_; }
  // The area a paint request asks to draw (the whole surface otherwise).
  Rect16 paint_rectangle() const;

  // Makes `tool` current; none of its kind puts back the displaced one.
  void Select(Pen* pen);
  void Select(Brush* brush);
  void Select(Font* font);
  void Deselect(ToolSlot slot);
  const DrawingTool* current(ToolSlot slot) const { return current_[Index(slot)]; }

  // Clipping by a region in context coordinates (none: no clipping).
  void SetClip(const Region* region);

  // Draws with `palette` from now on, or with the master palette when the
  // palette's owner realises it that way (none of it on true colour).
  void SelectPalette(Palette* palette, bool background = false);
  const Palette* palette() const { return palette_; }
  // Puts the selected palette's colours into the display's palette; the
  // number of entries that changed.
  int RealisePalette();

  // Drawing with the current tools; colours are 0x00BBGGRR.
  void SetPixel(int x, int y, std::uint32_t colour);
  std::uint32_t GetPixel(int x, int y);
  void FillRect(const Rect16& rect, const Brush& brush);
  void Rectangle(const Rect16& rect);
  void Ellipse(const Rect16& rect);
  void Line(int x0, int y0, int x1, int y1);
  // A frame `thickness` pixels wide just inside `rect`, each pixel inverted.
  void InvertFrame(const Rect16& rect, int thickness);
  // Every pixel covered by any of `rects` XORed once with `colour`, where
  // they overlap too: drawing the same rectangles again restores the pixels.
  void XorFill(std::span<const Rect16> rects, std::uint32_t colour);
  // Text in UTF-8 with its top left at (x, y), in the current font.
  void Text(int x, int y, std::string_view text, std::uint32_t colour);
  int TextWidth(std::string_view text);
  int TextHeight();

  // Block transfers from another context.
  void Transfer(int x, int y, int width, int height, DC& from, int from_x, int from_y,
                RasterOp op = kSrcCopy);
  void Stretch(const Rect16& to, DC& from, const Rect16& part, RasterOp op = kSrcCopy);
  // Fills `rect` combining the current brush with what is there.
  void PatternFill(const Rect16& rect, RasterOp op);

  // Ends any drawing in progress so that the pixels can be read directly.
  void Flush();
  DCContext* context() const { return context_.get(); }

 protected:
  // A memory context, drawing on whatever bitmap is selected.
  DC();
  void Attach(Bmp* bitmap);
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  static constexpr int Index(ToolSlot slot) { return static_cast<int>(slot); }
  void SelectTool(ToolSlot slot, DrawingTool* tool);
  // Draws `part` (in the pixels' own coordinates) of `from` into `to`.
  void Combine(const DCContext& from, const Rect16& part, const Rect16& to, RasterOp op);
  friend class Bmp;
  friend class Dib;

  std::unique_ptr<DCContext> context_;
  DrawingSurface* window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::uint32_t flags_ = 0;
  std::uint16_t status_ = 0;
  std::array<DrawingTool*, kToolSlots> current_{};
  std::array<bool, kToolSlots> displaced_{};  // the default tool was displaced
  Palette* palette_ = nullptr;
  bool palette_background_ = false;
};

// A context on the whole screen, released when it goes.
class ScreenDC : public DC {
 public:
  ScreenDC() : DC(nullptr, kScreenIfNoWindow) {}
};

}  // namespace cbst
