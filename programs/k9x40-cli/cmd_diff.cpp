#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "json_writer.h"
#include "snapshot_settings.h"

namespace cli {

// The settings two snapshots differ in, in registry order: name, value in A,
// value in B. Exit 0 whether or not they differ; 1 when a file is unreadable.
int RunDiff(const Invocation& inv) {
  CommandArgs args(inv);
  if (!args.unknownOption().empty()) return UsageError(inv, "unknown option " + args.unknownOption());
  if (args.words().size() != 2) return UsageError(inv);
  SnapshotSettings a = ReadSnapshotSettings(args.words()[0]);
  SnapshotSettings b = ReadSnapshotSettings(args.words()[1]);
  for (const SnapshotSettings* f : {&a, &b}) {
    if (!f->error.empty()) {
      std::fprintf(stderr, "k9x40-cli: %s\n", f->error.c_str());
      return kExitFailed;
    }
  }

  JsonWriter w;
  std::string out;
  w.beginObject().key("differences").beginArray();
  a.registry->forEach([&](const std::string& name, const params::ParamEntry& ea) {
    const std::string vb = b.registry->value(name).value_or("");
    if (ea.value == vb) return;
    w.beginObject().member("name", name).member("command", ea.atCommand).member("a", ea.value).member("b", vb).endObject();
    out += name + '\t' + ea.value + '\t' + vb + '\n';
  });
  w.endArray().endObject();

  if (inv.options.json) {
    if (!PrintJson(w)) return kExitFailed;
    return kExitOk;
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace cli
