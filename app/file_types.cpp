// file_types.cpp: the classes-root keys of the two file types.
#include "app/file_types.h"

#include <array>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace cbst {
namespace {

struct FileType {
  std::string_view extension;
  std::string_view type;
  std::string_view mime_type;
  std::string_view comment;
};

constexpr std::array<FileType, 2> kFileTypes = {{
    {"puz", kPuzzleFileType, "application/x-cobblestack-puzzle", "Cobblestack puzzle"},
    {"sav", kSavedGameFileType, "application/x-cobblestack-saved-game", "Cobblestack saved game"},
}};

constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";

}  // namespace

void RegisterFileTypes(std::string_view program_path) {
  std::vector<DesktopFileType> ours;
  for (const FileType& file_type : kFileTypes) {
    const std::string extension_key = std::string("\\.").append(file_type.extension);
    if (ClassesRootValue(extension_key).empty()) SetClassesRootValue(extension_key, file_type.type);
    const std::string type_key = std::string("\\").append(file_type.type);
    SetClassesRootValue(type_key, file_type.type);
    SetClassesRootValue(type_key + std::string(kOpenCommandKey), std::string(program_path) + " %1");
    if (std::string_view(ClassesRootValue(extension_key).c_str()) == file_type.type) {
      ours.push_back({std::string(file_type.extension), std::string(file_type.mime_type),
                      std::string(file_type.comment)});
    }
  }
  ExportDesktopFileTypes(program_path, ours);
}

}  // namespace cbst
