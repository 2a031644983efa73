// The snapshot reader on a file of arbitrary bytes, against a plain model of
// a text-mode read: every CR LF becomes LF, then the first 8192 bytes count;
// when the first line after the report marker then ends in a bare LF, every
// bare LF gets its CR back, within the same 8192 bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "params/report_parser.h"
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

std::string Restore(std::string text) {
  const std::size_t marker = text.find(params::kReportMarker);
  if (marker == std::string::npos) return text;
  const std::size_t lf = text.find('\n', marker);
  if (lf == std::string::npos || text[lf - 1] == '\r') return text;
  std::string out;
  char prev = 0;
  for (char c : text) {
    if (c == '\n' && prev != '\r') out.push_back('\r');
    out.push_back(c);
    prev = c;
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
  const std::string expect = Restore(Translate(data, size));
  FUZZ_CHECK(recv->count == static_cast<int>(expect.size()));
  FUZZ_CHECK(recv->text() == expect);
  FUZZ_CHECK(recv->data[recv->count] == '\0');
  return 0;
}
