// json_writer.cpp: commas, escapes and nesting for the tool's JSON.
#include "tools/json_writer.h"

#include <cstdio>

namespace cbst::tool {

void JsonWriter::Separate() {
  if (need_comma_) text_ += ',';
  need_comma_ = false;
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  text_ += '{';
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  text_ += '[';
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  String(key);
  text_ += ':';
  need_comma_ = false;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  text_ += value ? "true" : "false";
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t value) {
  Separate();
  text_ += std::to_string(value);
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Numbers(std::initializer_list<std::int64_t> values) {
  BeginArray();
  for (std::int64_t value : values)
    Number(value);
  return EndArray();
}

JsonWriter& JsonWriter::String(std::string_view text) {
  Separate();
  text_ += '"';
  for (char character : text) {
    const auto byte = static_cast<unsigned char>(character);
    if (character == '"' || character == '\\') {
      text_ += '\\';
      text_ += character;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      text_ += escape;
    } else {
      text_ += character;
    }
  }
  text_ += '"';
  need_comma_ = true;
  return *this;
}

}  // namespace cbst::tool
