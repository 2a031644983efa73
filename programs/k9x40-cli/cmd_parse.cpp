#include <cstdio>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "params/param_registry.h"
#include "params/recv_buffer.h"
#include "params/report_parser.h"
#include "params/snapshot_file.h"

namespace cli {

// Reads FILE as a snapshot load does and prints one line per setting in
// registry order. Values are printed as stored: bytes, no quoting.
int RunParse(std::span<const std::string> args) {
  if (args.size() != 1) return kExitUsage;
  auto recv = std::make_unique<params::RecvBuffer>();
  params::SnapshotReadResult read = params::ReadSnapshotFile(args[0], *recv);
  if (!read.ok) {
    std::fprintf(stderr, "k9x40-cli: %s\n", read.error.c_str());
    return kExitFailed;
  }
  params::ParamRegistry registry;
  params::BuildRegistry(registry);
  params::ParseShowReport(registry, *recv);

  std::string out;
  registry.forEach([&](const std::string& name, const params::ParamEntry& e) {
    out += name;
    out += '\t';
    out += e.value;
    out += '\n';
  });
  std::fwrite(out.data(), 1, out.size(), stdout);
  if (std::fflush(stdout) != 0) {
    std::perror("k9x40-cli: stdout");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
