// sheets_command.cpp: "cbst-tool sheets", the image and mask sheets of a cut
// picture as PNG files, with the pieces' places in them as JSON.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/bitmap_file.h"
#include "image/jpeg.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puz.h"
#include "tools/commands.h"
#include "tools/json_writer.h"
#include "tools/tool_support.h"

namespace cbst::tool {
namespace {

constexpr const char* kSheetsUsage =
    "usage: cbst-tool sheets --picture FILE --grid RxC --seed S [--norotate] [--nodeform]"
    " [--grey] --out DIR\n";

std::string PiecesJson(const Puz& puz) {
  JsonWriter json;
  json.BeginObject().Key("pw").Number(puz.cut.piece_width).Key("ph").Number(puz.cut.piece_height);
  json.Key("sheet").Numbers({puz.sheets.image->width(), puz.sheets.image->height()});
  json.Key("pieces").BeginArray();
  for (const SPuz& piece : puz.cut.pieces) {
    json.BeginObject().Key("id").Number(piece.id).Key("rot").Number(piece.rotation);
    json.Key("home").Numbers({piece.home_x, piece.home_y});
    json.Key("bound").Numbers(
        {piece.bound.x, piece.bound.y, piece.bound.width, piece.bound.height});
    json.Key("cell").Numbers({piece.cell.x, piece.cell.y, piece.cell.width, piece.cell.height});
    json.EndObject();
  }
  json.EndArray().EndObject();
  return json.text();
}

}  // namespace

int RunSheets(int argc, char** argv) {
  const char* picture_path = nullptr;
  const char* out = nullptr;
  CutRequest request;
  bool have_grid = false, have_seed = false, grey = false;
  std::uint32_t seed = 0;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const char* value = index + 1 < argc ? argv[index + 1] : nullptr;
    if (!std::strcmp(option, "--picture") && value) {
      picture_path = argv[++index];
    } else if (!std::strcmp(option, "--out") && value) {
      out = argv[++index];
    } else if (!std::strcmp(option, "--grid") && value) {
      have_grid = ParsePair(argv[++index], request.rows, request.columns);
    } else if (!std::strcmp(option, "--seed") && value) {
      seed = static_cast<std::uint32_t>(std::strtoul(argv[++index], nullptr, 0));
      have_seed = true;
    } else if (!std::strcmp(option, "--norotate")) {
      request.no_rotation = true;
    } else if (!std::strcmp(option, "--nodeform")) {
      request.no_tabs = true;
    } else if (!std::strcmp(option, "--grey")) {
      grey = true;
    } else {
      std::fprintf(stderr, "cbst-tool sheets: unknown option %s\n%s", option, kSheetsUsage);
      return 2;
    }
  }
  if (!picture_path || !out || !have_grid || !have_seed || request.rows <= 0 ||
      request.columns <= 0) {
    std::fputs(kSheetsUsage, stderr);
    return 2;
  }
  const auto toolkit = StartToolkit();

  File file(picture_path);
  Dib dib;
  Status loaded;
  if (LoadPicture(dib, nullptr, kPictureAny, file, loaded) == 0) {
    std::fprintf(stderr, "cbst-tool sheets: cannot read %s (status %u)\n", picture_path,
                 loaded.code());
    return 1;
  }
  Puz puz;
  puz.picture = MakeBmpMem(dib.width(), dib.height());
  dib.Draw(puz.picture->dc(), 0, 0);
  puz.picture->dc().Flush();
  request.picture_width = static_cast<std::int16_t>(dib.width());
  request.picture_height = static_cast<std::int16_t>(dib.height());
  if (request.no_rotation) puz.option_flags |= kOptionNoRotable;
  if (request.no_tabs) puz.option_flags |= kOptionNoDeform;
  Random random;
  random.Seed(seed);
  puz.cut = CutPieces(request, random);
  if (Status drawn = DrawPieceSheets(puz, nullptr, {.grey_outlines = grey}); drawn.peek()) {
    std::fprintf(stderr, "cbst-tool sheets: cannot draw the sheets (status %u)\n", drawn.code());
    return 1;
  }
  // The directory is made when it is not there yet, with its parents.
  const std::string directory(out);
  std::error_code made;
  std::filesystem::create_directories(directory, made);
  if (made) {
    std::fprintf(stderr, "cbst-tool sheets: cannot make the directory %s: %s\n", out,
                 made.message().c_str());
    return 1;
  }
  std::ofstream pieces(directory + "/pieces.json");
  pieces << PiecesJson(puz) << '\n';
  pieces.close();
  if (!SavePng(*puz.sheets.image, directory + "/image.png") ||
      !SavePng(*puz.sheets.mask, directory + "/mask.png") || !pieces) {
    std::fprintf(stderr, "cbst-tool sheets: cannot write into %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace cbst::tool
