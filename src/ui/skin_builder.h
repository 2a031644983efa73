#pragma once
// Builds a control tree from an XML skin document. Element classes the
// builder does not know are offered to the factory; a null result from the
// factory skips the element (its children too).

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

inline constexpr int kMaxSkinDepth = 200;

using ControlFactory = std::function<std::unique_ptr<Control>(std::string_view className)>;

struct SkinDocument {
  std::unique_ptr<Control> root;  // null when the document is missing or invalid
  std::string error;              // why root is null
  // From the root <Window> element, when present.
  int width = 0, height = 0;
  int captionHeight = 0;
  std::map<std::string, std::string, std::less<>> windowAttributes;  // every one, as written
};

// `factory` may be empty (no custom elements). Every control gets its
// element name as class name and every attribute through setAttribute, in
// document order; a Combo's `selectedid` applies after its items. <Item>
// outside a Combo is ignored. A <Window> root must hold a control. The
// builder never throws: a missing file, bad XML (or nesting deeper than
// kMaxSkinDepth) gives a null root and the reason, with file and line.
SkinDocument BuildSkin(const std::filesystem::path& file, const ControlFactory& factory = {});
SkinDocument BuildSkinFromText(std::string_view xml, const ControlFactory& factory = {});

}  // namespace ui
