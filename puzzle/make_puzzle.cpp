// make_puzzle.cpp: background, thumbnails, file name and values of a new
// puzzle.
#include "puzzle/make_puzzle.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "base/cp1252.h"
#include "base/text_tests.h"
#include "gfx/bmp_mem.h"
#include "gfx/drawing_tools.h"
#include "puzzle/level_text.h"
#include "puzzle/puz_options.h"
#include "puzzle/random.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

constexpr std::uint32_t kMinimumBackground = 0x010101;
constexpr std::uint32_t kBlack = 0x000000;
constexpr const char* kQuestionFace = "Arial";
constexpr const char* kDialogFace = "Sans";
constexpr int kQuestionHeight = 36;
constexpr int kDialogFontHeight = 11;
// Headers written before this version keep no title.
constexpr std::uint16_t kFirstTitledVersion = 199;

// Without the characters below 33 at either end.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) < 33)
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) < 33)
    text.remove_suffix(1);
  return text;
}

int Channel(std::uint32_t colour, int channel) {
  return static_cast<int>(colour >> (8 * channel) & 0xFF);
}

// Draws on a true-colour bitmap and hands the pixels over as a Dib.
class Canvas {
 public:
  Canvas(int width, int height) : bitmap_(width, height, DisplayFormat::Standard(32)) {}
  DC& dc() { return bitmap_.dc(); }
  Dib TakeDib() {
    dc().Flush();
    return Dib::FromBitmap(bitmap_);
  }

 private:
  BmpMem bitmap_;
};

}  // namespace

std::uint32_t ProposeBackground(const Dib& picture) {
  Random& random = ProgramRandom();
  const int x = random.rand(picture.width() - 5);
  const int y = random.rand(picture.height() - 5);
  const int width = random.rand(2) + 2;
  const int height = random.rand(2) + 2;
  int sums[3] = {};
  int pixels = 0;
  for (int row = y; row < std::min(y + height, picture.height()); ++row) {
    for (int column = x; column < std::min(x + width, picture.width()); ++column) {
      const std::uint32_t colour = picture.PixelColour(column, row);
      for (int channel = 0; channel < 3; ++channel)
        sums[channel] += Channel(colour, channel);
      ++pixels;
    }
  }
  if (pixels == 0) return kMinimumBackground;
  int average[3];
  for (int channel = 0; channel < 3; ++channel)
    average[channel] = sums[channel] / pixels;
  int mean = (average[0] + average[1] + average[2]) / 3;
  if (mean == 0) {
    average[0] = average[1] = average[2] = 1;
    mean = 1;
  }
  std::uint32_t colour = 0;
  for (int channel = 0; channel < 3; ++channel) {
    double value = average[channel];
    if (mean < kDarkestBackground) {
      value *= kDarkestBackground / mean;  // whole steps, as the picture window has always done
    } else if (mean > kBrightestBackground) {
      value *= static_cast<double>(kBrightestBackground) / mean;
    }
    colour |= static_cast<std::uint32_t>(std::clamp(value, 0.0, 255.0)) << (8 * channel);
  }
  return colour;
}

Dib MakeThumbnail(const Dib& picture) {
  const double scale = std::min(static_cast<double>(kThumbnailWidth) / picture.width(),
                                static_cast<double>(kThumbnailHeight) / picture.height());
  const int width = std::max(1, static_cast<int>(picture.width() * scale));
  const int height = std::max(1, static_cast<int>(picture.height() * scale));
  Canvas canvas(width, height);
  // Smooth shrinking: dropping scans would leave a thumbnail of noise.
  const bool half_tone = DibHalfTone();
  SetDibHalfTone(true);
  // Drawn at the scale the sizes came from: fitting again to the truncated
  // sizes would keep the proportions and leave a black edge.
  picture.Draw(canvas.dc(), 0, 0, kSrcCopy, 0, scale);
  SetDibHalfTone(half_tone);
  return canvas.TakeDib();
}

