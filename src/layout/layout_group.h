#pragma once
// The handler of UM_LAYOUT_GROUP: runs exactly one layout rule. Rules ask
// for further rules only through ctx.postLayoutGroup, so nothing nests.

#include "params/form_context.h"

namespace layout {

inline constexpr int kLayoutGroupCount = 20;  // groups 0..19

// `arg` is the channel for groups 15 and 16 and ignored otherwise.
// Returns 1 when the server-count rule refused zero servers, else 0;
// groups outside 0..19 do nothing.
int OnLayoutGroup(params::FormContext& ctx, int group, int arg);

}  // namespace layout
