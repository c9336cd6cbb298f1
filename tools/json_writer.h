// json_writer.h: compact JSON output for cbst-tool, in a stable key order.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace cbst::tool {

// Builds one JSON text. Keys appear in the order they are written, so the
// tool's output formats stay byte-stable.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Numbers(std::initializer_list<std::int64_t> values);  // a whole array
  // `text` is UTF-8.
  JsonWriter& String(std::string_view text);

  const std::string& text() const { return text_; }

 private:
  void Separate();

  std::string text_;
  bool need_comma_ = false;
};

}  // namespace cbst::tool
