#include "layout/rule_support.h"

#include <cctype>
#include <climits>
#include <optional>

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

void RestoreFieldFromRegistry(const params::FormContext& ctx, std::string_view name, bool clear) {
  ui::Control* field = FindControl(ctx, name);
  if (!field || !ctx.registry) return;
  std::optional<std::string> value = ctx.registry->value(name);
  if (!value) return;
  field->setText(clear ? std::string() : *value);
}

int ReadNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long n = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > INT_MAX) n = INT_MAX + 1LL;  // saturate instead of overflowing
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  if (n < INT_MIN) n = INT_MIN;
  return static_cast<int>(n);
}

}  // namespace layout
