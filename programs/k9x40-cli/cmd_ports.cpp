#include <cstdio>

#include "cli_commands.h"
#include "json_writer.h"
#include "link/port_discovery.h"

namespace cli {

// Prints the serial ports the port list would offer, one device path a line:
// the machine's ports, then the links of running simulated terminals.
int RunPorts(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.words().empty()) return UsageError(inv);
  const auto ports = devlink::ListSerialPorts();
  if (inv.options.json) {
    JsonWriter w;
    w.beginObject().key("ports").beginArray();
    for (const auto& p : ports) w.value(p);
    w.endArray().endObject();
    return PrintJson(w) ? kExitOk : kExitFailed;
  }
  for (const auto& p : ports) std::printf("%s\n", p.c_str());
  if (ports.empty()) std::fprintf(stderr, "k9x40-cli: no serial ports found\n");
  if (std::fflush(stdout) != 0) {
    std::perror("k9x40-cli: stdout");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
