// setup_hooks.cpp: the installed setup hooks and the running context.
#include "app/setup_hooks.h"

namespace cbst {
namespace {

SetupHooks*& Hooks() {
  static SetupHooks* hooks = nullptr;
  return hooks;
}

const SetupContext*& Context() {
  static const SetupContext* context = nullptr;
  return context;
}

}  // namespace

void InstallSetupHooks(SetupHooks* hooks) {
  Hooks() = hooks;
}

SetupHooks* InstalledSetupHooks() {
  return Hooks();
}

void SetRunningSetupContext(const SetupContext* context) {
  Context() = context;
}

bool CanCreateProgramGroup() {
  return Hooks() && Context();
}

bool CreateProgramGroupNow() {
  return CanCreateProgramGroup() && Hooks()->CreateProgramGroup(*Context());
}

}  // namespace cbst
