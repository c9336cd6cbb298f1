// main.cpp: cbst-dixc, the dictionary compiler.
//
//   cbst-dixc --ids <used_ids.md> <source.txt> <output.dix>
//   cbst-dixc --check <used_ids.md> <source.txt>...
//
// The first makes the dictionary of one language (named by the source's
// file name, eng.txt for English); the second checks that every source is
// complete and consistent with English. Problems go to standard error, one
// a line with file and line; the exit code is 0 when there were none.
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_replacement.h"
#include "dixc/compiler.h"
#include "text/dix_file.h"

namespace {

constexpr int kExitProblems = 1;

int Usage() {
  std::fprintf(stderr,
               "usage: cbst-dixc --ids <used_ids.md> <source.txt> <output.dix>\n"
               "       cbst-dixc --check <used_ids.md> <source.txt>...\n");
  return kExitProblems;
}

int Finish(const cbst::dixc::Problems& problems) {
  for (const std::string& problem : problems)
    std::fprintf(stderr, "%s\n", problem.c_str());
  return problems.empty() ? 0 : kExitProblems;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace cbst::dixc;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() < 2 || (arguments[0] != "--ids" && arguments[0] != "--check"))
    return Usage();

  Problems problems;
  std::string table_text;
  if (!ReadWholeFile(arguments[1], table_text, problems)) return Finish(problems);
  const UsedIdTable used = ParseUsedIds(arguments[1], table_text, problems);
  if (!problems.empty()) return Finish(problems);

  if (arguments[0] == "--check") {
    CheckDictionaries(arguments[1], used, {arguments.begin() + 2, arguments.end()}, problems);
    return Finish(problems);
  }

  if (arguments.size() != 4) return Usage();
  const std::string& source = arguments[2];
  const std::string& output = arguments[3];
  std::string content;
  std::vector<std::uint8_t> file;
  if (!ReadWholeFile(source, content, problems) ||
      !CompileDictionary(source, LanguageOfSource(source), content, used, file, problems))
    return Finish(problems);
  cbst::Status written = cbst::WriteWholeFile(output.c_str(), file);
  if (written.failed()) problems.push_back(output + ": " + written.text());
  return Finish(problems);
}
