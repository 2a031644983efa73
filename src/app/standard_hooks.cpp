#include "app/frame_hooks.h"

#include "app/binding_hooks.h"
#include "layout/control_factory.h"
#include "layout/layout_group.h"
#include "link/port_discovery.h"

namespace app {

// The one place where the form binding, the layout rules, the snapshot
// flows, port discovery and the control factory join the window.
FrameHooks StandardHooks() {
  FrameHooks h;
  AddBindingHooks(h);
  h.layoutGroup = [](params::FormContext& c, int g, int a) { return layout::OnLayoutGroup(c, g, a); };
  h.refreshPortList = [](ui::PaintManager& pm) { return devlink::refreshPortList(pm, devlink::ListSerialPorts()); };
  h.controlFactory = [](const std::filesystem::path& skinDir) { return layout::MakeControlFactory(skinDir); };
  return h;
}

}  // namespace app
