#include "params/change_collection.h"

#include "params/control_binding.h"
#include "ui/paint_manager.h"

namespace params {
namespace {

std::string WorkmodeEntryOf(int channel) { return "DIO" + std::to_string(channel) + " workmode"; }

// "I/O1 control" .. "I/O3 control" -> 1 .. 3; 0 for other names.
int ControlChannel(std::string_view name) {
  if (name.size() == 12 && name.starts_with("I/O") && name.ends_with(" control") &&
      name[3] >= '1' && name[3] <= '3')
    return name[3] - '0';
  return 0;
}

bool TabShown(const FormContext& ctx, ParamGroup group) {
  return group >= 0 && group < kTabSlotCount && (*ctx.tabs)[group].shown;
}

}  // namespace

bool QueueWriteIfChanged(const FormContext& ctx, std::string_view newValue, std::string_view name,
                         const WriteSink& sink) {
  const ParamEntry* entry = ctx.registry->find(name);
  const auto current = ctx.registry->value(name);
  if (!entry || !current || *current == newValue) return false;
  if (newValue.find_first_of("\r\n") != std::string_view::npos) {
    if (ctx.log) {
      std::string line = ctx.lang ? ctx.lang->LangText("Linux", "ValueLineBreak") : std::string();
      ctx.log(line + " \"" + std::string(name) + "\"\r\n");
    }
    return false;
  }
  WriteRequest w;
  w.paramName = std::string(name);
  w.value = std::string(newValue);
  w.command = entry->atCommand + "=" + w.value + "\r\n";
  sink(w);
  return true;
}

void CollectChanges(const FormContext& ctx, const WriteSink& sink) {
  const ChoiceTexts texts = ctx.lang ? LoadChoiceTexts(*ctx.lang) : ChoiceTexts{};
  ctx.registry->forEach([&](const std::string& name, const ParamEntry& e) {
    if (!e.inUse || !TabShown(ctx, e.group)) return;
    if (e.controlType == "Combobox") {
      const auto* combo = ctx.pm->find<ui::Combo>(name);
      if (!combo) return;
      const int i = combo->currentSelection();
      if (name == "I/O selection") {
        // Not a setting of its own: it puts the chosen channel in mode 4.
        const std::string target = WorkmodeEntryOf(i + 1);
        if (ctx.registry->contains(target)) QueueWriteIfChanged(ctx, "4", target, sink);
        return;
      }
      if (const int channel = ControlChannel(name)) {
        if (i < 0) return;
        QueueWriteIfChanged(ctx, std::to_string(i), name, sink);
        // Mapping a centre puts the channel in mode 5, except for item 6.
        if (i != 6) QueueWriteIfChanged(ctx, "5", WorkmodeEntryOf(channel), sink);
        return;
      }
    }
    if (auto v = ReadControlValue(ctx, name, e, texts)) QueueWriteIfChanged(ctx, *v, name, sink);
  });
}

std::vector<WriteRequest> CollectChanges(const FormContext& ctx) {
  std::vector<WriteRequest> out;
  CollectChanges(ctx, [&](const WriteRequest& w) { out.push_back(w); });
  return out;
}

}  // namespace params
