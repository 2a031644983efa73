#pragma once
// Every period and time-out of the link and the main window, in one place.
// The defaults are the terminal's protocol values; tests build a scaled copy
// so that the suite stays fast, and pass it to the window they build.

namespace devlink {

struct Timing {
  int pollMs = 200;            // worker's quit wait before every job
  int keyFirstMs = 300;        // key "s" period after opening the port
  int keyRepeatMs = 500;       // key "s" period after the boot prompt
  int shortTimeoutMs = 5000;   // reply time-out of most jobs
  int longTimeoutMs = 24000;   // reply time-out of report and log reads
  int logAppendWaitMs = 100;   // pause before every log pane append
  int titleTimerMs = 100;      // delay of the title, version and help fill

  // Every value multiplied by `factor` (at least 1 ms where it was positive).
  constexpr Timing scaled(double factor) const {
    Timing t = *this;
    for (int* v : {&t.pollMs, &t.keyFirstMs, &t.keyRepeatMs, &t.shortTimeoutMs,
                   &t.longTimeoutMs, &t.logAppendWaitMs, &t.titleTimerMs}) {
      if (*v > 0) {
        int s = static_cast<int>(*v * factor);
        *v = s < 1 ? 1 : s;
      }
    }
    return t;
  }
};

// 9600 divided by the baud rate, at least 1. Callers refuse rates below 1
// before they get here; for them the result is 1.
constexpr int TimeoutFactorForBaud(int baud) {
  if (baud <= 0) return 1;
  int f = 9600 / baud;
  return f < 1 ? 1 : f;
}

}  // namespace devlink
