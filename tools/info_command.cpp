// info_command.cpp: "cbst-tool info", a puzzle file's header as JSON.
#include <cstdio>

#include "base/cp1252.h"
#include "puzzle/thumb.h"
#include "tools/commands.h"
#include "tools/json_writer.h"

namespace cbst::tool {

int RunInfo(int argc, char** argv) {
  if (argc != 1) {
    std::fputs("usage: cbst-tool info FILE\n", stderr);
    return 2;
  }
  Thumb thumb;
  Status status = thumb.Open(argv[0], true);
  const std::uint16_t code = status.code();

  JsonWriter json;
  json.BeginObject();
  json.Key("format").Number(thumb.format_version);
  json.Key("required").Number(thumb.required_version);
  json.Key("title").String(Cp1252ToUtf8(thumb.title.view()));
  json.Key("levels").BeginArray();
  for (std::size_t level = 0; level < thumb.level_rows.size() && thumb.level_rows[level] != 0;
       ++level) {
    json.Numbers({thumb.level_rows[level], thumb.level_columns[level]});
  }
  json.EndArray();
  json.Key("options").String(Cp1252ToUtf8(thumb.options.view()));
  json.Key("T").Number(thumb.thumbnail_at);
  if (thumb.thumbnail_at != 0 && thumb.thumbnail.valid()) {
    json.Key("thumb").Numbers(
        {thumb.thumbnail.width(), thumb.thumbnail.height(), thumb.thumbnail.colour_count()});
  }
  json.Key("P").Number(thumb.picture_at);
  json.Key("size").Number(thumb.picture_size);
  json.Key("kind").Number(thumb.picture_kind);
  json.Key("cache").Number(thumb.cache_at);
  json.Key("A").Number(thumb.alternative_at);
  json.Key("status").Number(code);
  json.Key("status_text").String(Cp1252ToUtf8(status.text()));
  json.EndObject();
  std::puts(json.text().c_str());
  return code == 0 ? 0 : 1;
}

}  // namespace cbst::tool
