#pragma once
// Replacing a file's contents so that a failure never leaves it half written.

#include <string>
#include <string_view>

namespace params {

struct FileWriteResult {
  bool ok = false;
  std::string error;  // names the path and the reason; empty when ok
};

// Writes `bytes` to a new file beside `path`, flushes it to the disk and then
// puts it in place of `path` in one step. On any failure the temporary file is
// removed and whatever was at `path` stays as it was. A symbolic link is
// followed, so the file it names is replaced and the link kept. A file that
// existed keeps its permission bits.
FileWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace params
