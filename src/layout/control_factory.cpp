#include "layout/control_factory.h"

#include <array>
#include <memory>

#include "layout/tab_pages.h"

namespace layout {
namespace {

using MakePage = std::unique_ptr<ui::Control> (*)(const std::filesystem::path&, std::string*);

template <class Page>
std::unique_ptr<ui::Control> Make(const std::filesystem::path& dir, std::string* error) {
  return std::make_unique<Page>(dir, error);
}

struct PageClass {
  std::string_view className;
  MakePage make;
};

constexpr std::array<PageClass, 7> kPageClasses{{
    {"ComputerExamine", &Make<ComputerExamineUI>},
    {"WorkTab", &Make<WorkTabUI>},
    {"Wireless", &Make<WirelessTabUI>},
    {"ServiceCentre", &Make<ServiceCentreTabUI>},
    {"SerialPort", &Make<SerialPortTabUI>},
    {"Global_Parameter", &Make<Global_ParameterTabUI>},
    {"Equipment_Management", &Make<Equipment_ManagementTabUI>},
}};

}  // namespace

CDialogBuilderCallbackEx::CDialogBuilderCallbackEx(std::filesystem::path skinDir)
    : skinDir_(std::move(skinDir)) {}

CDialogBuilderCallbackEx::~CDialogBuilderCallbackEx() = default;

std::unique_ptr<ui::Control> CDialogBuilderCallbackEx::CreateControl(std::string_view className) {
  if (className.empty()) return nullptr;
  std::string error;
  std::unique_ptr<ui::Control> page;
  for (const PageClass& pc : kPageClasses) {
    if (pc.className == className) {
      page = pc.make(skinDir_, &error);
      break;
    }
  }
  if (!page) page = std::make_unique<Child_ManagementTabUI>(skinDir_, className, &error);
  if (!error.empty()) pageErrors_.push_back(std::string(className) + ": " + error);
  return page;
}

ui::ControlFactory CDialogBuilderCallbackEx::factory() {
  return [this](std::string_view className) { return CreateControl(className); };
}

ui::ControlFactory MakeControlFactory(std::filesystem::path skinDir) {
  auto owner = std::make_shared<CDialogBuilderCallbackEx>(std::move(skinDir));
  return [owner](std::string_view className) { return owner->CreateControl(className); };
}

}  // namespace layout
