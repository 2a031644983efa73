#include "qtpaint/desktop_session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include "app/frame_hooks.h"
#include "app/frame_window.h"
#include "app/startup.h"
#include "qtpaint/control_painter.h"
#include "qtpaint/main_window.h"
#include "qtpaint/qt_dialogs.h"
#include "qtpaint/qt_message_loop.h"

namespace qtpaint {

DesktopSession::DesktopSession(SessionOptions o)
    : loop_(std::make_unique<QtMessageLoop>()), window_(std::make_unique<MainWindow>()) {
  app::FrameConfig config;
  config.programDir = o.programDir.empty() ? app::ProgramDirectory() : o.programDir;
  config.language = o.language >= 0 ? o.language : app::ReadLanguage(config.programDir);
  config.skinDir = app::SkinDirectory(config.programDir, config.language);
  config.timing = o.timing;
  config.hooks = app::StandardHooks();
  app::Dialogs* dialogs = o.dialogs;
  if (!dialogs) {
    qtDialogs_ = std::make_unique<QtDialogs>(window_.get());
    dialogs = qtDialogs_.get();
  }
  frame_ = std::make_unique<app::CK9X40FrameWnd>(std::move(config), *loop_, *dialogs, *window_);
  skinLoaded_ = frame_->Create();
  window_->attach(*frame_);
  if (o.startWorker) frame_->StartWorker();
}

DesktopSession::~DesktopSession() {
  if (!loop_->closing()) loop_->quit();
  window_->detach();  // the painter observes the frame's tree
  frame_.reset();     // joins the worker, releases the port
}

QWidget* DesktopSession::widget(std::string_view name) const {
  ControlPainter* p = window_->painter();
  return p ? p->widgetFor(frame_->pm().findControl(name)) : nullptr;
}

bool DesktopSession::click(std::string_view name) {
  auto* b = qobject_cast<QAbstractButton*>(widget(name));
  if (!b) return false;
  b->click();
  return true;
}

bool DesktopSession::choose(std::string_view name, std::string_view text) {
  auto* c = frame_->pm().find<ui::Combo>(name);
  if (!c) return false;
  int index = -1;
  for (int i = 0; i < c->count(); ++i) {
    if (c->items()[i] == text) index = i;
  }
  if (index < 0) {
    c->addItem(text);
    index = c->count() - 1;
  }
  auto* box = qobject_cast<QComboBox*>(widget(name));
  if (!box) return false;
  box->setCurrentIndex(index);
  Q_EMIT box->activated(index);  // what a pick in the list raises
  return true;
}

bool DesktopSession::waitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return done();
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

QImage DesktopSession::grab() { return window_->grab().toImage(); }

}  // namespace qtpaint
