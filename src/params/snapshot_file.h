#pragma once
// .cfg snapshot files: the terminal's settings report as it was received.
// On disk every line end of the report is one CR more (CR CR LF), the bytes a
// text-mode stream writes on Windows; reading undoes that, so files move
// between builds unchanged.

#include <string>
#include <string_view>

#include "params/atomic_file.h"
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
// kept, NUL-terminated, count set. A file whose line ends an editor has
// normalised reads with them restored (RestoreLineEnds). On failure `recv` is
// left untouched.
SnapshotReadResult ReadSnapshotFile(const std::string& path, RecvBuffer& recv);

// After the text-mode translation a file the tool wrote has CR LF line ends.
// When the line of the report marker ends in a bare LF instead, the file was
// normalised by an editor (CR LF or LF on disk): every bare LF becomes CR LF
// again, so that labels and values are found. Other text is left alone.
void RestoreLineEnds(std::string& text);

// The bytes a text-mode write of `report` puts on disk: the text up to its
// first NUL, each LF written as CR LF.
std::string SnapshotBytes(std::string_view report);

// Writes the report to `path` (SnapshotBytes) through ReplaceFileContents: a
// failed write keeps the file that was there.
FileWriteResult WriteSnapshotFile(const std::string& path, std::string_view report);

}  // namespace params
