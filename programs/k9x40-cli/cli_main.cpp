#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli_commands.h"

namespace cli {
namespace {

constexpr Command kCommands[] = {
    {"ports", "", "list the serial ports: device paths, then running simulated terminals", RunPorts},
    {"parse", "FILE.cfg", "print every setting of a snapshot: name TAB value", RunParse},
    {"diff", "A.cfg B.cfg", "print the settings two snapshots differ in: name TAB value in A TAB value in B", RunDiff},
    {"read", "[-o FILE.cfg]", "read the terminal's settings: name TAB command TAB value; -o saves the snapshot", RunRead},
    {"apply", "FILE.cfg [--dry-run] [--verify]", "write every setting in which the snapshot differs from the terminal", RunApply},
    {"set", "NAME=VALUE...", "put values into the form's controls, then Save", RunSet},
    {"check", "", "SIM, signal, version and network mode, one line each", RunCheck},
    {"send", "TEXT", "send TEXT and a line end as a free command; print the reply", RunSend},
    {"factory", "", "restore the factory settings (the settings are read again afterwards)", RunFactory},
    {"clock", "", "set the terminal's clock from this computer's local time", RunClock},
    {"quit", "", "leave configuration mode", RunQuit},
};

constexpr const char* kOptions =
    "options (before or after the command):\n"
    "  -p, --port PATH   serial port (default: the only one present)\n"
    "  -b, --baud N      baud rate (default 115200)\n"
    "  -f, --format 8N1  data bits, parity, stop bits (default 8N1)\n"
    "  --login           enter configuration mode with the escape \"+++\" (a running terminal)\n"
    "  --wait S          seconds to wait for configuration mode (default 60)\n"
    "  --lang en|zh      language of the form and its texts (default: config.ini's)\n"
    "  --json            machine-readable output on stdout\n"
    "  -v                the traffic log on stderr\n";

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: k9x40-cli [options] COMMAND [args]\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(out, "  %s %s\n      %s\n", c.name, c.usage, c.summary);
  std::fputs(kOptions, out);
}

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  for (const std::string& w : words) {
    if (w == "--") break;
    if (w == "-h" || w == "--help") {
      cli::PrintUsage(stdout);
      return cli::kExitOk;
    }
  }
  if (!words.empty() && words.front() == "help") {
    cli::PrintUsage(stdout);
    return cli::kExitOk;
  }
  std::string error;
  auto inv = cli::ParseCommandLine(words, &error);
  if (!inv) {
    std::fprintf(stderr, "k9x40-cli: %s; usage: k9x40-cli [options] COMMAND [args] (see --help)\n", error.c_str());
    return cli::kExitUsage;
  }
  const cli::Command* cmd = cli::FindCommand(inv->command);
  if (!cmd) {
    std::fprintf(stderr, "k9x40-cli: unknown command '%s'; usage: k9x40-cli [options] COMMAND [args] (see --help)\n", inv->command.c_str());
    return cli::kExitUsage;
  }
  inv->usage = std::string("k9x40-cli ") + cmd->name + (*cmd->usage ? " " : "") + cmd->usage;
  return cmd->run(*inv);
}
