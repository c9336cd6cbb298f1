// cut_command.cpp: "cbst-tool cut", the cut of a picture size as JSON.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "puzzle/cut.h"
#include "tools/commands.h"
#include "tools/json_writer.h"
#include "tools/tool_support.h"

namespace cbst::tool {
namespace {

constexpr const char* kCutUsage =
    "usage: cbst-tool cut --size WxH --grid RxC --seed S [--norotate] [--nodeform]"
    " [--rules V] [--resume]\n";

std::string CutJson(const Cut& cut) {
  JsonWriter json;
  json.BeginObject().Key("pw").Number(cut.piece_width).Key("ph").Number(cut.piece_height);
  json.Key("pieces").BeginArray();
  for (const SPuz& piece : cut.pieces) {
    const auto rect = [&](const char* key, const Rect16& r) {
      json.Key(key).Numbers({r.x, r.y, r.width, r.height});
    };
    json.BeginObject().Key("id").Number(piece.id);
    json.Key("home").Numbers({piece.home_x, piece.home_y});
    rect("bound", piece.bound);
    rect("cell", piece.cell);
    json.Key("rot").Number(piece.rotation);
    const auto& nb = piece.neighbour;
    const auto& tab = piece.tab;
    const auto& dir = piece.tab_direction;
    json.Key("nb").Numbers({nb[0], nb[1], nb[2], nb[3]});
    json.Key("tab").Numbers({tab[0], tab[1], tab[2], tab[3]});
    json.Key("dir").Numbers({dir[0], dir[1], dir[2], dir[3]});
    json.EndObject();
  }
  json.EndArray().Key("tabs").BeginArray();
  for (const Rect16& tab : cut.tabs)
    json.Numbers({tab.x, tab.y, tab.width, tab.height});
  json.EndArray().EndObject();
  return json.text();
}

}  // namespace

int RunCut(int argc, char** argv) {
  CutRequest request;
  int width = 0;
  int height = 0;
  bool have_size = false;
  bool have_grid = false;
  bool have_seed = false;
  std::uint32_t seed = 0;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const char* value = index + 1 < argc ? argv[index + 1] : nullptr;
    if (!std::strcmp(option, "--size") && value) {
      have_size = ParsePair(value, width, height);
      ++index;
    } else if (!std::strcmp(option, "--grid") && value) {
      have_grid = ParsePair(value, request.rows, request.columns);
      ++index;
    } else if (!std::strcmp(option, "--seed") && value) {
      seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 0));
      have_seed = true;
      ++index;
    } else if (!std::strcmp(option, "--rules") && value) {
      request.cutting_rules = static_cast<std::int16_t>(std::atoi(value));
      ++index;
    } else if (!std::strcmp(option, "--norotate")) {
      request.no_rotation = true;
    } else if (!std::strcmp(option, "--nodeform")) {
      request.no_tabs = true;
    } else if (!std::strcmp(option, "--resume")) {
      request.resume = true;
    } else {
      std::fprintf(stderr, "cbst-tool cut: unknown option %s\n%s", option, kCutUsage);
      return 2;
    }
  }
  if (!have_size || !have_grid || !have_seed || width <= 0 || height <= 0 || width > 32767 ||
      height > 32767 || request.rows <= 0 || request.columns <= 0) {
    std::fputs(kCutUsage, stderr);
    return 2;
  }
  request.picture_width = static_cast<std::int16_t>(width);
  request.picture_height = static_cast<std::int16_t>(height);

  Random random;
  random.Seed(seed);
  std::puts(CutJson(CutPieces(request, random)).c_str());
  return 0;
}

}  // namespace cbst::tool
