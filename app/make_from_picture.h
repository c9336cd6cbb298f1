// make_from_picture.h: the ways into making a puzzle: a picture file the
// player picks, drops on the table or names on the command line, and the
// picture on the clipboard.
#pragma once

#include <string>
#include <string_view>

#include "app/wedpuz.h"
#include "ui/window.h"

namespace cbst {

class GameSaver;

// The entry window's command: pick a picture file.
inline constexpr std::uint32_t kCommandPickPicture = 120;
inline constexpr char kPickPictureTitle[] = "Select an image file";
inline constexpr char kPictureFilter[] =
    "All supported images|*.jpg;*.jpeg;*.fif;*.bmp|JPEG files|*.jpg;*.jpeg;*.fif|"
    "BitMap files|*.bmp;*.dib|";
inline constexpr std::string_view kHistorySection = "History";
inline constexpr std::string_view kKeyLastImage = "LastImage";
// Dictionary texts.
inline constexpr int kTextUseClipboard = 800;
inline constexpr int kTextLoadingPicture = 569;
inline constexpr char kSixteenColours[] =
    "Sorry. Puzzles can only be created running on 256 color mode or higher\r\n(Your video card "
    "is configured at 16 color resolution. Check if is posible to change the configuration, and "
    "you'll see a great improvement in the images)";

// What making a puzzle needs from the program.
struct MakeContext {
  MakePlaces places;
  GameSaver* saver = nullptr;  // offers the game on the table for saving
};

// The whole interaction for the picture file `file`, or the clipboard's
// picture when it is null: true when a puzzle was made. Only one runs at
// a time; a second asks nothing and returns false.
bool MakePuzzleFromPicture(const MakeContext& context, const char* file);

// Whether `path` names a picture a puzzle can be made of, by its extension
// in any case: jpg, jpe, jpeg, jfif, bmp or gif.
bool IsPictureFile(std::string_view path);

// The entry window: its command 120 lets the player pick a picture file and
// makes a puzzle of it; a picture file dropped on it (event 20) too.
class WMakePuzzle final : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  explicit WMakePuzzle(MakeContext context) : context_(std::move(context)) {}
  void OnEvent(Event& event) override;

  // Whether a puzzle was made.
  bool made() const { return made_; }

 private:
  void PickPicture();

  MakeContext context_;
  bool made_ = false;
};

// Menu item 1300 (Ctrl+C): the entry window asks for a picture file.
bool PickAndMakePuzzle(const MakeContext& context);
// A file list dropped on the table: the first picture in it.
bool MakePuzzleFromDrop(const MakeContext& context, Event& dropped);

}  // namespace cbst
