#pragma once
// -v: everything the log pane shows, copied to stderr as it is appended.

#include "ui/control.h"

namespace cli {

class TrafficEcho : public ui::ControlObserver {
 public:
  // UI thread: the log pane's appends. CR LF and lone CRs become line ends.
  void controlChanged(ui::Control& control, ui::Change what, std::string_view attribute) override;

 private:
  bool lastWasCr_ = false;
};

}  // namespace cli
