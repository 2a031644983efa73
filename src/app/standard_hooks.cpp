#include "app/frame_hooks.h"

namespace app {

// The one place where the form binding, the layout rules, the snapshot
// flows, port discovery and the control factory join the window.
FrameHooks StandardHooks() {
  FrameHooks h;
  return h;
}

}  // namespace app
