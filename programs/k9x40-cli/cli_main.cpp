#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli_commands.h"

namespace cli {
namespace {

constexpr Command kCommands[] = {
    {"parse", "FILE", "print every setting of a .cfg snapshot: name TAB value", RunParse},
    {"ports", "", "list the serial ports: device paths, then running simulated terminals", RunPorts},
};

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Command& c : kCommands) std::fprintf(out, "  k9x40-cli %s %s\n      %s\n", c.name, c.usage, c.summary);
}

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  if (argc < 2) {
    cli::PrintUsage(stderr);
    return cli::kExitUsage;
  }
  std::string_view name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    cli::PrintUsage(stdout);
    return cli::kExitOk;
  }
  const cli::Command* cmd = cli::FindCommand(name);
  if (!cmd) {
    std::fprintf(stderr, "k9x40-cli: unknown command '%s'\n", argv[1]);
    cli::PrintUsage(stderr);
    return cli::kExitUsage;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  int rc = cmd->run(args);
  if (rc == cli::kExitUsage) std::fprintf(stderr, "usage: k9x40-cli %s %s\n", cmd->name, cmd->usage);
  return rc;
}
