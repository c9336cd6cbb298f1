// certificate_command.cpp: "cbst-tool certificate", a game's score
// certificate, and the game a certificate tells.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

#include "base/cp1252.h"
#include "scores/certificate.h"
#include "tools/commands.h"
#include "tools/json_writer.h"

namespace cbst::tool {
namespace {

constexpr const char* kCertificateUsage =
    "usage: cbst-tool certificate --puzzle NAME --level L --rows R --cols C [--norotate]\n"
    "       [--mosaic] --player P --time MS --solved S --moves M --helps H --score X\n"
    "   or: cbst-tool certificate --parse FILE\n";

bool ParseNumber(const char* text, std::int32_t& value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max())
    return false;
  value = static_cast<std::int32_t>(number);
  return true;
}

int Parse(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cbst-tool certificate: cannot open %s\n", path);
    return 1;
  }
  // Pasted text is UTF-8 here; the game reads its own character set.
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::optional<CertificateRecord> record = ParseCertificate(Utf8ToCp1252(text));
  if (!record) {
    std::fprintf(stderr, "cbst-tool certificate: %s holds no certificate\n", path);
    return 1;
  }
  JsonWriter json;
  json.BeginObject();
  json.Key("puzzle").String(Cp1252ToUtf8(record->puzzle.view()));
  json.Key("level").Number(record->level);
  json.Key("rows").Number(record->rows);
  json.Key("cols").Number(record->columns);
  json.Key("norotate").Bool((record->flags & kRankingNoRotation) != 0);
  json.Key("mosaic").Bool((record->flags & kRankingMosaic) != 0);
  json.Key("player").String(Cp1252ToUtf8(record->player.view()));
  json.Key("time").Number(record->time);
  json.Key("solved").Number(record->solved);
  json.Key("moves").Number(record->moves);
  json.Key("helps").Number(record->helps);
  json.Key("score").Number(record->score);
  json.EndObject();
  std::puts(json.text().c_str());
  return 0;
}

}  // namespace

int RunCertificate(int argc, char** argv) {
  if (argc == 2 && !std::strcmp(argv[0], "--parse")) return Parse(argv[1]);
  CertificateRecord record;
  struct NumberOption {
    const char* name;
    std::int32_t* value;
    bool given = false;
  };
  NumberOption numbers[] = {
      {"--level", &record.level}, {"--rows", &record.rows},     {"--cols", &record.columns},
      {"--time", &record.time},   {"--solved", &record.solved}, {"--moves", &record.moves},
      {"--helps", &record.helps}, {"--score", &record.score},
  };
  bool puzzle_given = false;
  bool player_given = false;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    bool ok = false;
    if (!std::strcmp(option, "--norotate")) {
      record.flags |= kRankingNoRotation;
      ok = true;
    } else if (!std::strcmp(option, "--mosaic")) {
      record.flags |= kRankingMosaic;
      ok = true;
    } else if (!std::strcmp(option, "--puzzle") && index + 1 < argc) {
      record.puzzle = VString(Utf8ToCp1252(argv[++index]));
      ok = puzzle_given = true;
    } else if (!std::strcmp(option, "--player") && index + 1 < argc) {
      record.player = VString(Utf8ToCp1252(argv[++index]));
      ok = player_given = true;
    } else {
      for (NumberOption& number : numbers) {
        if (std::strcmp(option, number.name) || index + 1 >= argc) continue;
        ok = ParseNumber(argv[++index], *number.value);
        number.given = true;
      }
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool certificate: bad option %s\n%s", option, kCertificateUsage);
      return 2;
    }
  }
  bool complete = puzzle_given && player_given;
  for (const NumberOption& number : numbers)
    complete = complete && number.given;
  if (!complete) {
    std::fputs(kCertificateUsage, stderr);
    return 2;
  }
  const std::string text = Cp1252ToUtf8(MakeCertificate(record).view());
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace cbst::tool
