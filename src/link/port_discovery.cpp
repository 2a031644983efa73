#include "link/port_discovery.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "ui/control.h"
#include "ui/paint_manager.h"

namespace devlink {
namespace {

namespace fs = std::filesystem;

struct TtyFamily {
  std::string_view prefix;
  bool needsRealUart;  // the kernel makes ttyS0..N whether or not a UART is there
};
constexpr TtyFamily kFamilies[] = {
    {"ttyUSB", false}, {"ttyACM", false}, {"ttyAMA", false}, {"rfcomm", false}, {"ttyS", true},
};

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The family of `name` when it is the prefix followed by a number.
const TtyFamily* familyOf(std::string_view name) {
  for (const auto& f : kFamilies) {
    if (name.size() > f.prefix.size() && name.substr(0, f.prefix.size()) == f.prefix &&
        std::all_of(name.begin() + f.prefix.size(), name.end(), isDigit))
      return &f;
  }
  return nullptr;
}

bool uartIsReal(const fs::path& ttyDir) {
  std::ifstream in(ttyDir / "type");
  int type = 0;
  return in && (in >> type) && type != 0;
}

bool isCharDevice(const fs::path& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

std::vector<std::string> sortedNatural(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
  return names;
}

}  // namespace

std::string SimulatorLinkDir() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string base = (runtime && *runtime) ? runtime : "/tmp";
  return base + "/k9x40-sim";
}

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && isDigit(a[ei])) ++ei;
      while (ej < b.size() && isDigit(b[ej])) ++ej;
      std::string_view na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
      while (na.size() > 1 && na[0] == '0') na.remove_prefix(1);
      while (nb.size() > 1 && nb[0] == '0') nb.remove_prefix(1);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
    } else {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
      ++i;
      ++j;
    }
  }
  if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
  return a < b;  // equal by value ("tty01" and "tty1"): any fixed order
}

std::vector<std::string> ListSerialPorts(const std::string& sysfsRoot, const std::string& simDir) {
  std::error_code ec;
  std::vector<std::string> ttys;
  const fs::path classTty = fs::path(sysfsRoot) / "class" / "tty";
  for (fs::directory_iterator it(classTty, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const TtyFamily* family = familyOf(name);
    if (!family) continue;
    std::error_code dec;
    if (!fs::exists(it->path() / "device", dec)) continue;  // virtual tty
    if (family->needsRealUart && !uartIsReal(it->path())) continue;
    ttys.push_back(name);
  }
  std::vector<std::string> ports;
  for (const auto& name : sortedNatural(std::move(ttys))) ports.push_back("/dev/" + name);

  std::vector<std::string> sims;
  ec.clear();
  for (fs::directory_iterator it(simDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind("ttySIM", 0) == 0 && isCharDevice(it->path())) sims.push_back(name);
  }
  for (const auto& name : sortedNatural(std::move(sims)))
    ports.push_back((fs::path(simDir) / name).string());
  return ports;
}

int refreshPortList(ui::PaintManager& manager, const std::vector<std::string>& ports) {
  if (ports.empty()) return 0;
  auto* combo = manager.find<ui::Combo>("SerialPort");
  if (!combo) return 0;
  combo->removeAll();
  for (const auto& p : ports) combo->addItem(p);
  return 1;
}

}  // namespace devlink
