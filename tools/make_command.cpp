// make_command.cpp: "cbst-tool make", a puzzle file made from a picture as
// the make-puzzle window's OK makes it, then shown as "info" shows it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "base/cp1252.h"
#include "base/file_replacement.h"
#include "base/text_tests.h"
#include "image/jpeg.h"
#include "puzzle/make_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"
#include "tools/commands.h"
#include "tools/tool_support.h"

namespace cbst::tool {
namespace {

constexpr const char* kMakeUsage =
    "usage: cbst-tool make PICTURE --title T --levels \"L1,L2,...\" [--surprise] [--nohelp]\n"
    "       [--custom] [--reducible] [--color 0xBBGGRR] [--credit TEXT] --out FILE.puz\n";

struct MakeOptions {
  const char* picture = nullptr;
  const char* out = nullptr;
  const char* levels = nullptr;
  const char* colour = nullptr;
  MakeRequest request;
};

int Fail(const char* what, const Status& status) {
  std::fprintf(stderr, "cbst-tool make: %s (status %u%s%s)\n", what, status.code(),
               status.text().empty() ? "" : ": ", status.text().c_str());
  return 1;
}

bool ParseArguments(int argc, char** argv, MakeOptions& options) {
  bool have_title = false;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const char* value = index + 1 < argc ? argv[index + 1] : nullptr;
    const auto takes = [&](const char* name) {
      if (std::strcmp(option, name) || !value) return false;
      ++index;
      return true;
    };
    if (takes("--title")) {
      options.request.title = VString(Utf8ToCp1252(value));
      have_title = true;
    } else if (takes("--levels")) {
      options.levels = value;
    } else if (takes("--out")) {
      options.out = value;
    } else if (takes("--color")) {
      options.colour = value;
    } else if (takes("--credit")) {
      options.request.credit = VString(Utf8ToCp1252(value));
    } else if (!std::strcmp(option, "--surprise")) {
      options.request.surprise = true;
    } else if (!std::strcmp(option, "--nohelp")) {
      options.request.no_help = true;
    } else if (!std::strcmp(option, "--custom")) {
      options.request.allow_custom = true;
    } else if (!std::strcmp(option, "--reducible")) {
      options.request.reducible = true;
    } else if (option[0] != '-' && !options.picture) {
      options.picture = option;
    } else {
      std::fprintf(stderr, "cbst-tool make: unknown option %s\n", option);
      return false;
    }
  }
  return options.picture && options.out && options.levels && have_title;
}

// "12x9,100" into the five level edits, in order.
bool SplitLevels(const char* levels, MakeRequest& request) {
  std::string text(levels);
  std::size_t slot = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    if (slot == request.level_texts.size()) return false;
    request.level_texts[slot++] = VString(text.substr(start, comma - start));
    start = comma + 1;
  }
  return true;
}

}  // namespace

int RunMake(int argc, char** argv) {
  MakeOptions options;
  if (!ParseArguments(argc, argv, options) || !SplitLevels(options.levels, options.request)) {
    std::fputs(kMakeUsage, stderr);
    return 2;
  }
  if (SameFile(options.picture, options.out)) {
    std::fputs("cbst-tool make: the puzzle would overwrite its own picture\n", stderr);
    return 2;
  }
  const std::unique_ptr<QGuiApplication> toolkit = StartToolkit();

  File file(options.picture);
  Dib picture;
  Status loaded;
  const int kind = LoadPicture(picture, nullptr, kPictureAny, file, loaded);
  if (kind == 0) return Fail("the picture could not be read", loaded);
  if (picture.header().planes * picture.bit_count() < 8) {
    return Fail("the picture has fewer than 256 colours", Status(kStatusUnusablePicture));
  }
  if (IsBlank(options.request.title.c_str())) {
    std::fputs("cbst-tool make: the title is empty\n", stderr);
    return 2;
  }

  MakeRequest& request = options.request;
  request.background = options.colour
                           ? static_cast<std::uint32_t>(std::strtoul(options.colour, nullptr, 0))
                           : ProposeBackground(picture);
  if (Status levels = CheckLevels(request, picture.width(), picture.height()); levels.peek()) {
    return Fail("a level cannot be played", levels);
  }
  Puz puz;
  SetPuzzleValues(puz, request, picture.width(), picture.height());
  const Dib thumbnail = request.surprise ? MakeSurpriseThumbnail() : MakeThumbnail(picture);
  // A JPEG file goes in as it is: it already is what the puzzle stores.
  const PuzzlePicture stored = kind == kPictureJpegFile ? PuzzlePicture{nullptr, options.picture}
                                                        : PuzzlePicture{&picture, nullptr};
  if (Status written = WritePuzzleFile(puz, options.out, &thumbnail, stored, nullptr);
      written.peek()) {
    return Fail("the puzzle could not be written", written);
  }
  char* info_arguments[] = {const_cast<char*>(options.out), nullptr};
  return RunInfo(1, info_arguments);
}

}  // namespace cbst::tool
