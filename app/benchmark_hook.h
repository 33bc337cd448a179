#pragma once

namespace vantaro::app {

class CVantaroCEApp;

// For bench/desktop_timing: when the environment variable
// VANTARO_BENCHMARK_FIRST_PAINT is set, the first paint of the board prints
// "first paint: N ms, cpu M ms" (both counted from the start of the
// process) on standard error and ends the program normally. Otherwise it
// does nothing.
void ReportFirstPaintWhenAsked(CVantaroCEApp& program);

struct ProcessTimes {
  double sinceStart = 0;  // milliseconds since the kernel started the process
  double cpu = 0;         // milliseconds of processor time it used, user and system
};
ProcessTimes CurrentProcessTimes();

}  // namespace vantaro::app
