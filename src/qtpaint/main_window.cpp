#include "qtpaint/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/frame_window.h"
#include "qtpaint/control_painter.h"

namespace qtpaint {

MainWindow::MainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setWindowTitle(QStringLiteral("K9x40"));
  setWindowIcon(AppIcon());
  setAttribute(Qt::WA_StyledBackground);
  resize(1400, 800);
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  detach();
}

void MainWindow::attach(app::CK9X40FrameWnd& frame) {
  frame_ = &frame;
  ui::PaintManager& pm = frame.pm();
  painter_ = std::make_unique<ControlPainter>(pm, frame.config().skinDir, this);
  resize(pm.width, pm.height);
}

void MainWindow::detach() {
  painter_.reset();
  frame_ = nullptr;
}

void MainWindow::showCentred() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

app::HitTest MainWindow::hitTest(QPoint p) const {
  if (!frame_ || !painter_) return app::HTCLIENT;
  const QWidget* under = childAt(p);
  const ui::Control* control = under ? painter_->controlAt(under) : nullptr;
  // The band spans the real client width (it grows when maximised).
  return app::CaptionHitTest(p.x(), p.y(), width(), app::CaptionRect{0, 0, 0, frame_->pm().captionHeight},
                             control);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  const bool press = e->type() == QEvent::MouseButtonPress;
  const bool dbl = e->type() == QEvent::MouseButtonDblClick;
  if ((press || dbl) && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
    auto* me = static_cast<QMouseEvent*>(e);
    if (me->button() == Qt::LeftButton) {
      const QPoint p = mapFromGlobal(me->globalPosition().toPoint());
      if (hitTest(p) == app::HTCAPTION) {
        if (dbl) {
          sysCommand(isMaximized() ? app::SC_RESTORE : app::SC_MAXIMIZE);
        } else if (QWindow* w = windowHandle()) {
          w->startSystemMove();
        }
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, e);
}

void MainWindow::sysCommand(std::int64_t command) {
  if (!frame_) return;
  ui::Message m;
  m.id = app::kSysCommandMessage;
  m.wParam = command;
  frame_->loop().send(m);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // The window stays until the program has shut down through its loop.
  e->ignore();
  if (frame_) sysCommand(app::SC_CLOSE);
  else e->accept();
}

void MainWindow::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  if (painted_) return;
  painted_ = true;
  if (onFirstPaint) QTimer::singleShot(0, this, [this] { onFirstPaint(); });
}

}  // namespace qtpaint
