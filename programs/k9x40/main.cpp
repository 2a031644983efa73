// k9x40: the configuration tool's desktop window.

#include <QApplication>

#include "app/frame_window.h"
#include "app/startup.h"
#include "qtpaint/desktop_session.h"
#include "qtpaint/look.h"
#include "qtpaint/main_window.h"
#include "qtpaint/qt_message_loop.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K9x40"));
  QApplication::setQuitOnLastWindowClosed(false);  // the loop ends through the frame
  qtpaint::ApplyLook(qapp);

  bool restart = false;
  int code = 0;
  {
    qtpaint::DesktopSession session;
    session.window().onFirstPaint = [&] { session.frame().pm().notifyWindowInit(); };
    session.window().showCentred();
    code = session.loop().run();
    restart = session.frame().restartRequested();
  }  // the frame goes here: worker joined, port released
  if (restart) app::RestartProgram();
  return code;
}
