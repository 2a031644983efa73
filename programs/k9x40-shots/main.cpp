// k9x40-shots: renders the desktop window offscreen with a filled form, one
// PNG per tab page and language, into a folder. The form is filled the way a
// user fills it: a simulated terminal, then "Open" and "Load".
//
//   k9x40-shots OUTDIR [en|zh|dark ...]   (dark: as on a dark desktop palette)

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frame_window.h"
#include "app/headless_dialogs.h"
#include "qtpaint/desktop_session.h"
#include "qtpaint/look.h"
#include "qtpaint/main_window.h"
#include "sim/simulator.h"

namespace {

const char* const kPages[] = {"WorkMode", "Server", "Serial", "IO", "Wireless", "Global",
                              "Equiment", "Lora", "Zigbee", "GPS", "Operation"};

// VmRSS of this process (window, worker and simulated terminal together).
long ResidentKb() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f)) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  }
  std::fclose(f);
  return kb;
}

bool Shoot(const QString& outDir, int language, const char* tag) {
  sim::SimOptions so;
  so.bootWindowS = 3.0;  // the key is typed every 500 ms: three seconds catch it
  so.pace = false;
  sim::Simulator terminal(so);
  std::string error;
  if (!terminal.start(&error)) {
    std::fprintf(stderr, "k9x40-shots: simulated terminal: %s\n", error.c_str());
    return false;
  }
  app::HeadlessDialogs dialogs(true);
  qtpaint::SessionOptions o;
  o.language = language;
  o.dialogs = &dialogs;
  qtpaint::DesktopSession s(o);
  if (!s.skinLoaded()) return false;
  s.window().showCentred();
  s.waitFor([] { return false; }, 300);  // title timer, first layout

  s.choose("SerialPort", terminal.devicePath());
  s.choose("BaudRate1", "115200");
  s.click("Open");
  if (!s.waitFor([&] { return s.frame().link().configMode.load(); }, 15000)) {
    std::fprintf(stderr, "k9x40-shots: the terminal did not enter configuration mode\n%s\n",
                 s.frame().pm().findControl("richedit") ? s.frame().pm().findControl("richedit")->text().c_str() : "");
    return false;
  }
  s.click("Load");
  const bool filled = s.waitFor([&] {
    return s.frame().workerIdle() && !s.frame().registry().value("Server's Ip").value_or("").empty();
  }, 30000);
  if (!filled) {
    std::fprintf(stderr, "k9x40-shots: the settings report did not arrive\n");
    return false;
  }
  s.waitFor([] { return false; }, 400);  // posted layout rules, log lines
  std::fprintf(stderr, "k9x40-shots: %s form filled, resident %ld kB\n", tag, ResidentKb());

  int n = 0;
  for (const char* page : kPages) {
    QWidget* header = s.widget(std::string(page) + "Tab");
    if (header && header->isHidden()) continue;  // not this device's page
    s.click(page);
    s.waitFor([] { return false; }, 150);
    const QString file = QStringLiteral("%1/%2-%3-%4.png")
                             .arg(outDir, QLatin1String(tag))
                             .arg(n, 2, 10, QLatin1Char('0'))
                             .arg(QLatin1String(page));
    if (!s.grab().save(file)) {
      std::fprintf(stderr, "k9x40-shots: cannot write %s\n", qPrintable(file));
      return false;
    }
    std::printf("%s\n", qPrintable(file));
    ++n;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: k9x40-shots OUTDIR [en|zh|dark ...]\n");
    return 2;
  }
  QApplication qapp(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  std::vector<std::string> langs;
  bool dark = false;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "dark") dark = true;
    else langs.emplace_back(argv[i]);
  }
  if (dark) {
    QPalette p;
    p.setColor(QPalette::Window, QColor("#1e1e1e"));
    p.setColor(QPalette::WindowText, QColor("#e6e6e6"));
    p.setColor(QPalette::Base, QColor("#151515"));
    p.setColor(QPalette::Text, QColor("#e6e6e6"));
    p.setColor(QPalette::Button, QColor("#2a2a2a"));
    p.setColor(QPalette::ButtonText, QColor("#e6e6e6"));
    QApplication::setPalette(p);
  }
  qtpaint::ApplyLook(qapp);
  const QString outDir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(outDir);
  if (langs.empty()) langs = {"en", "zh"};
  for (const auto& l : langs) {
    if (!Shoot(outDir, l == "zh" ? 1 : 0, l.c_str())) return 1;
  }
  return 0;
}
