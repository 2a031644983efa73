#include "app/window_chrome.h"

namespace app {

HitTest CaptionHitTest(int x, int y, int clientWidth, const CaptionRect& caption,
                       const ui::Control* under) {
  const bool inBand = x >= caption.left && x < clientWidth - caption.right && y >= caption.top &&
                      y < caption.bottom;
  if (!inBand || !under) return HTCLIENT;
  switch (under->kind()) {
    case ui::ControlKind::Button:
    case ui::ControlKind::Option:
    case ui::ControlKind::Label:
      return HTCLIENT;
    default:
      return HTCAPTION;
  }
}

void AppendToLogPane(ui::RichEdit& pane, std::string_view text) {
  const int limit = pane.limitText() > 0 ? pane.limitText() : kLogTextLimit;
  if (pane.textLength() + static_cast<int>(text.size()) >= limit - 1) pane.setText({});
  pane.appendText(text);
  pane.endDown();
}

}  // namespace app
