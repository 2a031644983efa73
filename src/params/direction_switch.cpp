#include "params/direction_switch.h"

#include <string>

#include "ui/paint_manager.h"

namespace params {
namespace {

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

}  // namespace

void SetDirection(ui::PaintManager& pm, std::string_view name, bool on) {
  ui::Control* c = pm.findControl(name);
  if (!c) return;
  c->setBkImage(on ? ReplaceAll(c->bkImage(), "disable", "enable")
                   : ReplaceAll(c->bkImage(), "enable", "disable"));
}

bool DirectionIsOn(const ui::PaintManager& pm, std::string_view name) {
  const ui::Control* c = pm.findControl(name);
  return c && c->bkImage().find("enable") != std::string::npos;
}

void ToggleDirection(ui::PaintManager& pm, std::string_view name) {
  ui::Control* c = pm.findControl(name);
  if (!c) return;
  SetDirection(pm, name, c->bkImage().find("disable") != std::string::npos);
}

}  // namespace params
