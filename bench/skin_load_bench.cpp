// Building the main skin with all eleven pages, as the window does at start,
// from the skins the build copies next to the programs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "layout/control_factory.h"
#include "ui/skin_builder.h"

namespace {

std::filesystem::path SkinDir(const char* folder) {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return exe.parent_path().parent_path() / "bin" / "skin" / folder;
}

size_t CountControls(const ui::Control& c) {
  size_t n = 1;
  for (const auto& child : c.children()) n += CountControls(*child);
  return n;
}

void LoadSkin(benchmark::State& state, const char* folder) {
  const std::filesystem::path dir = SkinDir(folder);
  size_t controls = 0;
  for (auto _ : state) {
    layout::CDialogBuilderCallbackEx factory(dir);
    ui::SkinDocument doc = ui::BuildSkin(dir / "skin.xml", factory.factory());
    if (!doc.root || !factory.pageErrors().empty()) {
      state.SkipWithError(("skin did not load from " + dir.string()).c_str());
      return;
    }
    if (controls == 0) controls = CountControls(*doc.root);
    benchmark::DoNotOptimize(doc.root.get());
  }
  state.counters["controls"] = static_cast<double>(controls);
}

BENCHMARK_CAPTURE(LoadSkin, English, "ConifgENRes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadSkin, Chinese, "ConifgRes")->Unit(benchmark::kMillisecond);

}  // namespace
