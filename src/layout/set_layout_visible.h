#pragma once
// Shows or hides one named container and, in the same step, puts the
// parameters it holds in or out of use, so a Save writes only what is shown.

#include <string_view>

#include "params/form_context.h"

namespace layout {

// A container the skin lacks is skipped whole: no flag, no post. Posts are
// made on every call, whether or not the visibility changed.
void SetLayoutVisible(params::FormContext& ctx, std::string_view name, bool visible);

}  // namespace layout
