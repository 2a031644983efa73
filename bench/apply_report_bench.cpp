// Time of showing a full settings report in the form, and of the Save
// collection over it. The form holds one control per registry entry and the
// 14 direction switches, as the skins do.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "layout/control_factory.h"
#include "params/change_collection.h"
#include "params/control_binding.h"
#include "params/param_registry.h"
#include "params/report_parser.h"
#include "ui/control.h"
#include "ui/paint_manager.h"
#include "ui/skin_builder.h"

namespace {

const char* kSwitches[] = {"Lora2COM",  "COM2Lora",    "Lora2GPRS", "GPRS2Lora", "Zigbee2COM",
                           "COM2Zigbee", "Zigbee2GPRS", "GPRS2Zigbee", "GPS2COM", "COM2GPS",
                           "GPS2GPRS",  "GPRS2GPS",    "GPRS2COM",  "COM2GPRS"};

// One line per label; `variant` changes every number and text so that a
// second report moves every selection.
std::string Report(const params::ParamRegistry& reg, int variant) {
  std::string r = "\r\nAT+SHOW\r\n";
  std::set<std::string> printed;
  auto line = [&](const std::string& name, const params::ParamEntry& e) {
    if (e.reportLabel.empty() || !printed.insert(e.atCommand.empty() ? name : e.atCommand).second)
      return;
    if (e.reportLabel.rfind("\r\n", 0) != 0) r += "\r\n";
    std::string value = e.controlType == "Combobox" ? std::to_string(1 + variant)
                        : name == "Device Type"     ? "K9x40-L"
                                                    : "text " + std::to_string(variant);
    r += e.reportLabel + " " + value + "\r\n";
  };
  line("Access Point Name", *reg.find("Access Point Name"));
  reg.forEach(line);
  return r + "\r\nOK\r\n";
}

// The English skin the build copies beside the programs (bin/skin).
std::filesystem::path SkinDir() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" /
         "skin" / "ConifgENRes";
}

struct Form {
  // skinDir empty: one control per entry; otherwise the skin's own tree.
  explicit Form(const std::filesystem::path& skinDir = {}) {
    params::BuildRegistry(registry);
    std::string tmpl = (std::filesystem::temp_directory_path() / "k9x40_bench_XXXXXX").string();
    if (::mkdtemp(tmpl.data())) dir = tmpl;
    std::ofstream(dir / "Language.ini")
        << "[Protocolmodel]\nText=Custom\n[DIO workmode]\nText1=In\nText2=Out\n";
    lang = ui::LanguageFile(dir / "Language.ini");
    ctx.pm = &pm;
    ctx.registry = &registry;
    ctx.tabs = &tabs;
    ctx.lang = &lang;
    ctx.loraVersion = &loraVersion;
    ctx.postLayoutGroup = [](int, int) {};
    if (!skinDir.empty()) {
      lang = ui::LanguageFile(skinDir / "Language.ini");
      ui::SkinDocument doc = ui::BuildSkin(skinDir / "skin.xml", layout::MakeControlFactory(skinDir));
      loaded = doc.root != nullptr;
      if (loaded) pm.setRoot(std::move(doc.root));
      return;
    }
    auto root = std::make_unique<ui::Container>();
    registry.forEach([&](const std::string& name, const params::ParamEntry& e) {
      std::unique_ptr<ui::Control> c;
      if (e.controlType == "Combobox") {
        auto combo = std::make_unique<ui::Combo>();
        for (int i = 0; i < 8; ++i) combo->addItem(std::to_string(i));
        c = std::move(combo);
      } else if (e.controlType == "Edit") {
        c = std::make_unique<ui::Edit>();
      } else {
        return;
      }
      c->setName(name);
      root->add(std::move(c));
    });
    for (const char* s : kSwitches) {
      auto b = std::make_unique<ui::Button>();
      b->setName(s);
      b->setBkImage(std::string("dir_disable.png"));
      root->add(std::move(b));
    }
    pm.setRoot(std::move(root));
    loaded = true;
  }
  ~Form() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  params::ParamRegistry registry;
  params::TabSlots tabs = params::MakeTabSlots();
  ui::PaintManager pm;
  ui::LanguageFile lang;
  std::string loraVersion;
  std::filesystem::path dir = ".";
  bool loaded = false;
  params::FormContext ctx;
};

// Every selection and text changes at every call (two reports in turn).
void BM_ApplyReport(benchmark::State& state) {
  Form f;
  const std::string reports[2] = {Report(f.registry, 0), Report(f.registry, 1)};
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    params::ParseShowReport(f.registry, reports[i ^= 1]);
    state.ResumeTiming();
    params::ApplyReport(f.ctx);
  }
}
BENCHMARK(BM_ApplyReport)->Unit(benchmark::kMicrosecond);

// The same report again: nothing changes in the form.
void BM_ApplyReportUnchanged(benchmark::State& state) {
  Form f;
  params::ParseShowReport(f.registry, Report(f.registry, 0));
  params::ApplyReport(f.ctx);
  for (auto _ : state) params::ApplyReport(f.ctx);
}
BENCHMARK(BM_ApplyReportUnchanged)->Unit(benchmark::kMicrosecond);

// The English skin's tree, with the skin's own item lists.
void BM_ApplyReportSkin(benchmark::State& state) {
  Form f(SkinDir());
  if (!f.loaded) {
    state.SkipWithError("skin not found beside the programs");
    return;
  }
  const std::string reports[2] = {Report(f.registry, 0), Report(f.registry, 1)};
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    params::ParseShowReport(f.registry, reports[i ^= 1]);
    state.ResumeTiming();
    params::ApplyReport(f.ctx);
  }
}
BENCHMARK(BM_ApplyReportSkin)->Unit(benchmark::kMicrosecond);

void BM_CollectChangesNothingChanged(benchmark::State& state) {
  Form f;
  params::ParseShowReport(f.registry, Report(f.registry, 0));
  params::ApplyReport(f.ctx);
  for (auto _ : state) benchmark::DoNotOptimize(params::CollectChanges(f.ctx));
}
BENCHMARK(BM_CollectChangesNothingChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
