// k9x40-skin-tree PATH...: builds each PATH as a skin document and prints its
// tree. PATH is a document or a skin folder (its skin.xml). Page elements are
// created by the program's own control factory, so a main skin prints with
// every page filled from the documents beside it; pages that stayed empty
// are named on stderr. Exit status: 0 all built and every page filled,
// 1 a document or page failed (reason on stderr), 2 usage.

#include <filesystem>
#include <iostream>

#include "layout/control_factory.h"
#include "ui/skin_builder.h"
#include "ui/tree_dump.h"

namespace {

int PrintSkin(std::filesystem::path path) {
  if (std::filesystem::is_directory(path)) path /= "skin.xml";
  layout::CDialogBuilderCallbackEx factory(path.parent_path());
  ui::SkinDocument doc = ui::BuildSkin(path, factory.factory());
  if (!doc.root) {
    std::cerr << doc.error << '\n';
    return 1;
  }
  std::cout << "# " << path.string() << '\n';
  if (doc.width || doc.height) {
    std::cout << "Window size=" << doc.width << ',' << doc.height << " caption=" << doc.captionHeight << '\n';
  }
  std::cout << ui::DumpTree(*doc.root);
  for (const std::string& e : factory.pageErrors()) std::cerr << "empty page " << e << '\n';
  return factory.pageErrors().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: k9x40-skin-tree PATH...   (a skin document or a skin folder)\n";
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    if (PrintSkin(argv[i]) != 0) status = 1;
  }
  return status;
}
