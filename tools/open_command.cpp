// open_command.cpp: "cbst-tool open", a puzzle opened for a new game on a
// virtual table: the table as a PNG, the pieces as JSON, the time each
// stage took.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "base/status.h"
#include "platform/display.h"
#include "play/virtual_table.h"
#include "puzzle/open_puzzle.h"
#include "tools/commands.h"
#include "tools/game_json.h"
#include "tools/tool_support.h"

namespace cbst::tool {
namespace {

constexpr const char* kOpenUsage =
    "usage: cbst-tool open FILE.puz [--level L] [--custom RxC] [--table WxH] [--seed S]\n"
    "       [--display N] [--cache] [--png OUT.png] [--json OUT.json] [--timings]\n";
constexpr int kDefaultTableWidth = 1920;
constexpr int kDefaultTableHeight = 1080;

}  // namespace

int RunOpen(int argc, char** argv) {
  const char* path = nullptr;
  const char* png = nullptr;
  const char* json = nullptr;
  OpenRequest request;
  int width = kDefaultTableWidth, height = kDefaultTableHeight;
  int custom_rows = 0, custom_columns = 0;
  bool timings_wanted = false;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const bool has_value = index + 1 < argc;
    bool ok = true;
    if (!std::strcmp(option, "--level") && has_value) {
      request.level = std::atoi(argv[++index]);
    } else if (!std::strcmp(option, "--custom") && has_value) {
      ok = ParsePair(argv[++index], custom_rows, custom_columns);
    } else if (!std::strcmp(option, "--table") && has_value) {
      ok = ParsePair(argv[++index], width, height) && width > 0 && height > 0;
    } else if (!std::strcmp(option, "--seed") && has_value) {
      request.game_seed = static_cast<std::uint32_t>(std::strtoul(argv[++index], nullptr, 0));
    } else if (!std::strcmp(option, "--display") && has_value) {
      ok = SelectSimulatedDisplay(argv[++index]);
    } else if (!std::strcmp(option, "--cache")) {
      request.cache_allowed = true;
    } else if (!std::strcmp(option, "--png") && has_value) {
      png = argv[++index];
    } else if (!std::strcmp(option, "--json") && has_value) {
      json = argv[++index];
    } else if (!std::strcmp(option, "--timings")) {
      timings_wanted = true;
    } else if (option[0] != '-' && !path) {
      path = option;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool open: bad option %s\n%s", option, kOpenUsage);
      return 2;
    }
  }
  if (!path) {
    std::fputs(kOpenUsage, stderr);
    return 2;
  }
  const auto toolkit = StartToolkit();

  Puz puz;
  VirtualTable table(puz, width, height);
  table.set_custom_size(custom_rows, custom_columns);
  request.path = path;
  OpenTimings timings;
  Status opened = OpenPuzzleForPlay(puz, request, table, &timings);
  if (const std::uint16_t code = opened.code(); code != 0) {
    std::fprintf(stderr, "cbst-tool open: cannot open %s (status %u%s%s)\n", path, code,
                 opened.text().empty() ? "" : ": ", opened.text().c_str());
    return 1;
  }
  const auto painting = std::chrono::steady_clock::now();
  table.PaintAll();
  const double paint =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - painting)
          .count();
  if (png && !SavePng(table.back_buffer(), png)) {
    std::fprintf(stderr, "cbst-tool open: cannot write %s\n", png);
    return 1;
  }
  if (json) std::ofstream(json) << GameJson(puz, table) << '\n';
  if (timings_wanted) {
    std::printf(
        "header %.1f ms\n%s %.1f ms\nreduce %.1f ms\ncut %.1f ms\nsheets %.1f ms\n"
        "scatter %.1f ms\npaint %.1f ms\n",
        timings.header, timings.from_cache ? "cache" : "decode", timings.picture, timings.reduce,
        timings.cut, timings.sheets, timings.scatter, paint);
  }
  return 0;
}

}  // namespace cbst::tool
