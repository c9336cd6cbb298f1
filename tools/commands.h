// commands.h: the sub-commands of cbst-tool. Each takes the arguments after
// its name and returns the process exit code.
#pragma once

namespace cbst::tool {

int RunCertificate(int argc, char** argv);
int RunCut(int argc, char** argv);
int RunInfo(int argc, char** argv);
int RunLoad(int argc, char** argv);
int RunMake(int argc, char** argv);
int RunOpen(int argc, char** argv);
int RunRanking(int argc, char** argv);
int RunSave(int argc, char** argv);
int RunScore(int argc, char** argv);
int RunScores(int argc, char** argv);
int RunSheets(int argc, char** argv);

}  // namespace cbst::tool
