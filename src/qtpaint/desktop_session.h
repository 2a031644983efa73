#pragma once
// The desktop window put together: the Qt message loop, the window, the
// dialogs and the main window object with the program's standard hooks. The
// program runs one; the screenshot tool and the tests drive one through its
// real widgets.

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "app/dialogs.h"
#include "link/timing.h"

class QWidget;

namespace app {
class CK9X40FrameWnd;
}

namespace qtpaint {

class MainWindow;
class QtDialogs;
class QtMessageLoop;

struct SessionOptions {
  std::filesystem::path programDir;  // empty: the running program's directory
  int language = -1;                 // -1: config.ini's choice
  devlink::Timing timing;
  app::Dialogs* dialogs = nullptr;   // null: Qt's own boxes
  bool startWorker = true;
};

class DesktopSession {
 public:
  // Needs a QApplication. Builds the form; the window is not shown yet.
  explicit DesktopSession(SessionOptions options = {});
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  bool skinLoaded() const { return skinLoaded_; }
  app::CK9X40FrameWnd& frame() { return *frame_; }
  MainWindow& window() { return *window_; }
  QtMessageLoop& loop() { return *loop_; }

  // The widget that draws the named control; null when absent.
  QWidget* widget(std::string_view name) const;
  // Clicks the named button or option as the user does; false when absent.
  bool click(std::string_view name);
  // Picks the item with this text in the named drop-down as the user does,
  // adding it to the list first when it is not there (a port path).
  bool choose(std::string_view name, std::string_view text);
  // Runs Qt events until done() holds; false after timeoutMs.
  bool waitFor(const std::function<bool()>& done, int timeoutMs);
  QImage grab();

 private:
  std::unique_ptr<QtMessageLoop> loop_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QtDialogs> qtDialogs_;
  std::unique_ptr<app::CK9X40FrameWnd> frame_;
  bool skinLoaded_ = false;
};

}  // namespace qtpaint
