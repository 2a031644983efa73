#include "qtpaint/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "qt_fixture.h"

namespace {

// Runs `inspect` on the modal dialog once it is up (and keeps trying for a while).
void WhenModal(std::function<void(QWidget*)> inspect, int tries = 200) {
  QTimer::singleShot(10, [inspect, tries] {
    QWidget* w = QApplication::activeModalWidget();
    if (w && w->isVisible()) inspect(w);
    else if (tries > 0) WhenModal(inspect, tries - 1);
  });
}

app::FileDialogRequest EnglishOpen() {
  app::FileDialogRequest r;
  r.filters = {{"cfg(*.cfg)", "*.cfg"}, {" All File(*.*)", "*.*"}};
  r.fileName = "K9x40.cfg";
  r.initialDir = "D:\\Program Files";
  r.fileMustExist = r.pathMustExist = true;
  return r;
}

TEST(QtDialogs, OpenDialogShowsTheFiltersAsGivenAndCancelChangesNothing) {
  qtfix::App();
  qtpaint::QtDialogs dialogs;
  QStringList filters;
  QString selected, fileName, folder;
  WhenModal([&](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(d, nullptr);
    auto* types = d->findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; i < types->count(); ++i) filters << types->itemText(i);
    selected = types->currentText();
    fileName = d->findChild<QLineEdit*>("fileNameEdit")->text();
    folder = d->directory().absolutePath();
    d->reject();
  });
  EXPECT_EQ(dialogs.openFile(EnglishOpen()), std::nullopt);
  EXPECT_EQ(filters, (QStringList{"cfg(*.cfg)", " All File(*.*)"}));
  EXPECT_EQ(selected, "cfg(*.cfg)");
  EXPECT_EQ(fileName, "K9x40.cfg");
  EXPECT_EQ(folder, QDir::homePath());  // the given folder does not exist here
  EXPECT_TRUE(dialogs.lastFolder().isEmpty());
}

TEST(QtDialogs, NameFilterAddsThePatternOnlyWhenTheTextLacksIt) {
  EXPECT_EQ(qtpaint::NameFilter({"cfg文件(*.cfg)", "*.cfg"}), QString::fromUtf8("cfg文件(*.cfg)"));
  EXPECT_EQ(qtpaint::NameFilter({"Snapshots", "*.cfg"}), "Snapshots (*.cfg)");
}

TEST(QtDialogs, SaveNamesANewFileAndTheNextDialogStartsThere) {
  qtfix::App();
  QTemporaryDir dir;
  qtpaint::QtDialogs dialogs;
  app::FileDialogRequest r = EnglishOpen();
  r.filters[1].display = "All File(*.*)";
  const QString wanted = dir.path() + "/new.cfg";
  WhenModal([&](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    // Typed, as a user would: after an earlier dialog in the same process,
    // selectFile() here lost to the name the dialog was opened with.
    d->setDirectory(dir.path());
    d->findChild<QLineEdit*>("fileNameEdit")->setText(wanted);
    static_cast<QDialog*>(d)->accept();
  });
  auto chosen = dialogs.saveFile(r);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QString::fromStdString(*chosen), wanted);
  EXPECT_EQ(dialogs.lastFolder(), dir.path());

  QString folder;
  WhenModal([&](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    folder = d->directory().absolutePath();
    d->reject();
  });
  EXPECT_FALSE(dialogs.openFile(r));
  EXPECT_EQ(folder, dir.path());
}

TEST(QtDialogs, SaveAsksBeforeReplacingAFile) {
  qtfix::App();
  QTemporaryDir dir;
  const QString existing = dir.path() + "/K9x40.cfg";
  QFile f(existing);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  qtpaint::QtDialogs dialogs;
  bool asked = false;
  WhenModal([&](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    d->setDirectory(dir.path());
    d->selectFile(existing);
    // The question comes up inside accept(); say No, then give up.
    WhenModal([&, d](QWidget* box) {
      auto* q = qobject_cast<QMessageBox*>(box);
      if (!q) return;
      asked = true;
      q->button(QMessageBox::No) ? q->button(QMessageBox::No)->click() : q->reject();
      QTimer::singleShot(10, d, &QDialog::reject);
    });
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_FALSE(dialogs.saveFile(EnglishOpen()));
  EXPECT_TRUE(asked);
}

TEST(QtDialogs, MessageBoxCarriesCaptionIconAndOnlyOk) {
  qtfix::App();
  qtpaint::QtDialogs dialogs;
  struct Seen {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
  } seen;
  WhenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
    box->accept();
  });
  dialogs.messageBox("Port: /dev/ttyUSB9", "Application Error", app::BoxIcon::Error);
  EXPECT_EQ(seen.caption, "Application Error");
  EXPECT_EQ(seen.text, "Port: /dev/ttyUSB9");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, 1);
}

}  // namespace
