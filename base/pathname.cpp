// pathname.cpp: splitting and composing four-part paths.
#include "base/pathname.h"

#include <cctype>
#include <string_view>

namespace cbst {

void PathName::Set(const char* path) {
  std::string_view rest(path ? path : "");
  drive.Release();
  directory.Release();
  name.Release();
  extension.Release();
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    drive = rest.substr(0, 2);
    rest.remove_prefix(2);
  }
  std::size_t last_separator = std::string_view::npos;
  for (std::size_t at = 0; at < rest.size(); ++at) {
    if (IsPathSeparator(rest[at])) last_separator = at;
  }
  if (last_separator != std::string_view::npos) {
    directory = rest.substr(0, last_separator + 1);
    rest.remove_prefix(last_separator + 1);
  }
  const std::size_t dot = rest.rfind('.');
  // A leading dot names a hidden file, not an extension.
  if (dot != std::string_view::npos && dot > 0) {
    name = rest.substr(0, dot);
    extension = rest.substr(dot + 1);
  } else {
    name = rest;
  }
}

VString PathName::Compose(std::uint16_t mask) const {
  VString path;
  if (mask & kPathDrive) path += drive;
  if (mask & kPathDirectory) path += directory;
  if (mask & kPathName) {
    if ((mask & kPathDirectory) && !directory.empty() &&
        !IsPathSeparator(directory[directory.length() - 1u])) {
      path += kPathSeparator;
    }
    path += name;
  }
  if ((mask & kPathExtension) && !extension.empty()) {
    path += '.';
    path += extension;
  }
  return path;
}

}  // namespace cbst
