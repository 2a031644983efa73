#include "params/report_parser.h"

#include <algorithm>
#include <memory>
#include <string>

namespace params {
namespace {

// The working copy is 8192 bytes with a NUL always behind the text.
constexpr std::size_t kWorkCopyText = 8191;
constexpr std::size_t kValueLimit = 1024;

// Text up to the first NUL, as a C string search would see it.
std::string_view UpToNul(std::string_view s) {
  std::size_t nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

// The searchable text from the marker on; empty when there is no marker.
std::string_view WorkingText(const RecvBuffer& recv) {
  int count = std::clamp(recv.count, 0, RecvBuffer::kMaxBytes);
  std::string_view all(recv.data.data(), static_cast<std::size_t>(count));
  std::size_t at = UpToNul(all).find(kReportMarker);
  if (at == std::string_view::npos) return {};
  std::string_view from = all.substr(at);
  return UpToNul(from.substr(0, std::min(from.size(), kWorkCopyText)));
}

}  // namespace

std::string_view FindReportValue(std::string_view work, std::string_view label) {
  std::size_t at = work.find(label);
  if (at == std::string_view::npos) return {};
  std::size_t start = at + label.size();
  std::size_t end = work.find("\r\n", start);
  if (end == std::string_view::npos) return {};
  while (work[start] == ' ' && start < end) ++start;
  while (start < end && (work[end] == ' ' || work[end] == '\r')) --end;
  std::size_t length = work[start] == '\r' ? 0 : end - start + 1;
  if (length >= kValueLimit) return {};
  return work.substr(start, length);
}

void ParseShowReport(ParamRegistry& registry, const RecvBuffer& recv) {
  std::string_view work = WorkingText(recv);
  registry.forEach([&](const std::string& name, const ParamEntry& e) {
    registry.setValue(name, FindReportValue(work, e.reportLabel));
  });
}

void ParseShowReport(ParamRegistry& registry, std::string_view text) {
  auto recv = std::make_unique<RecvBuffer>();
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(RecvBuffer::kMaxBytes));
  std::copy_n(text.data(), n, recv->data.data());
  recv->count = static_cast<int>(n);
  ParseShowReport(registry, *recv);
}

}  // namespace params
