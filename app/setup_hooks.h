// setup_hooks.h: what start-up and the options window ask of the
// installation code. That code builds on the whole program, so it cannot
// be called from here: the program installs it through these hooks at
// start (without them the installation words are only told about).
#pragma once

#include <string>
#include <string_view>

#include "app/app_codes.h"
#include "app/settings.h"

namespace cbst {

class Window;

// Keys of section Main.
inline constexpr std::string_view kKeyWelcomeDone = "WelcomeDone230";
inline constexpr std::string_view kWelcomeDoneValue = "Yes";
inline constexpr std::string_view kKeyProgramGroup = "PGManInstl210";
// PGManInstl210 once the group exists; below it the options window offers it.
inline constexpr long kProgramGroupCreated = 100;
// The options window's button that makes the group.
inline constexpr int kOptionsProgramGroupButton = 2520;

// The running installation as start-up knows it.
struct SetupContext {
  std::string program_path;
  std::string program_directory;
  const Settings* settings = nullptr;
  Window* table = nullptr;
  bool read_only = false;
};

class SetupHooks {
 public:
  virtual ~SetupHooks() = default;
  // Acts on the installation words of `command_line`, which is emptied
  // when the program is to go on without it; says how start-up goes on.
  virtual StartMode ActOnWords(const SetupContext& context, std::string& command_line) = 0;
  // Once the file types are registered: offers the program group when the
  // welcome was done and it was neither made nor declined.
  virtual void OfferProgramGroup(const SetupContext& context) = 0;
  // Makes the program group and its items now.
  virtual bool CreateProgramGroup(const SetupContext& context) = 0;
};

// The one set of hooks (none until the program installs them); the hooks
// must outlive their use.
void InstallSetupHooks(SetupHooks* hooks);
SetupHooks* InstalledSetupHooks();

// The running program's context, kept while it runs.
void SetRunningSetupContext(const SetupContext* context);
// Whether the options window may offer to make the program group.
bool CanCreateProgramGroup();
// Makes it for the running program; false without hooks or on failure.
bool CreateProgramGroupNow();

}  // namespace cbst