Dib MakeSurpriseThumbnail() {
  Canvas canvas(kSurpriseWidth, kThumbnailHeight);
  DC& dc = canvas.dc();
  const int panel = kThumbnailHeight - kSurpriseBandHeight;
  for (int y = 0; y < panel; ++y) {
    // From white at the top to blue at the bottom.
    const auto fade = static_cast<std::uint32_t>(255 - 255 * y / (panel - 1));
    dc.FillRect({0, static_cast<std::int16_t>(y), kSurpriseWidth, 1},
                Brush(fade | fade << 8 | 0xFF0000));
  }
  dc.FillRect({0, static_cast<std::int16_t>(panel), kSurpriseWidth, kSurpriseBandHeight},
              Brush(kSurpriseBand));
  Font question(kQuestionFace, kQuestionHeight, true);
  dc.Select(&question);
  dc.Text((kSurpriseWidth - dc.TextWidth("?")) / 2, (panel - dc.TextHeight()) / 2, "?", kBlack);
  Font dialog(kDialogFace, kDialogFontHeight);
  dc.Select(&dialog);
  dc.Text((kSurpriseWidth - dc.TextWidth(kSurpriseText)) / 2,
          panel + (kSurpriseBandHeight - dc.TextHeight()) / 2, kSurpriseText, kBlack);
  dc.Deselect(ToolSlot::kFont);
  return canvas.TakeDib();
}

VString PuzzleFileName(const char* directory, const char* title) {
  std::string name(title);
  for (char& character : name) {
    if (character != '\0' && std::strchr(kFileNameUnsafe, character)) character = '_';
  }
  std::string path(directory);
  if (!path.empty() && path.back() != '/') path += '/';
  // Titles are Windows-1252; the file system expects UTF-8 names.
  return VString(path + Cp1252ToUtf8(name) + ".puz");
}

std::string PuzzleWithTitle(const std::string& directory, std::string_view title) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string extension = entry->path().extension().string();
    if (strcasecmp(extension.c_str(), ".puz") != 0 || !entry->is_regular_file(error)) continue;
    Thumb header;
    Status opened = header.Open(entry->path().c_str(), false);
    if (opened.peek() != 0) {
      opened.MarkHandled();  // not a puzzle this search can read: not the one
      continue;
    }
    if (header.format_version < kFirstTitledVersion) continue;
    const std::string_view found = header.title.view();
    if (found.size() == title.size() && strncasecmp(found.data(), title.data(), title.size()) == 0)
      return entry->path().string();
  }
  return {};
}

Status CheckLevels(const MakeRequest& request, int width, int height) {
  for (const VString& text : request.level_texts) {
    if (IsBlank(text.c_str())) continue;
    Status status;
    ParseLevelText(text.c_str(), width, height, true, status);
    if (status.peek() != 0) return status;
  }
  return Status();
}

void SetPuzzleValues(Puz& puz, const MakeRequest& request, int width, int height) {
  puz = Puz();
  puz.title = VString(Trimmed(request.title.view()));
  puz.credit = request.credit;
  puz.background = request.background;
  puz.option_flags = request.reducible ? 0 : kOptionImgFull | kOptionNoReduceImg;
  if (request.surprise) puz.option_flags |= kOptionNoPreview;
  if (request.no_help) puz.option_flags |= kOptionNoHelp;
  RequiredProgramVersion() = kWrittenRequiredVersion;
  std::size_t slot = 0;
  for (const VString& text : request.level_texts) {
    if (IsBlank(text.c_str())) continue;
    Status ignored;
    const LevelSize level = ParseLevelText(text.c_str(), width, height, false, ignored);
    puz.level_rows[slot] = static_cast<std::int16_t>(level.rows);
    puz.level_columns[slot] = static_cast<std::int16_t>(level.columns);
    ++slot;
  }
  puz.state |= kStateOwnLevels;
  if (!request.allow_custom) puz.size_flags |= kSizeNoCustom;
}

}  // namespace cbst
