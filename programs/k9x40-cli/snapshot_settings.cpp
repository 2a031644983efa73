#include "snapshot_settings.h"

#include "params/recv_buffer.h"
#include "params/report_parser.h"
#include "params/snapshot_file.h"

namespace cli {

SnapshotSettings ReadSnapshotSettings(const std::string& path) {
  SnapshotSettings s;
  auto recv = std::make_unique<params::RecvBuffer>();
  params::SnapshotReadResult read = params::ReadSnapshotFile(path, *recv);
  if (!read.ok) {
    s.error = read.error;
    return s;
  }
  s.registry = std::make_unique<params::ParamRegistry>();
  params::BuildRegistry(*s.registry);
  params::ParseShowReport(*s.registry, *recv);
  s.hasReport = std::string_view(recv->text()).find("Access Point Name:") != std::string_view::npos;
  return s;
}

}  // namespace cli
