#include "ui/tree_dump.h"

#include <array>

namespace ui {
namespace {

constexpr std::array<std::string_view, 11> kKindNames{
    "Container", "VerticalLayout", "HorizontalLayout", "GroupBox", "TabLayout", "Label",
    "Button",    "Option",         "Edit",             "Combo",    "RichEdit",
};

void Quoted(std::string& out, std::string_view key, std::string_view value) {
  out += ' ';
  out += key;
  out += "=\"";
  for (char ch : value) {
    if (ch == '\n') out += "\\n";
    else if (ch == '\r') out += "\\r";
    else if (ch == '"') out += "\\\"";
    else out += ch;
  }
  out += '"';
}

void Line(std::string& out, const Control& c, int depth) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += c.className().empty() ? std::string(KindName(c.kind())) : c.className();
  if (!c.name().empty()) Quoted(out, "name", c.name());
  if (!c.text().empty() && c.kind() != ControlKind::Combo) Quoted(out, "text", c.text());
  if (!c.visible()) out += " hidden";
  if (!c.enabled()) out += " disabled";
  if (!c.bkImage().empty()) Quoted(out, "bkimage", c.bkImage());
  if (c.fixedWidth()) out += " width=" + std::to_string(c.fixedWidth());
  if (c.fixedHeight()) out += " height=" + std::to_string(c.fixedHeight());
  switch (c.kind()) {
    case ControlKind::Option: {
      const auto& o = static_cast<const Option&>(c);
      if (!o.group().empty()) Quoted(out, "group", o.group());
      if (o.selected()) out += " selected";
      break;
    }
    case ControlKind::TabLayout:
      out += " page=" + std::to_string(static_cast<const TabLayout&>(c).currentIndex());
      break;
    case ControlKind::Combo: {
      const auto& combo = static_cast<const Combo&>(c);
      out += " selected=" + std::to_string(combo.currentSelection());
      out += " items=[";
      for (std::size_t i = 0; i < combo.items().size(); ++i) {
        if (i) out += '|';
        out += combo.items()[i];
      }
      out += ']';
      break;
    }
    case ControlKind::RichEdit: {
      const auto& r = static_cast<const RichEdit&>(c);
      if (r.limitText()) out += " limit=" + std::to_string(r.limitText());
      break;
    }
    default:
      break;
  }
  out += '\n';
  for (const auto& child : c.children()) Line(out, *child, depth + 1);
}

}  // namespace

std::string_view KindName(ControlKind kind) {
  const auto i = static_cast<std::size_t>(kind);
  return i < kKindNames.size() ? kKindNames[i] : "Control";
}

std::string DumpTree(const Control& root) {
  std::string out;
  Line(out, root, 0);
  return out;
}

}  // namespace ui
