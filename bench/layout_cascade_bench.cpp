// Time of the whole layout cascade after a report: showing it in the English
// skin's form, then every layout rule the changed selections, groups 1 and 17
// and the rules themselves post, run one after another until none is left.

#include <benchmark/benchmark.h>

#include <deque>
#include <filesystem>
#include <string>
#include <utility>

#include "app/notify_tables.h"
#include "layout/control_factory.h"
#include "layout/layout_group.h"
#include "params/control_binding.h"
#include "params/param_registry.h"
#include "params/report_parser.h"
#include "sim/show_report.h"
#include "sim/terminal_settings.h"
#include "ui/paint_manager.h"
#include "ui/skin_builder.h"

namespace {

std::filesystem::path SkinDir() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin" /
         "skin" / "ConifgENRes";
}

// The form with a FIFO for the posted layout groups; "itemselect" posts what
// the main window's notification handling posts.
struct Form : ui::Notifier {
  Form() : tabs(params::MakeTabSlots()), lang(SkinDir() / "Language.ini") {
    params::BuildRegistry(registry);
    ui::SkinDocument doc = ui::BuildSkin(SkinDir() / "skin.xml", layout::MakeControlFactory(SkinDir()));
    loaded = doc.root != nullptr;
    if (loaded) pm.setRoot(std::move(doc.root));
    pm.setNotifier(this);
    ctx.pm = &pm;
    ctx.registry = &registry;
    ctx.tabs = &tabs;
    ctx.lang = &lang;
    ctx.loraVersion = &loraVersion;
    ctx.postLayoutGroup = [this](int g, int a) { queue.emplace_back(g, a); };
    ctx.messageBox = [](const std::string&) {};
    ctx.log = [](const std::string&) {};
  }
  void Notify(const ui::Notification& n) override {
    if (n.type != "itemselect" || !n.sender) return;
    auto* combo = dynamic_cast<ui::Combo*>(n.sender);
    for (const app::LayoutPost& p :
         app::ItemSelectPosts(n.sender->name(), combo ? combo->currentSelection() : -1).posts)
      ctx.postLayoutGroup(p.group, p.arg);
  }
  int drain() {
    int ran = 0;
    while (!queue.empty()) {
      auto [g, a] = queue.front();
      queue.pop_front();
      layout::OnLayoutGroup(ctx, g, a);
      ++ran;
    }
    return ran;
  }

  params::ParamRegistry registry;
  params::TabSlots tabs;
  ui::PaintManager pm;
  ui::LanguageFile lang;
  std::string loraVersion;
  params::FormContext ctx;
  std::deque<std::pair<int, int>> queue;
  bool loaded = false;
};

// Two terminals that differ in every setting the layout follows, so that
// each report changes those selections again.
std::string Report(bool other) {
  sim::TerminalSettings t("K9x40-L", other ? "K6R20T-W v1.0" : "K6R20T v2.3");
  if (other) {
    for (auto [name, value] : {std::pair{"Protocolmodel", "CUST"}, {"DeviceModel", "CLI"},
                               {"RegistrationAndHeart", "1"}, {"ActivateMethod", "DIO"},
                               {"IOactivationmethods", "1"}, {"I/O1 control", "2"},
                               {"ThePPPauthentication", "4"}, {"Debug Level", "0"},
                               {"LCP ECHO", "0"}, {"EXFUN", "3"},
                               {"dtu is connect to dtu manage platform", "1"},
                               {"DTU SMS configure fun", "1"}, {"LORA Mode", "FIXD"},
                               {"DIO1 workmode", "1"}, {"DIO1 protocol", "1"},
                               {"DIO1 interface", "SMS"}, {"DIO1 reported methods", "1"},
                               {"DIO2 workmode", "2"}, {"DIO3 workmode", "6"},
                               {"1The DIO2 data format", "1"}})
      t.setValue(name, value);
  }
  return sim::BuildShowReport(t);
}

void BM_CascadeAfterChangedReport(benchmark::State& state) {
  Form f;
  if (!f.loaded) {
    state.SkipWithError("skin not found beside the programs");
    return;
  }
  const std::string reports[2] = {Report(false), Report(true)};
  int i = 0;
  long rules = 0;
  for (auto _ : state) {
    state.PauseTiming();
    params::ParseShowReport(f.registry, reports[i ^= 1]);
    state.ResumeTiming();
    params::ApplyReport(f.ctx);
    rules += f.drain();
  }
  state.counters["rules"] = benchmark::Counter(static_cast<double>(rules), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CascadeAfterChangedReport)->Unit(benchmark::kMicrosecond);

// The same report again: only groups 1 and 17 and what they post.
void BM_CascadeAfterSameReport(benchmark::State& state) {
  Form f;
  if (!f.loaded) {
    state.SkipWithError("skin not found beside the programs");
    return;
  }
  params::ParseShowReport(f.registry, Report(true));
  params::ApplyReport(f.ctx);
  f.drain();
  long rules = 0;
  for (auto _ : state) {
    params::ApplyReport(f.ctx);
    rules += f.drain();
  }
  state.counters["rules"] = benchmark::Counter(static_cast<double>(rules), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CascadeAfterSameReport)->Unit(benchmark::kMicrosecond);

// One work-mode rule with its posted rules, without the report around it.
void BM_WorkModeRuleAndItsPosts(benchmark::State& state) {
  Form f;
  if (!f.loaded) {
    state.SkipWithError("skin not found beside the programs");
    return;
  }
  params::ParseShowReport(f.registry, Report(false));
  params::ApplyReport(f.ctx);
  f.drain();
  for (auto _ : state) {
    f.ctx.postLayoutGroup(0, 0);
    f.drain();
  }
}
BENCHMARK(BM_WorkModeRuleAndItsPosts)->Unit(benchmark::kMicrosecond);

}  // namespace
