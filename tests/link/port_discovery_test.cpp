#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "link/pty_fixture.h"
#include "ui/control.h"
#include "ui/paint_manager.h"

namespace devlink {
namespace {

namespace fs = std::filesystem;

// A small sysfs tree and a simulator link directory in a scratch folder.
class PortDiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("k9x40-ports-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "sys/class/tty");
    fs::create_directories(root / "sim");
  }
  void TearDown() override { fs::remove_all(root); }

  // A tty entry; `type` is written when not empty.
  void tty(const std::string& name, bool device, const std::string& type = "") {
    const fs::path dir = root / "sys/class/tty" / name;
    fs::create_directories(dir);
    if (device) fs::create_directories(dir / "device");
    if (!type.empty()) std::ofstream(dir / "type") << type << "\n";
  }

  fs::path root;
};

TEST_F(PortDiscoveryTest, ListsRealPortsInNaturalOrderThenLiveSimulatorLinks) {
  tty("ttyS0", true, "4");
  tty("ttyS1", true, "0");  // no UART behind it
  tty("ttyS2", true, "4");
  tty("ttyS10", true, "4");
  tty("ttyS3", true);       // no type file: cannot tell, left out
  tty("ttyUSB10", true);
  tty("ttyUSB9", true);
  tty("ttyUSB3", false);    // no device behind it
  tty("ttyACM0", true);
  tty("ttyAMA0", true);
  tty("rfcomm0", true);
  tty("ttySAC0", true);     // another family
  tty("tty0", false);
  tty("console", true);
  // Real sysfs links the class entries to the device tree.
  fs::create_directories(root / "sys/devices/pnp0/tty/ttyUSB0/device");
  fs::create_directory_symlink(root / "sys/devices/pnp0/tty/ttyUSB0", root / "sys/class/tty/ttyUSB0");

  testing::Pty live;
  ASSERT_FALSE(live.slave.empty());
  fs::create_symlink(live.slave, root / "sim/ttySIM10");
  fs::create_symlink(live.slave, root / "sim/ttySIM2");
  fs::create_symlink("/dev/pts/no-such", root / "sim/ttySIM1");  // simulator gone
  std::ofstream(root / "sim/notes.txt") << "x";

  const std::string sim = (root / "sim").string();
  EXPECT_EQ(ListSerialPorts((root / "sys").string(), sim),
            (std::vector<std::string>{"/dev/rfcomm0", "/dev/ttyACM0", "/dev/ttyAMA0", "/dev/ttyS0",
                                      "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyUSB9",
                                      "/dev/ttyUSB10", sim + "/ttySIM2", sim + "/ttySIM10"}));
}

TEST_F(PortDiscoveryTest, MissingFoldersListNothing) {
  EXPECT_TRUE(ListSerialPorts((root / "none").string(), (root / "none").string()).empty());
}

TEST(NaturalOrder, NumbersCompareByValue) {
  EXPECT_TRUE(NaturalLess("ttyS2", "ttyS10"));
  EXPECT_FALSE(NaturalLess("ttyS10", "ttyS2"));
  EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
  EXPECT_TRUE(NaturalLess("ttyACM9", "ttyS0"));
  EXPECT_TRUE(NaturalLess("ttyUSB1a", "ttyUSB1b"));
  EXPECT_FALSE(NaturalLess("ttyS3", "ttyS3"));
  EXPECT_NE(NaturalLess("ttyS01", "ttyS1"), NaturalLess("ttyS1", "ttyS01"));
}

TEST(SimulatorLinkDir, FollowsTheRuntimeDirectory) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string keep = saved ? saved : "";
  setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  EXPECT_EQ(SimulatorLinkDir(), "/run/user/7/k9x40-sim");
  setenv("XDG_RUNTIME_DIR", "", 1);
  EXPECT_EQ(SimulatorLinkDir(), "/tmp/k9x40-sim");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SimulatorLinkDir(), "/tmp/k9x40-sim");
  if (saved) setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
}

TEST(RefreshPortList, ReplacesTheItemsOnlyWhenThereIsSomethingToList) {
  ui::PaintManager manager;
  auto root = std::make_unique<ui::Container>();
  auto combo = std::make_unique<ui::Combo>();
  combo->setName("SerialPort");
  combo->addItem("from skin");
  ui::Combo* list = static_cast<ui::Combo*>(root->add(std::move(combo)));
  manager.setRoot(std::move(root));

  EXPECT_EQ(refreshPortList(manager, {}), 0);
  EXPECT_EQ(list->items(), (std::vector<std::string>{"from skin"}));

  EXPECT_EQ(refreshPortList(manager, {"/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyUSB0"}), 1);
  EXPECT_EQ(list->items(), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyUSB0"}));

  ui::PaintManager bare;
  bare.setRoot(std::make_unique<ui::Container>());
  EXPECT_EQ(refreshPortList(bare, {"/dev/ttyS0"}), 0);
}

}  // namespace
}  // namespace devlink
