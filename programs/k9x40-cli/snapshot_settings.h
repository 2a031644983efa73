#pragma once
// A snapshot file read as a snapshot load reads it, parsed into a registry.

#include <memory>
#include <string>

#include "params/param_registry.h"

namespace cli {

struct SnapshotSettings {
  std::unique_ptr<params::ParamRegistry> registry;  // every entry, the file's values
  bool hasReport = false;  // the read text holds the settings marker
  std::string error;       // names the path; empty when read
};

SnapshotSettings ReadSnapshotSettings(const std::string& path);

}  // namespace cli
