#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "json_writer.h"
#include "snapshot_settings.h"

namespace cli {

// Reads FILE as a snapshot load does and prints one line per setting in
// registry order. Values are printed as stored: bytes, no quoting.
int RunParse(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.unknownOption().empty()) return UsageError(inv, "unknown option " + args.unknownOption());
  if (args.words().size() != 1) return UsageError(inv);
  SnapshotSettings file = ReadSnapshotSettings(args.words()[0]);
  if (!file.error.empty()) {
    std::fprintf(stderr, "k9x40-cli: %s\n", file.error.c_str());
    return kExitFailed;
  }

  if (inv.options.json) {
    JsonWriter w;
    w.beginObject();
    file.registry->forEach([&](const std::string& name, const params::ParamEntry& e) { w.member(name, e.value); });
    w.endObject();
    if (!PrintJson(w)) {
      std::perror("k9x40-cli: stdout");
      return kExitFailed;
    }
    return kExitOk;
  }
  std::string out;
  file.registry->forEach([&](const std::string& name, const params::ParamEntry& e) {
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
