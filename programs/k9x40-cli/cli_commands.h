#pragma once
// Commands of k9x40-cli. Each lives in its own cmd_<name>.cpp and is listed
// in the table of cli_main.cpp.

#include "cli_options.h"

namespace cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;          // all done and confirmed
inline constexpr int kExitFailed = 1;      // refused, timed out, differs, or a file failed
inline constexpr int kExitUsage = 2;       // wrong command line
inline constexpr int kExitNoTerminal = 3;  // port not opened or configuration mode not reached

// Returns the process exit code. A command prints its own error lines; a
// wrong command line goes through UsageError().
using CommandFn = int (*)(const Invocation& inv);

struct Command {
  const char* name;
  const char* usage;  // arguments, shown after "k9x40-cli <name> "
  const char* summary;
  CommandFn run;
};

int RunPorts(const Invocation& inv);
int RunParse(const Invocation& inv);
int RunDiff(const Invocation& inv);
int RunRead(const Invocation& inv);
int RunApply(const Invocation& inv);
int RunSet(const Invocation& inv);
int RunCheck(const Invocation& inv);
int RunSend(const Invocation& inv);
int RunFactory(const Invocation& inv);
int RunClock(const Invocation& inv);
int RunQuit(const Invocation& inv);

}  // namespace cli
