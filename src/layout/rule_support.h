#pragma once
// Small helpers every layout rule uses: control lookup, combo reading,
// heights and posts. A null pointer in the context counts as "absent".

#include <string>
#include <string_view>

#include "params/form_context.h"
#include "ui/control.h"

namespace layout {

// How a rule table leaves one container.
enum class Cell : unsigned char { Keep, Show, Hide };

ui::Control* FindControl(const params::FormContext& ctx, std::string_view name);
ui::Combo* FindCombo(const params::FormContext& ctx, std::string_view name);

// Selected index of a combo, -1 when nothing is selected.
int SelectedIndex(const ui::Combo& combo);
// The selected item's text; empty when nothing is selected.
std::string DisplayedText(const ui::Control& control);

// Sets the "height" attribute to the decimal text, only if the container exists.
void SetHeight(const params::FormContext& ctx, std::string_view name, int height);

// Language-file text; empty when the context has no language file.
std::string Text(const params::FormContext& ctx, std::string_view section, std::string_view key);

// Queues a rule behind those already waiting.
void PostGroup(const params::FormContext& ctx, int group, int arg = 0);

void SetTabShown(const params::FormContext& ctx, int slot, bool shown);

// `Show`/`Hide` go through SetLayoutVisible; `Keep` does nothing.
void ApplyCell(params::FormContext& ctx, std::string_view name, Cell cell);

}  // namespace layout
