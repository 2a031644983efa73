// k9x40-skin-tree FILE: builds FILE as a skin document and prints its tree.
// Elements the toolkit does not know (the page classes) show as empty
// containers carrying their element name. Exit status: 0 built, 1 the
// document failed (reason on stderr), 2 usage.

#include <cstdio>
#include <iostream>

#include "ui/skin_builder.h"
#include "ui/tree_dump.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: k9x40-skin-tree FILE\n";
    return 2;
  }
  ui::SkinDocument doc = ui::BuildSkin(argv[1], [](std::string_view) {
    return std::make_unique<ui::Container>();
  });
  if (!doc.root) {
    std::cerr << doc.error << '\n';
    return 1;
  }
  if (doc.width || doc.height) {
    std::cout << "Window size=" << doc.width << ',' << doc.height << " caption=" << doc.captionHeight << '\n';
  }
  std::cout << ui::DumpTree(*doc.root);
  return 0;
}
