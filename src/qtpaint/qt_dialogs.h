#pragma once
// Message boxes and file dialogs of the desktop window. The file dialogs are
// Qt's own (not the desktop portal), so they look the same everywhere and
// tests can drive them offscreen. They start in the folder last used, or in
// the home folder the first time.

#include <QString>
#include <functional>

#include "app/dialogs.h"

class QWidget;
class QFileDialog;

namespace qtpaint {

class QtDialogs : public app::Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  void messageBox(const std::string& text, const std::string& caption, app::BoxIcon icon) override;
  bool askYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> openFile(const app::FileDialogRequest& request) override;
  // May name a new file; asks before replacing an existing one.
  std::optional<std::string> saveFile(const app::FileDialogRequest& request) override;

  const QString& lastFolder() const { return lastFolder_; }

 private:
  std::optional<std::string> runFileDialog(const app::FileDialogRequest& request, bool save);

  QWidget* parent_;
  QString lastFolder_;
};

// The Qt name filter for one filter pair: the display text as it stands when
// it already ends in "(pattern)", else the display text followed by it.
QString NameFilter(const app::FileFilter& f);

}  // namespace qtpaint
