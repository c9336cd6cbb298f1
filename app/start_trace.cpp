// start_trace.cpp: the stages of the start against the clock.
#include "app/start_trace.h"

#include <time.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace cbst {
namespace {

constexpr int kMostStages = 16;
constexpr double kMillisecondsPerSecond = 1000.0;
constexpr double kMillisecondsPerNanosecond = 1e-6;

struct Stage {
  const char* name = nullptr;
  double at = 0;  // milliseconds of the process's life
};

struct Trace {
  std::array<Stage, kMostStages> stages;
  int count = 0;
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

// Milliseconds since the process began, its loading of the libraries
// included: the clock the kernel keeps for the process's own CPU time is no
// use here, so the boot clock is read against the process's start tick.
double SinceProcessStart() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double now_ms = static_cast<double>(now.tv_sec) * kMillisecondsPerSecond +
                        static_cast<double>(now.tv_nsec) * kMillisecondsPerNanosecond;
  static const double started_ms = [] {
    // Field 22 of /proc/self/stat: the start in clock ticks after boot.
    unsigned long long ticks = 0;
    if (std::FILE* stat = std::fopen("/proc/self/stat", "r")) {
      char text[1024] = {};
      const std::size_t read = std::fread(text, 1, sizeof text - 1, stat);
      std::fclose(stat);
      text[read] = '\0';
      // The command name may hold spaces: count fields after its ')'.
      const char* field = std::strrchr(text, ')');
      for (int index = 3; field && index <= 22; ++index) {
        field = std::strchr(field + 1, ' ');
        if (field && index == 22) ticks = std::strtoull(field + 1, nullptr, 10);
      }
    }
    const long per_second = sysconf(_SC_CLK_TCK);
    return per_second > 0 ? static_cast<double>(ticks) * kMillisecondsPerSecond / per_second : 0;
  }();
  return now_ms - started_ms;
}

}  // namespace

bool MeasuringStart() {
  static const bool measuring = [] {
    const char* value = std::getenv(kExitSettledVariable);
    return value && *value;
  }();
  return measuring;
}

void MarkStartStage(const char* name) {
  if (!MeasuringStart()) return;
  Trace& trace = TheTrace();
  if (trace.count >= kMostStages) return;
  trace.stages[static_cast<std::size_t>(trace.count++)] = {name, SinceProcessStart()};
}

void ReportStartStages() {
  const Trace& trace = TheTrace();
  std::fprintf(stderr, "cbst: first frame settled %.1f ms after the process started;",
               SinceProcessStart());
  double before = 0;
  for (int index = 0; index < trace.count; ++index) {
    const Stage& stage = trace.stages[static_cast<std::size_t>(index)];
    std::fprintf(stderr, " %s %.1f", stage.name, stage.at - before);
    before = stage.at;
  }
  std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

}  // namespace cbst
