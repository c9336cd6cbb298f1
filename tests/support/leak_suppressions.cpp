// leak_suppressions.cpp: leaks the sanitizer reports in libraries the tests
// load, not in ours. Built into the test programs of sanitized builds only.
//
// Fontconfig keeps parts of its configuration, parsed once per process when
// the toolkit first looks for a font, until the process ends.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
