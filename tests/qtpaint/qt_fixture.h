#pragma once
// One QApplication for the whole test binary, offscreen unless the caller
// chose a platform; and a pump that runs Qt events until a condition holds.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace qtfix {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "qtpaint_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The offscreen platform names every window feature it lacks.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
      if (msg.startsWith(QLatin1String("This plugin does not support"))) return;
      if (type != QtDebugMsg) fprintf(stderr, "%s\n", qPrintable(msg));
    });
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Processes events until done() holds or timeoutMs pass; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
  App();
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return done();
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

inline void Pump(int ms = 20) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace qtfix
