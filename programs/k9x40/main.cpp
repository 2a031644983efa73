// k9x40: the configuration tool's desktop window.

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/frame_window.h"
#include "app/startup.h"
#include "qtpaint/desktop_session.h"
#include "qtpaint/look.h"
#include "qtpaint/main_window.h"
#include "qtpaint/qt_message_loop.h"

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K9x40"));
  QApplication::setQuitOnLastWindowClosed(false);  // the loop ends through the frame
  qtpaint::ApplyLook(qapp);

  bool restart = false;
  int code = 0;
  {
    qtpaint::DesktopSession session;
    session.window().onFirstPaint = [&] {
      session.frame().pm().notifyWindowInit();
      // A measuring aid for the start-up figure; silent unless asked for.
      if (std::getenv("K9X40_TRACE_STARTUP")) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr, "k9x40: first paint %lld ms after start\n", static_cast<long long>(ms));
      }
    };
    session.window().showCentred();
    code = session.loop().run();
    restart = session.frame().restartRequested();
  }  // the frame goes here: worker joined, port released
  if (restart) app::RestartProgram();
  return code;
}
