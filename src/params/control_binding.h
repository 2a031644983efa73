#pragma once
// Binds the registry to the form: shows a parsed report in the controls and
// reads a control back as a value in the terminal's own form.

#include <optional>
#include <string>
#include <string_view>

#include "params/choice_encodings.h"
#include "params/form_context.h"

namespace params {

// Shows the registry's values in the form, on the UI thread: device-type tabs,
// tab header, LoRa version text, every control in registry order (changed
// selections raise their "itemselect" at once), then layout groups 1 and 17.
void ApplyReport(FormContext& ctx);

// Shows `value` in the control of entry `name` as a report would show it
// (a changed selection raises its "itemselect" at once). False when the
// entry has no control of its kind in the form. UI thread.
bool ShowValue(FormContext& ctx, std::string_view name, const ParamEntry& entry, const std::string& value);

// Sets the text field `name` to the empty text (clear) or to its entry's
// value; does nothing unless both the entry and the control exist.
void RestoreFieldFromRegistry(FormContext& ctx, std::string_view name, bool clear);

// The value the control of entry `name` stands for, nullopt when it produces
// no write (missing control, no selection where that means nothing, or an
// entry that is not read on its own). "I/O selection" and the "I/On control"
// side writes are the change collection's, not this function's.
std::optional<std::string> ReadControlValue(const FormContext& ctx, std::string_view name,
                                            const ParamEntry& entry, const ChoiceTexts& texts);

}  // namespace params
