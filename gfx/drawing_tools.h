// drawing_tools.h: Pen, Brush and Font, the wrappers a DC draws with.
//
// Each knows the context it is selected into, so that destroying a selected
// tool puts back what it displaced instead of leaving the context drawing
// with something that is gone.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "gfx/graphics_object.h"

namespace cbst {

class DC;

// The tool kinds a DC keeps a slot for; the fourth is the palette.
enum class ToolSlot { kPen, kBrush, kFont, kPalette };
inline constexpr int kToolSlots = 4;

class DrawingTool : public GraphicsObject {
 public:
  DrawingTool(const DrawingTool& other) : GraphicsObject(other) {}
  DrawingTool& operator=(const DrawingTool&) { return *this; }
  ~DrawingTool();

  DC* selected_into() const { return selected_into_; }

 protected:
  explicit DrawingTool(GraphicsType type) : GraphicsObject(type) {}

 private:
  friend class DC;
  DC* selected_into_ = nullptr;
};

enum class PenStyle { kSolid, kDash, kDot, kNone };

class Pen : public DrawingTool {
 public:
  explicit Pen(std::uint32_t pen_colour = 0, int pen_width = 1,
               PenStyle pen_style = PenStyle::kSolid)
      : DrawingTool(GraphicsType::kPen), colour(pen_colour), width(pen_width), style(pen_style) {}

  std::uint32_t colour;  // 0x00BBGGRR
  int width;
  PenStyle style;
};

class Brush : public DrawingTool {
 public:
  // A solid brush, or a hollow one that fills nothing.
  explicit Brush(std::uint32_t brush_colour = 0xFFFFFF, bool is_hollow = false)
      : DrawingTool(GraphicsType::kBrush), colour(brush_colour), hollow(is_hollow) {}

  std::uint32_t colour;
  bool hollow;
};

class Font : public DrawingTool {
 public:
  explicit Font(std::string font_face = "Sans", int pixel_height = 13, bool is_bold = false,
                bool is_italic = false)
      : DrawingTool(GraphicsType::kFont),
        face(std::move(font_face)),
        height(pixel_height),
        bold(is_bold),
        italic(is_italic) {}

  std::string face;  // UTF-8
  int height;        // pixels
  bool bold;
  bool italic;
};

}  // namespace cbst
