#pragma once
// A readable picture of a control tree, one control a line, for tools and
// test failure messages.

#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

// "Combo", "TabLayout" ... as the skin spells the element.
std::string_view KindName(ControlKind kind);

// Each line: indent (two blanks a level), the element class (the kind when
// the class is unset), then name, text and whatever state differs from the
// defaults: hidden, disabled, bkimage, fixed sizes, option group and
// selection, tab page, combo items and selection.
std::string DumpTree(const Control& root);

}  // namespace ui
