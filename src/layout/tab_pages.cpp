#include "layout/tab_pages.h"

#include "ui/skin_builder.h"

namespace layout {

std::string FillPage(ui::Container& page, const std::filesystem::path& file) {
  ui::SkinDocument doc = ui::BuildSkin(file);
  if (!doc.root) {
    page.removeAll();
    return doc.error.empty() ? "no control in " + file.string() : doc.error;
  }
  page.add(std::move(doc.root));
  return {};
}

namespace {

void Fill(ui::Container& page, const std::filesystem::path& file, std::string* error) {
  std::string why = FillPage(page, file);
  if (error) *error = std::move(why);
}

}  // namespace

ComputerExamineUI::ComputerExamineUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "ComputerExamine.xml", error);
}
ComputerExamineUI::~ComputerExamineUI() = default;

WorkTabUI::WorkTabUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "WorkTab.xml", error);
}
WorkTabUI::~WorkTabUI() = default;

WirelessTabUI::WirelessTabUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "Wireless.xml", error);
}
WirelessTabUI::~WirelessTabUI() = default;

ServiceCentreTabUI::ServiceCentreTabUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "Service Centre.xml", error);
}
ServiceCentreTabUI::~ServiceCentreTabUI() = default;

SerialPortTabUI::SerialPortTabUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "Serial port.xml", error);
}
SerialPortTabUI::~SerialPortTabUI() = default;

Global_ParameterTabUI::Global_ParameterTabUI(const std::filesystem::path& skinDir, std::string* error) {
  Fill(*this, skinDir / "Global Parameter.xml", error);
}
Global_ParameterTabUI::~Global_ParameterTabUI() = default;

Equipment_ManagementTabUI::Equipment_ManagementTabUI(const std::filesystem::path& skinDir,
                                                     std::string* error) {
  Fill(*this, skinDir / "Equipment Management.xml", error);
}
Equipment_ManagementTabUI::~Equipment_ManagementTabUI() = default;

Child_ManagementTabUI::Child_ManagementTabUI(const std::filesystem::path& skinDir,
                                             std::string_view className, std::string* error) {
  Fill(*this, skinDir / (std::string(className) + ".xml"), error);
}
Child_ManagementTabUI::~Child_ManagementTabUI() = default;

}  // namespace layout
