#pragma once
// The control factory of the main skin: turns the page elements of skin.xml
// into page objects that load their own documents from the skin folder.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/skin_builder.h"

namespace layout {

class CDialogBuilderCallbackEx {
 public:
  explicit CDialogBuilderCallbackEx(std::filesystem::path skinDir);
  virtual ~CDialogBuilderCallbackEx();

  // A page object for an element class the toolkit does not know (exact
  // names, case included); any other non-empty name loads that name + ".xml".
  // Null for an empty name.
  virtual std::unique_ptr<ui::Control> CreateControl(std::string_view className);

  // For ui::BuildSkin; calls CreateControl on this object, which must outlive the build.
  ui::ControlFactory factory();

  const std::filesystem::path& skinDir() const { return skinDir_; }
  // "Class: reason" for every page that stayed empty, in creation order.
  const std::vector<std::string>& pageErrors() const { return pageErrors_; }

 private:
  std::filesystem::path skinDir_;
  std::vector<std::string> pageErrors_;
};

// A factory for ui::BuildSkin that keeps its own CDialogBuilderCallbackEx
// alive, for callers that only hold on to the callable.
ui::ControlFactory MakeControlFactory(std::filesystem::path skinDir);

}  // namespace layout
