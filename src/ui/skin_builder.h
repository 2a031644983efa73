#pragma once
// Builds a control tree from an XML skin document. Element classes the
// builder does not know are offered to the factory; a null result from the
// factory skips the element (its children too).

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

using ControlFactory = std::function<std::unique_ptr<Control>(std::string_view className)>;

struct SkinDocument {
  std::unique_ptr<Control> root;  // null when the document is missing or invalid
  std::string error;              // why root is null
  // From the root <Window> element, when present.
  int width = 0, height = 0;
  int captionHeight = 0;
};

// `factory` may be empty (no custom elements).
SkinDocument BuildSkin(const std::filesystem::path& file, const ControlFactory& factory = {});
SkinDocument BuildSkinFromText(std::string_view xml, const ControlFactory& factory = {});

}  // namespace ui
