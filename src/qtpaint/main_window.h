#pragma once
// The program's only top-level window: frameless, the skin draws the title
// bar. A press in the skin's caption band on anything but a button, option
// or label moves the window; closing it from outside (window manager, task
// bar) takes the system close path of the main window object.

#include <QWidget>
#include <functional>
#include <memory>

#include "app/window_chrome.h"

namespace app {
class CK9X40FrameWnd;
}

namespace qtpaint {

class ControlPainter;

class MainWindow : public QWidget, public app::WindowPlatform {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

  // Draws the frame's control tree and sizes the window from the skin.
  void attach(app::CK9X40FrameWnd& frame);
  // Stops drawing; call before the frame goes.
  void detach();
  ControlPainter* painter() const { return painter_.get(); }

  // Centred on the screen's work area, then shown.
  void showCentred();
  // Runs once, after the first paint of the window.
  std::function<void()> onFirstPaint;

  void minimize() override { showMinimized(); }
  void maximize() override { showMaximized(); }
  void restore() override { showNormal(); }
  bool isZoomed() const override { return isMaximized(); }
  void hide() override { QWidget::hide(); }

  // Where a press at window point (x, y) lands.
  app::HitTest hitTest(QPoint p) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  void sysCommand(std::int64_t command);

  app::CK9X40FrameWnd* frame_ = nullptr;
  std::unique_ptr<ControlPainter> painter_;
  bool painted_ = false;
};

// The program's icon, drawn for every size it is asked for.
QIcon AppIcon();

}  // namespace qtpaint
