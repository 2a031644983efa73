#include "layout/rule_support.h"


#include "layout/set_layout_visible.h"

namespace layout {

ui::Control* FindControl(const params::FormContext& ctx, std::string_view name) {
  return ctx.pm ? ctx.pm->findControl(name) : nullptr;
}

ui::Combo* FindCombo(const params::FormContext& ctx, std::string_view name) {
  return dynamic_cast<ui::Combo*>(FindControl(ctx, name));
}

int SelectedIndex(const ui::Combo& combo) { return combo.currentSelection(); }

std::string DisplayedText(const ui::Control& control) {
  if (const auto* combo = dynamic_cast<const ui::Combo*>(&control)) return combo->selectedText();
  return control.text();
}

void SetHeight(const params::FormContext& ctx, std::string_view name, int height) {
  if (ui::Control* c = FindControl(ctx, name)) c->setAttribute("height", std::to_string(height));
}

std::string Text(const params::FormContext& ctx, std::string_view section, std::string_view key) {
  return ctx.lang ? ctx.lang->LangText(section, key) : std::string();
}

void PostGroup(const params::FormContext& ctx, int group, int arg) {
  if (ctx.postLayoutGroup) ctx.postLayoutGroup(group, arg);
}

void SetTabShown(const params::FormContext& ctx, int slot, bool shown) {
  if (ctx.tabs && slot >= 0 && slot < params::kTabSlotCount) (*ctx.tabs)[slot].shown = shown;
}

void ApplyCell(params::FormContext& ctx, std::string_view name, Cell cell) {
  if (cell != Cell::Keep) SetLayoutVisible(ctx, name, cell == Cell::Show);
}

}  // namespace layout
