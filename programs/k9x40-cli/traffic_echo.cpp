#include "traffic_echo.h"

#include <cstdio>
#include <string>

namespace cli {

void TrafficEcho::controlChanged(ui::Control& control, ui::Change what, std::string_view attribute) {
  if (what != ui::Change::Text || attribute != "append" || control.kind() != ui::ControlKind::RichEdit) return;
  auto& pane = static_cast<ui::RichEdit&>(control);
  std::string_view added = std::string_view(pane.text()).substr(std::min(pane.appendOffset(), pane.text().size()));
  std::string out;
  for (char c : added) {
    if (c == '\n') {
      if (!lastWasCr_) out += '\n';
      lastWasCr_ = false;
    } else if (c == '\r') {
      out += '\n';
      lastWasCr_ = true;
    } else {
      out += c;
      lastWasCr_ = false;
    }
  }
  std::fwrite(out.data(), 1, out.size(), stderr);
  std::fflush(stderr);
}

}  // namespace cli
