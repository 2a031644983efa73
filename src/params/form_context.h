#pragma once
// What the control binding, the change collection and the layout rules need
// of the main window. The main window fills it once; the pointers outlive it.

#include <functional>
#include <string>

#include "params/param_registry.h"
#include "ui/lang_text.h"
#include "ui/paint_manager.h"

namespace params {

struct FormContext {
  ui::PaintManager* pm = nullptr;
  ParamRegistry* registry = nullptr;
  TabSlots* tabs = nullptr;
  const ui::LanguageFile* lang = nullptr;
  std::string* loraVersion = nullptr;  // copied from "LORA ver" after every report
  // Posts UM_LAYOUT_GROUP (group, argument) behind the messages already waiting.
  std::function<void(int group, int arg)> postLayoutGroup;
  // The "K9x40" message box with an OK button; returns when dismissed.
  std::function<void(const std::string& text)> messageBox;
  // The any-thread log; the text carries its own line end.
  std::function<void(const std::string& text)> log;
  // Tab strip refresh (mode 0): shows the shown slots' header buttons and
  // brings the first shown page to the front. Empty: nothing to refresh.
  std::function<void()> refreshTabHeader;
};

}  // namespace params
