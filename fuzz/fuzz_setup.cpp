// fuzz_setup.cpp: the toolkit and the program's hooks, once per process.
#include <QGuiApplication>

#include <cstdlib>

#include "base/report.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "gfx/display_probe.h"
#include "image/bmp_file.h"

namespace cbst::fuzz {
namespace {

// Readers report refused files through the report hook; thousands of inputs
// a second must not fill the log.
class QuietSink final : public ReportSink {
 public:
  ReportAnswer Show(const Report&) override { return ReportAnswer::kOk; }
};

}  // namespace

void PrepareFuzzing() {
  static const bool prepared = [] {
    // Fonts and bitmaps need the toolkit; no window is ever shown, so the
    // offscreen platform serves also where a display is set.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!qGuiApp) {
      static int argc = 1;
      static char name[] = "cbst-fuzz";
      static char* argv[] = {name, nullptr};
      // Kept to the end of the process: the toolkit must outlive every
      // bitmap an entry leaves in a cache.
      static QGuiApplication* const application = new QGuiApplication(argc, argv);
      (void)application;
    }
    ProbeDisplay(false);
    InstallBmpReader();
    static QuietSink sink;
    SetReportSink(&sink);
    WorkspaceFolder();
    return true;
  }();
  (void)prepared;
}

}  // namespace cbst::fuzz
