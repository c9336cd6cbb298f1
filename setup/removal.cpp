// removal.cpp: removal by the setup log, and unregistering.
#include "setup/removal.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/file_types.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "setup/program_group.h"
#include "setup/setup_codes.h"
#include "setup/setup_log.h"
#include "setup/shortcuts.h"
#include "setup/text_files.h"
#include "text/traductor.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return text;
}

bool NamesProgramFile(const fs::path& path, const InstallPlace& place) {
  const std::string name = Lower(path.filename().string());
  for (const std::string_view program : kProgramFileNames) {
    if (name == program) return true;
  }
  std::error_code error;
  return fs::equivalent(path, place.program_path, error);
}

void DeleteOrTell(const fs::path& path, SetupQuestions& questions) {
  if (DeleteFile(path)) return;
  char text[1024];
  std::snprintf(text, sizeof text, kUnableToRemove, path.c_str());
  questions.Ask(text, kBoxOk | kBoxIconExclamation);
}

// The files of `directory` whose names end in `extension`, in any case.
std::vector<fs::path> FilesEndingIn(const fs::path& directory, std::string_view extension) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
    const std::string name = Lower(entry.path().filename().string());
    if (entry.is_regular_file(error) && name.ends_with(extension)) files.push_back(entry.path());
  }
  return files;
}

std::string Question(std::initializer_list<int> ids) {
  std::string text;
  for (const int id : ids) {
    if (!text.empty()) text += "\n\n";
    text += Text(id);
  }
  return text;
}

// The program's own files by name: its games, scores, caches and settings.
void RemoveNamedFiles(const InstallPlace& place, SetupQuestions& questions) {
  const fs::path directory = place.program_directory;
  for (const std::string_view extension : {".puz", ".sav"}) {
    for (const fs::path& file : FilesEndingIn(directory, extension))
      DeleteOrTell(file, questions);
  }
  const fs::path scores = directory / kScoresDirectory;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(scores, error))
    DeleteOrTell(entry.path(), questions);
  fs::remove(scores, error);
  DeleteOrTell(directory / kFolderCacheName, questions);
  // The shortcut's place is in the settings, which go last.
  RemoveDesktopLink(place);
  DeleteOrTell(directory / kSetupLogName, questions);
  DeleteOrTell(directory / kSettingsName, questions);
}

}  // namespace

bool Remove(const InstallPlace& place, SetupQuestions& questions, std::vector<fs::path>& in_use) {
  const fs::path directory = place.program_directory;
  const auto logged = ReadSetupLog(directory / kSetupLogName);
  if (!logged) {
    if (questions.Ask(Text(kTextRemoveNow), kBoxOkCancel | kBoxIconQuestion) == kAnswerOk)
      RemoveDesktopLink(place);
    return false;
  }
  const std::string question = Question({kTextRemovalWarning, kTextRemoveNow});
  if (questions.Ask(question, kBoxOkCancel | kBoxIconQuestion) != kAnswerOk) return false;
  for (const std::string& line : *logged) {
    const fs::path file = line;
    if (NamesProgramFile(file, place)) {
      in_use.push_back(file);
      continue;
    }
    DeleteOrTell(file, questions);
  }
  RemoveNamedFiles(place, questions);
  return true;
}

void Unregister() {
  ProgramGroup(kGroupName).Delete();
  const std::string registry = RegistryPath();
  for (const auto& [extension, type] :
       {std::pair{".puz", kPuzzleFileType}, std::pair{".sav", kSavedGameFileType}}) {
    const std::string extension_key = std::string("\\") + extension;
    // An extension another program has taken since stays that program's.
    if (std::string_view(ClassesRootValue(extension_key).c_str()) == type)
      WriteProfileString(registry.c_str(), extension_key, std::nullopt, std::nullopt);
    const std::string type_key = "\\" + std::string(type);
    for (const char* subkey : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
      WriteProfileString(registry.c_str(), type_key + subkey, std::nullopt, std::nullopt);
  }
  UnexportDesktopFileTypes();
  DeleteUninstallEntry();
}

void DeleteAtExit(std::vector<fs::path> files, fs::path directory) {
  struct Pending {
    std::vector<fs::path> files;
    fs::path directory;
    ~Pending() {
      std::error_code error;
      for (const fs::path& file : files)
        fs::remove(file, error);
      if (!directory.empty() && fs::is_empty(directory, error)) fs::remove(directory, error);
    }
  };
  static Pending pending;
  pending.files.insert(pending.files.end(), files.begin(), files.end());
  pending.directory = std::move(directory);
}

}  // namespace cbst
