// start_trace.h: timing the program's own start, for measurements only.
//
// With the environment variable CBST_EXIT_SETTLED set, the program notes
// when each stage of its start ends and, once the table's first frame has
// settled, writes the stages to the standard error and ends at once. A
// player never sets it; nothing else changes.
#pragma once

namespace cbst {

inline constexpr const char* kExitSettledVariable = "CBST_EXIT_SETTLED";

// Whether this run is a measurement of the start.
bool MeasuringStart();
// Notes that the stage `name` (a literal) ends now.
void MarkStartStage(const char* name);
// Writes the stages, and the time from the start of the process to now,
// as one line to the standard error.
void ReportStartStages();

}  // namespace cbst
