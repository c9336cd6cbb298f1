// gui_environment.h: the toolkit running for the tests of a suite.
//
// Fonts need a QGuiApplication; the display (CBST_DISPLAY may simulate an
// older one) is probed as the program does at start-up. Include this from
// one test file of a suite: it registers itself.
#pragma once

#include <gtest/gtest.h>
#include <QGuiApplication>
#ifdef CBST_TEST_WIDGETS
#include <QApplication>
#endif

#include <memory>

#include "gfx/display_probe.h"

namespace cbst::testing {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ProbeDisplay(false);
    static int argc = 1;
    static char name[] = "cbst_tests";
    static char* argv[] = {name, nullptr};
    // Suites with windows need the widgets' application.
#ifdef CBST_TEST_WIDGETS
    if (!qGuiApp) app_ = std::make_unique<QApplication>(argc, argv);
#else
    if (!qGuiApp) app_ = std::make_unique<QGuiApplication>(argc, argv);
#endif
  }
  void TearDown() override {
    app_.reset();
  }

 private:
  std::unique_ptr<QGuiApplication> app_;
};

inline const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace cbst::testing
