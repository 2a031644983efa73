#pragma once
// The Qt widgets that draw the control kinds. They know nothing of the
// control tree: the painter feeds them and listens to their user-only
// signals (a programmatic change never raises one, so nothing echoes).

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

namespace qtpaint {

// Focus moves the user made (not a window losing activation or a popup
// opening: the control keeps its focus then).
using FocusCallback = std::function<void(bool gained)>;

// A plain container; draws its background image, if any, centred.
class SkinPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SkinPanel(QWidget* parent = nullptr);
  void setImage(const QPixmap& p);
  const QPixmap& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QPixmap image_;
};

// Buttons and options. With an image it draws the image (scaled to fit,
// aspect kept) over the styled background instead of the text.
class SkinButton : public QPushButton {
  Q_OBJECT
 public:
  explicit SkinButton(QWidget* parent = nullptr);
  void setImage(const QPixmap& p);
  const QPixmap& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QPixmap image_;
};

class SkinEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit SkinEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
  FocusCallback onFocus;

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};

class SkinCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit SkinCombo(QWidget* parent = nullptr);
  FocusCallback onFocus;
  std::function<void()> onDropDown;
  void showPopup() override;

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};

// The log and help panes: plain text only, whatever the terminal sends.
// Follows a byte string that only grows between resets: render() shows the
// bytes not shown yet, holding back a UTF-8 sequence cut at the end (the
// terminal's chunks split characters) until its rest arrives.
class TextPane : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit TextPane(QWidget* parent = nullptr);
  void reset(const std::string& bytes);   // shows exactly these bytes
  void follow(const std::string& bytes);  // `bytes` extends what was shown
  void scrollToEnd();

 private:
  std::size_t shown_ = 0;  // bytes of the model text already in the pane
};

// Carriage returns dropped (CR LF and lone CR alike), bytes read as UTF-8.
QString PaneText(std::string_view bytes);
// Length of `bytes` without a trailing, incomplete UTF-8 sequence.
std::size_t CompleteUtf8Prefix(std::string_view bytes);

}  // namespace qtpaint
