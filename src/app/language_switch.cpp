// The "Language" choice: remember it in config.ini and start afresh in it.

#include "app/frame_window.h"
#include "app/startup.h"

namespace app {

void CK9X40FrameWnd::SwitchLanguage() {
  auto* choice = pm_.find<ui::Combo>("Language");
  if (!choice) return;
  const int index = choice->currentSelection();
  if (index < 0 || index == config_.language) return;
  WriteLanguage(config_.programDir, index);
  window_.hide();
  // This process cannot run beside its successor on the same port: the
  // program restarts itself once the loop has ended and the frame is gone.
  restartRequested_ = true;
  loop_.quit();
}

}  // namespace app
