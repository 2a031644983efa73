#pragma once
// The machine's serial ports, as device paths for the port list.

#include <string>
#include <string_view>
#include <vector>

namespace ui {
class PaintManager;
}

namespace devlink {

// Where running simulated terminals leave their ttySIM* links:
// ${XDG_RUNTIME_DIR:-/tmp}/k9x40-sim.
std::string SimulatorLinkDir();

// The serial ports present: ttys with a device behind them under
// <sysfsRoot>/class/tty (ttyUSB, ttyACM, ttyAMA, rfcomm, and ttyS only where
// a UART answers: its "type" is not 0), as /dev paths in natural order; then
// the ttySIM* links in `simDir` whose targets exist, in natural order.
std::vector<std::string> ListSerialPorts(const std::string& sysfsRoot = "/sys",
                                         const std::string& simDir = SimulatorLinkDir());

// Natural order: runs of digits compare by value, so ttyS2 comes before ttyS10.
bool NaturalLess(std::string_view a, std::string_view b);

// Fills the combo "SerialPort" with `ports`, in that order. 1: rebuilt;
// 0: nothing to list or no such control, and the list is left as it was.
int refreshPortList(ui::PaintManager& manager, const std::vector<std::string>& ports);

}  // namespace devlink
