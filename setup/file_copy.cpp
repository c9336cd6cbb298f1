// file_copy.cpp: the full setup, puzzle packs and the installer's files.
#include "setup/file_copy.h"

#include <algorithm>
#include <cstdio>

#include "app/app_codes.h"
#include "base/file_replacement.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/program_path.h"
#include "setup/setup_codes.h"
#include "setup/setup_log.h"
#include "setup/text_files.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr double kWholePercent = 100.0;
// The names the outside installer may have beside the program; it is
// copied as the uninstaller.
constexpr std::string_view kInstallerNames[] = {"stp", "stp32"};
// What the full setup leaves behind as the uninstaller when there is no
// outside installer: it asks the installed program to remove itself.
constexpr char kRemoveScript[] =
    "#!/bin/sh\n"
    "# Removes Cobblestack from this folder.\n"
    "exec \"$(dirname \"$0\")/cbst\" @remove\n";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return text;
}

// Files the running installation made for itself, which a new one must not
// start with.
bool MadeByTheRun(const fs::path& file) {
  const std::string name = Lower(file.filename().string());
  return name == kSettingsName || name == kSetupLogName || name == kFolderCacheName ||
         name.ends_with(".sav") || name.ends_with(".tmp");
}

Status TellNoRoom(const char* format, std::uintmax_t needed, SetupQuestions& questions) {
  char text[256];
  std::snprintf(text, sizeof text, format, static_cast<long long>(needed));
  questions.Ask(text, kBoxOk | kBoxIconExclamation);
  return Status(kStatusQuietCancel);
}

bool HasRoom(const fs::path& folder, std::uintmax_t needed) {
  std::error_code error;
  const fs::space_info space = fs::space(folder, error);
  return error || space.available >= needed;
}

// Copies `list` into `target`, telling `progress` the bytes done; each copy
// is added to `log` when there is one. The uninstaller gets its name.
Status CopyFiles(const CopyList& list, const fs::path& target, SetupLogWriter* log,
                 ProgressSink* progress) {
  std::uintmax_t done = 0;
  std::error_code error;
  for (const fs::path& file : list.files) {
    fs::path name = file.filename();
    const std::string stem = Lower(file.stem().string());
    for (const std::string_view installer : kInstallerNames) {
      if (stem == installer) name = std::string(kUninstallerName) + file.extension().string();
    }
    const fs::path copy = target / name;
    CBST_TRY(CopyOneFile(file, copy));
    if (log && !log->Add(copy))
      return Status(kStatusWriteFailed, (target / kSetupLogName).string());
    done += fs::file_size(file, error);
    if (progress && list.total_bytes > 0)
      progress->Progress(kWholePercent * static_cast<double>(done) /
                         static_cast<double>(list.total_bytes));
  }
  return Status();
}

}  // namespace

CopyList ProgramFiles(const fs::path& program_directory) {
  CopyList list;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(program_directory, error)) {
    if (!entry.is_regular_file(error) || MadeByTheRun(entry.path())) continue;
    list.files.push_back(entry.path());
    list.total_bytes += entry.file_size(error);
  }
  std::sort(list.files.begin(), list.files.end());
  return list;
}

Status CopyOneFile(const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (fs::equivalent(source, target, error)) return Status(kStatusCopyOntoItself, target.string());
  FileReplacement replacement(target.c_str());
  CBST_TRY(replacement.TakeStatus());
  fs::copy_file(source, replacement.path(), fs::copy_options::overwrite_existing, error);
  if (error) return Status(kStatusWriteFailed, target.string());
  fs::permissions(replacement.path(), fs::status(source, error).permissions(), error);
  return replacement.Commit();
}

Status FullSetup(const fs::path& program_path, const fs::path& target, std::string_view language,
                 SetupQuestions& questions, ProgressSink* progress) {
  if (!target.is_absolute()) return Status(kStatusOpenFailed, target.string());
  std::error_code error;
  // One level at a time, as far as the path goes.
  fs::path made;
  for (const fs::path& part : target) {
    made /= part;
    if (!fs::is_directory(made, error)) fs::create_directory(made, error);
  }
  if (!CanWriteIn(target.string(), kWriteTestPrefix))
    return Status(kStatusWriteFailed, target.string());
  const CopyList list = ProgramFiles(program_path.parent_path());
  if (!HasRoom(target, list.total_bytes + kSetupSpareBytes))
    return TellNoRoom(kProgramNeedsSpace, list.total_bytes + kSetupSpareBytes, questions);

  SetupLogWriter log(target / kSetupLogName);
  if (!log.ok()) return Status(kStatusWriteFailed, (target / kSetupLogName).string());
  CBST_TRY(CopyFiles(list, target, &log, progress));
  const fs::path uninstaller = target / kUninstallerName;
  if (!fs::exists(uninstaller, error)) {
    if (!WriteTextFile(uninstaller, kRemoveScript, true) || !log.Add(uninstaller))
      return Status(kStatusWriteFailed, uninstaller.string());
  }

  std::string run = (target / program_path.filename()).string() + " @instalprogman";
  if (!language.empty()) run += " /lang:" + std::string(language);
  const std::string user_settings = UserSettingsPath();
  WriteProfileString(user_settings.c_str(), kSetupSection, kKeyRun, run);
  WriteProfileString(user_settings.c_str(), kSetupSection, kKeyDirectory, target.string());
  return Status();
}

Status InstallPack(const fs::path& pack, const fs::path& puzzles, SetupQuestions& questions,
                   ProgressSink* progress) {
  CopyList list;
  std::error_code error;
  const auto add = [&list, &error](const fs::path& file) {
    list.files.push_back(file);
    list.total_bytes += fs::file_size(file, error);
  };
  if (fs::is_directory(pack, error)) {
    for (const fs::directory_entry& entry : fs::directory_iterator(pack, error)) {
      if (entry.is_regular_file(error) && Lower(entry.path().extension().string()) == ".puz")
        add(entry.path());
    }
  } else if (fs::is_regular_file(pack, error)) {
    add(pack);
  } else {
    return Status(kStatusOpenFailed, pack.string());
  }
  std::sort(list.files.begin(), list.files.end());
  fs::create_directories(puzzles, error);
  if (!HasRoom(puzzles, list.total_bytes))
    return TellNoRoom(kPuzzlesNeedSpace, list.total_bytes, questions);
  return CopyFiles(list, puzzles, nullptr, progress);
}

Status CopyNamedFiles(const fs::path& source, const fs::path& destination,
                      const std::vector<std::string>& names) {
  std::error_code error;
  fs::create_directories(destination, error);
  for (const std::string& name : names)
    CBST_TRY(CopyOneFile(source / name, destination / name));
  return Status();
}

}  // namespace cbst
