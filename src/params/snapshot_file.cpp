#include "params/snapshot_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "params/report_parser.h"

namespace params {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string ErrorText(const char* what, const std::string& path, int err) {
  return std::string(what) + " " + path + ": " + std::strerror(err);
}

}  // namespace

SnapshotReadResult ReadSnapshotFile(const std::string& path, RecvBuffer& recv) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return {false, ErrorText("cannot open", path, errno)};

  // Translate as we go; a CR at the end of one chunk waits for the next
  // chunk's first byte to decide whether it is part of a CR LF.
  std::string text;
  text.reserve(kSnapshotReadLimit + 1);
  bool pendingCr = false;
  char chunk[4096];
  while (text.size() < static_cast<std::size_t>(kSnapshotReadLimit)) {
    std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
    if (n == 0) {
      if (std::ferror(file.get())) return {false, ErrorText("cannot read", path, errno)};
      break;
    }
    for (std::size_t i = 0; i < n; ++i) {
      char c = chunk[i];
      if (pendingCr) {
        pendingCr = false;
        if (c == '\n') {
          text.push_back('\n');
          continue;
        }
        text.push_back('\r');
      }
      if (c == '\r')
        pendingCr = true;
      else
        text.push_back(c);
    }
  }
  if (pendingCr) text.push_back('\r');
  if (text.size() > static_cast<std::size_t>(kSnapshotReadLimit)) text.resize(kSnapshotReadLimit);
  // Restoring only adds bytes, so the limit is applied to the restored text
  // too: the same settings are found as in the file the tool wrote.
  RestoreLineEnds(text);
  if (text.size() > static_cast<std::size_t>(kSnapshotReadLimit)) text.resize(kSnapshotReadLimit);

  recv.clear();
  std::memcpy(recv.data.data(), text.data(), text.size());
  recv.count = static_cast<int>(text.size());
  recv.data[recv.count] = '\0';
  return {true, {}};
}

void RestoreLineEnds(std::string& text) {
  const std::size_t marker = text.find(kReportMarker);
  if (marker == std::string::npos) return;
  const std::size_t lf = text.find('\n', marker);
  if (lf == std::string::npos || text[lf - 1] == '\r') return;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  text = std::move(out);
}

std::string SnapshotBytes(std::string_view report) {
  report = report.substr(0, report.find('\0'));
  std::string bytes;
  bytes.reserve(report.size() + report.size() / 16);
  for (char c : report) {
    if (c == '\n') bytes.push_back('\r');
    bytes.push_back(c);
  }
  return bytes;
}

FileWriteResult WriteSnapshotFile(const std::string& path, std::string_view report) {
  return ReplaceFileContents(path, SnapshotBytes(report));
}

}  // namespace params
