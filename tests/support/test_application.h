// test_application.h: the framework's application for one test, with the
// command line the toolkit keeps a hold of for as long as it lives.
#pragma once

#include "ui/application.h"

namespace cbst::testing {

struct TestCommandLine {
  int argc = 1;
  char name[10] = "cbst";
  char* argv[2] = {name, nullptr};
};

class TestApplication : private TestCommandLine, public Application {
 public:
  TestApplication() : Application(argc, argv) {}
};

}  // namespace cbst::testing
