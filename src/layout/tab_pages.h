#pragma once
// The page classes of the tab layout: each is a plain container holding the
// tree of one page document of the skin folder. A page document is built
// without a factory, so it cannot use page elements of its own.

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace layout {

// Fills `page` with the control tree of `file`; a missing or invalid document
// leaves the page empty. Returns the builder's reason for an empty page
// (empty when the document loaded).
std::string FillPage(ui::Container& page, const std::filesystem::path& file);

// `error`, when given, receives FillPage's result.
class ComputerExamineUI : public ui::Container {
 public:
  explicit ComputerExamineUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~ComputerExamineUI() override;
};

class WorkTabUI : public ui::Container {
 public:
  explicit WorkTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~WorkTabUI() override;
};

class WirelessTabUI : public ui::Container {
 public:
  explicit WirelessTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~WirelessTabUI() override;
};

class ServiceCentreTabUI : public ui::Container {
 public:
  explicit ServiceCentreTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~ServiceCentreTabUI() override;
};

class SerialPortTabUI : public ui::Container {
 public:
  explicit SerialPortTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~SerialPortTabUI() override;
};

class Global_ParameterTabUI : public ui::Container {
 public:
  explicit Global_ParameterTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~Global_ParameterTabUI() override;
};

class Equipment_ManagementTabUI : public ui::Container {
 public:
  explicit Equipment_ManagementTabUI(const std::filesystem::path& skinDir, std::string* error = nullptr);
  ~Equipment_ManagementTabUI() override;
};

// Any other page element: loads the document named after its class,
// `className` followed by ".xml".
class Child_ManagementTabUI : public ui::Container {
 public:
  Child_ManagementTabUI(const std::filesystem::path& skinDir, std::string_view className,
                        std::string* error = nullptr);
  ~Child_ManagementTabUI() override;
};

}  // namespace layout
