// platform_window.h: a window as the platform's dialogs need it, to own them.
#pragma once

namespace cbst {

// Opaque here; the window layer makes one for each of its windows.
struct PlatformWindow;

}  // namespace cbst
