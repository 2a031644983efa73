#pragma once
// .cfg snapshot files: the terminal's settings report as it was received.
// On disk every line end of the report is one CR more (CR CR LF), the bytes a
// text-mode stream writes on Windows; reading undoes that, so files move
// between builds unchanged.

#include <string>

#include "params/recv_buffer.h"

namespace params {

// At most this many bytes of translated text are read from a snapshot.
inline constexpr int kSnapshotReadLimit = 8192;

struct SnapshotReadResult {
  bool ok = false;
  std::string error;  // names the path; empty when ok
};

// Reads the start of the file into `recv` as a text-mode read does: each
// CR LF becomes LF, and at most kSnapshotReadLimit bytes of the result are
// kept, NUL-terminated, count set. On failure `recv` is left untouched.
SnapshotReadResult ReadSnapshotFile(const std::string& path, RecvBuffer& recv);

}  // namespace params
