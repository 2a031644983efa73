#pragma once
// The window's own frame, drawn by the skin: where a press drags the window,
// the system commands of the caption buttons, and the log pane's rules.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace app {

// System commands, with the platform's numbers so traces read the same.
inline constexpr std::uint32_t kSysCommandMessage = 0x0112;
enum SysCommand : std::int64_t {
  SC_MINIMIZE = 0xF020,
  SC_MAXIMIZE = 0xF030,
  SC_CLOSE = 0xF060,
  SC_RESTORE = 0xF120,
};

enum HitTest { HTCLIENT = 1, HTCAPTION = 2 };

// Caption band insets from the skin: left and right from the client edges,
// top and bottom from the client top.
struct CaptionRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Where a press at client point (x, y) lands. `under` is the control the
// painter found at that point (null for none): buttons, options and labels
// in the caption band stay clickable; anything else there drags the window.
HitTest CaptionHitTest(int x, int y, int clientWidth, const CaptionRect& caption,
                       const ui::Control* under);

// What the painter does with the real window. The headless one only keeps
// the zoomed state.
class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;
  virtual void minimize() = 0;
  virtual void maximize() = 0;
  virtual void restore() = 0;
  virtual bool isZoomed() const = 0;
  virtual void hide() = 0;
};

class HeadlessWindow : public WindowPlatform {
 public:
  void minimize() override {}
  void maximize() override { zoomed_ = true; }
  void restore() override { zoomed_ = false; }
  bool isZoomed() const override { return zoomed_; }
  void hide() override { hidden_ = true; }
  bool hidden() const { return hidden_; }

 private:
  bool zoomed_ = false;
  bool hidden_ = false;
};

inline constexpr int kLogTextLimit = 300000;

// Appends one line to the log pane: a pane that would reach its limit
// minus one is cleared first; then scrolled to the end. The caller waits
// before it calls (the pane is slowed on purpose, see the window).
void AppendToLogPane(ui::RichEdit& pane, std::string_view text);

}  // namespace app
