#include "qtpaint/skin_widgets.h"

#include <QFocusEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextCursor>

namespace qtpaint {
namespace {

bool UserFocusMove(const QFocusEvent* e) {
  return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

// Centred in `area`, as large as fits, aspect kept; drawn at the device's
// pixel density so it stays sharp when scaled.
void DrawFitted(QPainter& p, const QRect& area, const QPixmap& image) {
  if (image.isNull() || area.isEmpty()) return;
  QSizeF size = image.deviceIndependentSize();
  size.scale(area.size(), Qt::KeepAspectRatio);
  const QRectF target(area.x() + (area.width() - size.width()) / 2.0,
                      area.y() + (area.height() - size.height()) / 2.0, size.width(), size.height());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(target, image, QRectF(image.rect()));
}

}  // namespace

SkinPanel::SkinPanel(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_StyledBackground); }

void SkinPanel::setImage(const QPixmap& p) {
  image_ = p;
  update();
}

void SkinPanel::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  if (image_.isNull()) return;
  QPainter p(this);
  DrawFitted(p, rect(), image_);
}

SkinButton::SkinButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  setAutoExclusive(false);  // option groups are the model's
}

void SkinButton::setImage(const QPixmap& p) {
  image_ = p;
  update();
}

void SkinButton::paintEvent(QPaintEvent* e) {
  if (image_.isNull()) {
    QPushButton::paintEvent(e);
    return;
  }
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  opt.text.clear();
  opt.icon = QIcon();
  p.drawControl(QStyle::CE_PushButton, opt);
  DrawFitted(p, rect(), image_);
}

void SkinEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (onFocus && UserFocusMove(e)) onFocus(true);
}

void SkinEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (onFocus && UserFocusMove(e)) onFocus(false);
}

SkinCombo::SkinCombo(QWidget* parent) : QComboBox(parent) {
  // Items are the skin's and the terminal's: never typed in.
  setEditable(false);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(4);
}

void SkinCombo::showPopup() {
  if (onDropDown) onDropDown();
  QComboBox::showPopup();
}

void SkinCombo::focusInEvent(QFocusEvent* e) {
  QComboBox::focusInEvent(e);
  if (onFocus && UserFocusMove(e)) onFocus(true);
}

void SkinCombo::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  if (onFocus && UserFocusMove(e)) onFocus(false);
}

std::size_t CompleteUtf8Prefix(std::string_view bytes) {
  // Look back over at most three continuation bytes for a lead byte whose
  // sequence runs past the end.
  const std::size_t n = bytes.size();
  for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
    const unsigned char c = static_cast<unsigned char>(bytes[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // continuation: keep looking
    std::size_t need = 1;
    if ((c & 0xE0) == 0xC0) need = 2;
    else if ((c & 0xF0) == 0xE0) need = 3;
    else if ((c & 0xF8) == 0xF0) need = 4;
    return need > back ? n - back : n;
  }
  return n;
}

QString PaneText(std::string_view bytes) {
  std::string clean;
  clean.reserve(bytes.size());
  for (char c : bytes) {
    if (c != '\r') clean.push_back(c);
  }
  return QString::fromUtf8(clean.data(), static_cast<qsizetype>(clean.size()));
}

TextPane::TextPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAnywhere);
}

void TextPane::reset(const std::string& bytes) {
  const std::size_t end = CompleteUtf8Prefix(bytes);
  setPlainText(PaneText(std::string_view(bytes).substr(0, end)));
  shown_ = end;
}

void TextPane::follow(const std::string& bytes) {
  if (bytes.size() < shown_) {
    reset(bytes);
    return;
  }
  const std::size_t end = CompleteUtf8Prefix(bytes);
  if (end <= shown_) return;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(PaneText(std::string_view(bytes).substr(shown_, end - shown_)));
  shown_ = end;
}

void TextPane::scrollToEnd() {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->maximum());
}

}  // namespace qtpaint
