#pragma once
// Commands of k9x40-cli. Each lives in its own cmd_<name>.cpp and is listed
// in the table of cli_main.cpp.

#include <span>
#include <string>

namespace cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// `args` are the words after the command name. Returns the process exit code;
// a wrong number of arguments returns kExitUsage without printing (main
// prints the usage line).
using CommandFn = int (*)(std::span<const std::string> args);

struct Command {
  const char* name;
  const char* usage;  // arguments, shown after "k9x40-cli <name> "
  const char* summary;
  CommandFn run;
};

int RunParse(std::span<const std::string> args);
int RunPorts(std::span<const std::string> args);

}  // namespace cli
