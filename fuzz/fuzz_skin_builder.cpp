// The skin builder on arbitrary documents, with the window's control factory
// (page elements load their documents from a fixed skin directory).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "ui/control.h"
#include "ui/paint_manager.h"
#include "ui/skin_builder.h"

#include "layout/control_factory.h"

namespace {

// Every control's parent link names the control that holds it; the tree is
// no deeper than the builder allows; every name is found by the window.
void Walk(const ui::Control& c, const ui::PaintManager& pm, int depth) {
  FUZZ_CHECK(depth <= 2 * ui::kMaxSkinDepth + 2);  // a page adds its own document's depth
  if (!c.name().empty()) {
    const ui::Control* found = pm.findControl(c.name());
    FUZZ_CHECK(found != nullptr && found->name() == c.name());
  }
  for (const auto& child : c.children()) {
    FUZZ_CHECK(child->parent() == &c);
    Walk(*child, pm, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Page elements load their documents from the English skin.
  layout::CDialogBuilderCallbackEx callback(K9X40_FUZZ_SKIN_DIR);
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  ui::SkinDocument doc = ui::BuildSkinFromText(xml, callback.factory());
  if (!doc.root) {
    FUZZ_CHECK(!doc.error.empty());
    return 0;
  }
  ui::PaintManager pm;
  const ui::Control* root = doc.root.get();
  pm.setRoot(std::move(doc.root));
  Walk(*root, pm, 0);
  return 0;
}
