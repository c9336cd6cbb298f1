// make_puzzle.h: what making a puzzle from a picture decides without a
// window: the background it proposes, the thumbnail, the file name and the
// values the new puzzle is written with.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"
#include "base/vstring.h"
#include "gfx/dib.h"
#include "puzzle/puz.h"

namespace cbst {

// The thumbnail a puzzle browser shows fits in this.
inline constexpr int kThumbnailWidth = 80;
inline constexpr int kThumbnailHeight = 60;
// The surprise thumbnail hides the picture: a gradient panel with a "?"
// above a grey band saying "(Surprise)".
inline constexpr int kSurpriseWidth = 70;
inline constexpr int kSurpriseBandHeight = 16;
inline constexpr std::uint32_t kSurpriseBand = 0xC0C0C0;
inline constexpr const char* kSurpriseText = "(Surprise)";
// Proposed backgrounds are neither darker nor brighter than these means.
inline constexpr int kDarkestBackground = 92;
inline constexpr int kBrightestBackground = 160;
// Characters a title may hold that a file name may not.
inline constexpr const char* kFileNameUnsafe = "\\/:*<>|?.";

// A colour 0x00BBGGRR near a few pixels taken at random from `picture`,
// lightened or darkened so pieces stand out on it.
std::uint32_t ProposeBackground(const Dib& picture);

// The picture fitted into 80 x 60, keeping its proportions.
Dib MakeThumbnail(const Dib& picture);
// The thumbnail of a surprise puzzle.
Dib MakeSurpriseThumbnail();

// `directory`/title.puz with every character of kFileNameUnsafe made "_";
// the Windows-1252 title becomes a UTF-8 name.
VString PuzzleFileName(const char* directory, const char* title);

// The puzzle file of `directory` whose header carries `title` (compared
// without regard to case; files older than version 1.99 keep no title),
// or empty when there is none.
std::string PuzzleWithTitle(const std::string& directory, std::string_view title);

// What the user chose for the new puzzle.
struct MakeRequest {
  VString title;
  std::array<VString, kStoredLevels> level_texts;
  bool surprise = false;
  bool no_help = false;
  bool allow_custom = false;
  // The picture is shown on half the table and reduced to fit any screen,
  // instead of at its stored size: for puzzles that come with the game.
  bool reducible = false;
  std::uint32_t background = 0;
  VString credit;
};

// The first level text that does not make a playable level, as its
// status; success when all of them do (empty texts are skipped).
Status CheckLevels(const MakeRequest& request, int width, int height);

// Clears `puz` and gives it the new puzzle's values for a picture of
// `width` x `height`: title, background, options, levels in order without
// gaps, and the state of a puzzle that defines its own levels.
void SetPuzzleValues(Puz& puz, const MakeRequest& request, int width, int height);

}  // namespace cbst
