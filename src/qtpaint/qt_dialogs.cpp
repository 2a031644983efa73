#include "qtpaint/qt_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace qtpaint {
namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::Icon BoxIconOf(app::BoxIcon icon) {
  switch (icon) {
    case app::BoxIcon::Information: return QMessageBox::Information;
    case app::BoxIcon::Warning: return QMessageBox::Warning;
    case app::BoxIcon::Error: return QMessageBox::Critical;  // the stop sign
    case app::BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString NameFilter(const app::FileFilter& f) {
  const QString display = Q(f.display);
  const QString pattern = Q(f.pattern);
  if (display.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) return display;
  return display + QLatin1String(" (") + pattern + QLatin1Char(')');
}

void QtDialogs::messageBox(const std::string& text, const std::string& caption, app::BoxIcon icon) {
  QMessageBox box(BoxIconOf(icon), Q(caption), Q(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtDialogs::askYesNo(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::openFile(const app::FileDialogRequest& request) {
  return runFileDialog(request, false);
}

std::optional<std::string> QtDialogs::saveFile(const app::FileDialogRequest& request) {
  return runFileDialog(request, true);
}

std::optional<std::string> QtDialogs::runFileDialog(const app::FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent_);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // A save names a file that need not exist yet; replacing one is confirmed
  // by the dialog (its default).
  dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList filters;
  for (const auto& f : request.filters) filters << NameFilter(f);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    // Qt trims the filter texts; show them letter for letter (" All File(*.*)"
    // keeps its leading blank). The dialog maps filters by index, not text.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
      for (int i = 0; i < types->count() && i < filters.size(); ++i) types->setItemText(i, filters[i]);
    }
  }
  QString folder = lastFolder_;
  if (folder.isEmpty() && !request.initialDir.empty() && QFileInfo(Q(request.initialDir)).isDir())
    folder = Q(request.initialDir);
  if (folder.isEmpty()) folder = QDir::homePath();
  dialog.setDirectory(folder);
  if (!request.fileName.empty()) dialog.selectFile(Q(request.fileName));
  if (save) dialog.setDefaultSuffix(QStringLiteral("cfg"));

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  const QString path = chosen.front();
  if (request.pathMustExist && !QFileInfo(path).absoluteDir().exists()) return std::nullopt;
  lastFolder_ = QFileInfo(path).absolutePath();
  const QByteArray bytes = path.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace qtpaint
