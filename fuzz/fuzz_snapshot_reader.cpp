// The snapshot reader on a file of arbitrary bytes, against a plain model of
// a text-mode read: every CR LF becomes LF, then the first 8192 bytes count.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "params/snapshot_file.h"

namespace {

std::string Translate(const std::uint8_t* data, std::size_t size) {
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') continue;
    out.push_back(static_cast<char>(data[i]));
  }
  if (out.size() > static_cast<std::size_t>(params::kSnapshotReadLimit))
    out.resize(params::kSnapshotReadLimit);
  return out;
}

const std::string& TempPath() {
  static const std::string path = "/tmp/k9x40-fuzz-snapshot-" + std::to_string(getpid()) + ".cfg";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Bigger inputs only repeat what the chunk boundaries already show.
  if (size > 3 * 4096 + 100) return -1;
  {
    std::FILE* f = std::fopen(TempPath().c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, f) == size);
    std::fclose(f);
  }
  static auto recv = std::make_unique<params::RecvBuffer>();
  recv->data.fill('x');
  recv->count = 7;
  const params::SnapshotReadResult r = params::ReadSnapshotFile(TempPath(), *recv);
  FUZZ_CHECK(r.ok && r.error.empty());
  const std::string expect = Translate(data, size);
  FUZZ_CHECK(recv->count == static_cast<int>(expect.size()));
  FUZZ_CHECK(recv->text() == expect);
  FUZZ_CHECK(recv->data[recv->count] == '\0');
  return 0;
}
