// One parse of a complete settings report into the full registry.
#include <benchmark/benchmark.h>

#include <memory>
#include <set>
#include <string>

#include "params/param_registry.h"
#include "params/recv_buffer.h"
#include "params/report_parser.h"

namespace {

// A report as the terminal prints it: echo, one line per setting, OK.
std::string FullReport(const params::ParamRegistry& reg) {
  std::string report = "\r\nAT+SHOW\r\n";
  std::set<std::string> printed;
  auto line = [&](const std::string& label, const std::string& value) {
    if (label.rfind("\r\n", 0) != 0) report += "\r\n";
    report += label + " " + value + "\r\n";
  };
  line("Access Point Name:", "cmnet");
  printed.insert("AT+APN");
  reg.forEach([&](const std::string& name, const params::ParamEntry& e) {
    std::string key = e.atCommand.empty() ? name : e.atCommand;
    if (e.reportLabel.empty() || !printed.insert(key).second) return;
    line(e.reportLabel, "value of " + key);
  });
  return report + "\r\nOK\r\n";
}

void BM_ParseShowReport(benchmark::State& state) {
  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  std::string text = FullReport(reg);
  auto recv = std::make_unique<params::RecvBuffer>();
  text.copy(recv->data.data(), text.size());
  recv->count = static_cast<int>(text.size());
  for (auto _ : state) {
    params::ParseShowReport(reg, *recv);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * recv->count);
  state.counters["report_bytes"] = recv->count;
}
BENCHMARK(BM_ParseShowReport);

// The registry walk alone: without the marker no label is searched.
void BM_ParseWithoutMarker(benchmark::State& state) {
  params::ParamRegistry reg;
  params::BuildRegistry(reg);
  auto recv = std::make_unique<params::RecvBuffer>();
  for (auto _ : state) {
    params::ParseShowReport(reg, *recv);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ParseWithoutMarker);

}  // namespace
