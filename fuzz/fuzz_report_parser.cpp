// The settings-report parser fed a receive buffer of arbitrary bytes (NULs
// included, as a snapshot file can carry them).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "fuzz_check.h"
#include "params/param_registry.h"
#include "params/report_parser.h"

namespace {

params::ParamRegistry& Registry() {
  static params::ParamRegistry* reg = [] {
    auto* r = new params::ParamRegistry;
    params::BuildRegistry(*r);
    return r;
  }();
  return *reg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto recv = std::make_unique<params::RecvBuffer>();
  recv->data.fill(0);
  const std::size_t n = std::min<std::size_t>(size, params::RecvBuffer::kMaxBytes);
  std::memcpy(recv->data.data(), data, n);
  recv->count = static_cast<int>(n);

  params::ParamRegistry& reg = Registry();
  params::ParseShowReport(reg, *recv);

  const std::string_view text(recv->data.data(), std::strlen(recv->data.data()));
  const bool hasMarker = text.find(params::kReportMarker) != std::string_view::npos;
  reg.forEach([&](const std::string&, const params::ParamEntry& e) {
    const std::string& v = e.value;
    if (!hasMarker) FUZZ_CHECK(v.empty());
    if (v.empty()) return;
    FUZZ_CHECK(v.size() < 1024);
    FUZZ_CHECK(v.find('\0') == std::string::npos);
    FUZZ_CHECK(v.find("\r\n") == std::string::npos);
    FUZZ_CHECK(v.front() != ' ');
    FUZZ_CHECK(v.back() != ' ' && v.back() != '\r');
    FUZZ_CHECK(text.find(v) != std::string_view::npos);  // text of the report, not made up
  });
  return 0;
}
