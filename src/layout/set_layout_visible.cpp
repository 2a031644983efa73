#include "layout/set_layout_visible.h"

#include "layout/container_membership.h"
#include "layout/rule_support.h"

namespace layout {
namespace {

void SetInUse(params::FormContext& ctx, const std::vector<std::string>& names, bool on) {
  if (!ctx.registry) return;
  // Names the registry does not hold are skipped; setInUse never adds one.
  for (const std::string& n : names) ctx.registry->setInUse(n, on);
}

}  // namespace

void SetLayoutVisible(params::FormContext& ctx, std::string_view name, bool visible) {
  ui::Control* control = FindControl(ctx, name);
  if (!control) return;
  control->setVisible(visible);
  const Membership* m = FindMembership(name);
  if (!m) return;
  SetInUse(ctx, m->params, visible);
  if (visible) {
    SetInUse(ctx, m->inUseWhenShown, true);
    if (m->postWhenShown >= 0) PostGroup(ctx, m->postWhenShown);
  } else {
    SetInUse(ctx, m->outOfUseWhenHidden, false);
  }
}

}  // namespace layout
