#include "ui/skin_builder.h"

#include <array>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>

#include <pugixml.hpp>

namespace ui {
namespace {

struct Known {
  const char* element;
  std::unique_ptr<Control> (*make)();
};

template <class T>
std::unique_ptr<Control> Make() { return std::make_unique<T>(); }

constexpr std::array<Known, 11> kKnown{{
    {"Container", [] { return Make<Container>(); }},
    {"VerticalLayout", [] { return Make<VerticalLayout>(); }},
    {"HorizontalLayout", [] { return Make<HorizontalLayout>(); }},
    {"GroupBox", [] { return Make<GroupBox>(); }},
    {"TabLayout", [] { return Make<TabLayout>(); }},
    {"Label", [] { return Make<Label>(); }},
    {"Button", [] { return Make<Button>(); }},
    {"Option", [] { return Make<Option>(); }},
    {"Edit", [] { return Make<Edit>(); }},
    {"Combo", [] { return Make<Combo>(); }},
    {"RichEdit", [] { return Make<RichEdit>(); }},
}};

// "a,b,c" → the numbers; an unreadable part reads 0.
std::vector<int> Numbers(std::string_view text) {
  std::vector<int> out;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t comma = text.find(',', pos);
    std::string_view part = text.substr(pos, comma == std::string_view::npos ? text.npos : comma - pos);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    int n = 0;
    std::from_chars(part.data(), part.data() + part.size(), n);
    out.push_back(n);
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  return out;
}

class Builder {
 public:
  Builder(const ControlFactory& factory, std::string_view where, std::string_view source)
      : factory_(factory), where_(where), source_(source) {}

  // Null when the element is skipped; `error_` set when building must stop.
  std::unique_ptr<Control> build(const pugi::xml_node& node, int depth) {
    if (depth > kMaxSkinDepth) {
      fail(node, "controls nested deeper than " + std::to_string(kMaxSkinDepth));
      return nullptr;
    }
    const char* element = node.name();
    std::unique_ptr<Control> c = create(element);
    if (!c) return nullptr;
    c->setClassName(element);
    for (const pugi::xml_attribute& a : node.attributes()) c->setAttribute(a.name(), a.value());

    for (const pugi::xml_node& child : node.children()) {
      if (child.type() != pugi::node_element) continue;
      if (std::strcmp(child.name(), "Item") == 0) {
        if (c->kind() == ControlKind::Combo) static_cast<Combo&>(*c).addItem(child.attribute("text").value());
        continue;
      }
      std::unique_ptr<Control> built = build(child, depth + 1);
      if (!error_.empty()) return nullptr;
      if (built) c->add(std::move(built));
    }

    if (c->kind() == ControlKind::Combo) {
      if (pugi::xml_attribute sel = node.attribute("selectedid")) {
        static_cast<Combo&>(*c).selectItem(sel.as_int(-1));
      }
    }
    return c;
  }

  void fail(const pugi::xml_node& node, const std::string& why) {
    error_ = location(static_cast<std::size_t>(node.offset_debug())) + why;
  }
  std::string location(std::size_t offset) const {
    std::string out(where_);
    if (offset <= source_.size()) {
      std::size_t line = 1;
      for (std::size_t i = 0; i < offset; ++i) line += source_[i] == '\n';
      out += (out.empty() ? "line " : ":") + std::to_string(line);
    }
    return out + ": ";
  }
  const std::string& error() const { return error_; }

 private:
  std::unique_ptr<Control> create(const char* element) const {
    for (const Known& k : kKnown) {
      if (std::strcmp(k.element, element) == 0) return k.make();
    }
    if (factory_) return factory_(element);
    return nullptr;
  }

  const ControlFactory& factory_;
  std::string_view where_;
  std::string_view source_;
  std::string error_;
};

SkinDocument Build(std::string_view xml, const ControlFactory& factory, std::string_view where) {
  SkinDocument doc;
  Builder builder(factory, where, xml);
  pugi::xml_document dom;
  pugi::xml_parse_result parsed = dom.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    doc.error = builder.location(static_cast<std::size_t>(parsed.offset)) + parsed.description();
    return doc;
  }
  pugi::xml_node top = dom.document_element();
  if (!top) {
    doc.error = builder.location(0) + "no element";
    return doc;
  }

  pugi::xml_node controlNode = top;
  if (std::strcmp(top.name(), "Window") == 0) {
    for (const pugi::xml_attribute& a : top.attributes()) doc.windowAttributes.emplace(a.name(), a.value());
    std::vector<int> size = Numbers(top.attribute("size").value());
    if (size.size() >= 2) {
      doc.width = size[0];
      doc.height = size[1];
    }
    std::vector<int> caption = Numbers(top.attribute("caption").value());
    if (caption.size() >= 4) doc.captionHeight = caption[3];
    controlNode = top.find_child([](const pugi::xml_node& n) {
      return n.type() == pugi::node_element && std::strcmp(n.name(), "Item") != 0;
    });
    if (!controlNode) {
      doc.error = builder.location(static_cast<std::size_t>(top.offset_debug())) + "the window holds no control";
      return doc;
    }
  }

  doc.root = builder.build(controlNode, 0);
  if (!builder.error().empty()) {
    doc.root.reset();
    doc.error = builder.error();
  } else if (!doc.root) {
    doc.error = builder.location(static_cast<std::size_t>(controlNode.offset_debug())) +
                "no control for element <" + controlNode.name() + ">";
  }
  return doc;
}

}  // namespace

SkinDocument BuildSkin(const std::filesystem::path& file, const ControlFactory& factory) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    SkinDocument doc;
    doc.error = file.string() + ": cannot open";
    return doc;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return Build(text.str(), factory, file.string());
}

SkinDocument BuildSkinFromText(std::string_view xml, const ControlFactory& factory) {
  return Build(xml, factory, {});
}

}  // namespace ui
