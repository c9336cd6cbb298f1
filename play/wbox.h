// wbox.h: WBox, the window of one piece box.
//
// An open box is a framed window over the table, with a caption naming the
// box and the pieces it holds; pieces are carried into it, inside it and out
// of it as on the table. A closed box is a small square in the box's colour
// parked along the bottom of the table: a double click opens it, a drag
// moves it, the right button gives its menu.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/bmp_mem.h"
#include "play/wspuz.h"

namespace cbst {

class BoxWindows;
struct PieceBox;

// The commands of a box's menu and keys.
inline constexpr std::uint32_t kCommandBoxRestore = 12;
inline constexpr std::uint32_t kCommandBoxColour = 170;
inline constexpr std::uint32_t kCommandBoxHideAll = 1006;
inline constexpr std::uint32_t kCommandBoxSpread = 1103;
inline constexpr std::uint32_t kCommandBoxLineUp = 1114;
inline constexpr std::uint32_t kCommandBoxEmpty = 1119;
inline constexpr std::uint32_t kCommandBoxOpen = 1120;
inline constexpr std::uint32_t kCommandBoxClose = 1121;
inline constexpr std::uint32_t kCommandBoxMaximise = 1122;
inline constexpr std::uint32_t kCommandBoxRename = 2602;
// The word after a box's piece count in its caption (singular; the plural
// is its plural context), and the tip of a closed box.
inline constexpr int kTextPieces = 500;
inline constexpr int kTextBoxName = 2600;
inline constexpr int kTextClosedBoxTip = 570;
// The tips of the closed squares go by these ids, one a box.
inline constexpr int kClosedBoxTipIds = 4000;
inline constexpr int kClosedBoxTipIdsEnd = kClosedBoxTipIds + 256;
// The help topic of the boxes.
inline constexpr int kHelpTopicBox = 113;

class WBox final : public WSPuz {
 public:
  static const ClassInfo kClass;

  WBox(BoxWindows& boxes, PieceBox& box);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }
  PieceBox* Box() override { return &box_; }

  // Makes the window as the box is: open at its place on the screen, or
  // closed as its square. Not shown yet.
  bool CreateBox(Window& table);
  // "3 Sky  (12 pieces)": the box's number, its name, and when open the
  // pieces it holds.
  std::string Title() const;
  // The closed square's tip: the box's name, and how to open it or move it.
  std::string Tip() const;
  void UpdateTitle();
  // Paints an area of the client (all of it when empty) from the board
  // and shows it.
  void Repaint(const Rect16& rect = {});
  // The client area on the table.
  Rect16 ClientOnTable() const;
  // Where the box's pieces lie: the client area, and for a closed box the
  // one it will have when it opens.
  Rect16 Floor() const;
  BmpMem* back_buffer() { return buffer_.get(); }
  // The frame fills the table, or goes back to where it was.
  void ToggleFrameMaximised();
  // Before the window goes: its rubber band and its hold on the mouse end.
  void LetGo();
  // When the window last came to the top: the topmost box is the latest.
  std::uint64_t raised_at() const { return raised_at_; }
  void set_raised_at(std::uint64_t when) { raised_at_ = when; }

  // A drag that goes on in the box: the box comes above the others, so
  // the piece it took is not hidden under another box.
  void ContinueDrag(int piece, int x, int y) override;

  void OnEvent(Event& event) override;
  void Move(const Rect16& rect) override;
  void Paint(DC& dc) override;

 protected:
  bool PressOnNothing(int x, int y, Button button, std::uint8_t modifiers, bool twice) override;
  void OpenWindowMenu(int x, int y) override;
  Rect16 ScrollLimit() override;
  void RepaintTack(const Rect16& area) override { Repaint(area); }
  void ToggleLoupe(int x, int y) override;

 private:
  // The mouse while the box is being moved or is closed; false when the
  // pieces in it take the event.
  bool OnBoxMouse(const MousePayload& mouse);
  // The closed square takes the mouse itself.
  void OnClosedMouse(const MousePayload& mouse);
  // The frame's minimise and maximise buttons, and the box's menu commands.
  bool OnFrameButton(std::uint32_t button);
  bool OnBoxCommand(std::uint32_t command);
  void OfferTip(bool shown);
  // Moving the box with the mouse: from a press, and as the mouse goes.
  void StartMove();
  void MoveWithMouse();
  bool OnKey(const KeyPayload& key);
  void Resized(int width, int height);
  void Remember();
  void PaintClosed(DC& dc);
  // The open window's place: the box's open rectangle, kept on the screen.
  Rect16 OpenPlace() const;

  BoxWindows& boxes_;
  PieceBox& box_;
  std::unique_ptr<BmpMem> buffer_;
  std::uint64_t raised_at_ = 0;
  bool moving_ = false;
  int grip_x_ = 0;
  int grip_y_ = 0;
};

}  // namespace cbst
