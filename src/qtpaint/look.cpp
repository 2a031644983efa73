#include "qtpaint/look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace qtpaint {
namespace {

struct Colours {
  const char* window;   // behind everything
  const char* panel;    // side panel, title bar
  const char* card;     // group boxes
  const char* field;    // edits, combos
  const char* border;
  const char* text;
  const char* muted;
  const char* accent;
  const char* accentText;
  const char* accentHover;
  const char* danger;
  const char* hover;
};

const Colours kLight{"#eef1f5", "#e3e8ef", "#ffffff", "#ffffff", "#c9d1dc", "#1d2430",
                     "#5b6675", "#1f6feb", "#ffffff", "#1a5fcc", "#c62828", "#dde6f3"};
const Colours kDark{"#181b20", "#20242b", "#262b33", "#1c2027", "#3a414d", "#e6e9ee",
                    "#9aa4b2", "#3d8bfd", "#ffffff", "#5a9dff", "#ef5350", "#2f3642"};

}  // namespace

bool IsDarkPalette(const QPalette& p) { return p.color(QPalette::Window).lightness() < 128; }

QString StyleSheet(bool dark) {
  const Colours& c = dark ? kDark : kLight;
  QString s = QStringLiteral(R"(
QWidget { color: %text; font-size: 10pt; }
QWidget[role="window"] { background: %window; }
QWidget[role="titlebar"] { background: %panel; border-bottom: 1px solid %border; }
QLabel[role="caption"] { font-size: 11pt; font-weight: 600; padding-left: 8px; }
QWidget[role="panel"] { background: %panel; border-right: 1px solid %border; }
QWidget[role="statusbar"] { background: %panel; border-top: 1px solid %border; }
QLabel[role="footer"], QLabel[role="hint"] { color: %muted; }
QLabel[role="fieldlabel"] { color: %muted; padding-right: 2px; }
QLabel[role="subtitle"] { font-weight: 600; }
QLabel[role="state"] { font-weight: 600; color: %accent; }
QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }
QGroupBox { background: %card; border: 1px solid %border; border-radius: 8px; margin-top: 0px; }
QGroupBox::title { subcontrol-origin: padding; subcontrol-position: top left; left: 12px; top: 6px;
                   color: %text; font-weight: 600; }
QLineEdit, QComboBox { background: %field; border: 1px solid %border; border-radius: 4px;
                       padding: 1px 6px; min-height: 20px; selection-background-color: %accent; }
QLineEdit:focus, QComboBox:focus { border: 1px solid %accent; }
QLineEdit:disabled, QComboBox:disabled { color: %muted; }
QLineEdit[readOnly="true"] { background: %panel; }
QComboBox QAbstractItemView { background: %field; border: 1px solid %border;
                              selection-background-color: %accent; selection-color: %accentText; }
QPushButton { background: %card; border: 1px solid %border; border-radius: 5px; padding: 2px 4px; }
QPushButton:hover { background: %hover; }
QPushButton:pressed { border-color: %accent; }
QPushButton:disabled { color: %muted; background: %panel; }
QPushButton:focus { border: 1px solid %accent; }
QPushButton[role="primary"] { background: %accent; color: %accentText; border: none; }
QPushButton[role="primary"]:hover { background: %accentHover; }
QPushButton[role="primary"]:disabled { background: %border; color: %muted; }
QPushButton[role="danger"] { color: %danger; border-color: %danger; }
QPushButton[role="danger"]:disabled { color: %muted; border-color: %border; }
QPushButton[role="sysbtn"], QPushButton[role="closebtn"] { background: transparent; border: none; border-radius: 0; }
QPushButton[role="sysbtn"]:hover { background: %hover; }
QPushButton[role="closebtn"]:hover { background: #e81123; }
QPushButton[role="toggle"] { background: transparent; border: none; padding: 0; }
QPushButton[role="toggle"]:focus { border: 1px dotted %accent; }
QPushButton[role="tabscroll"] { background: transparent; border: none; font-size: 14pt; padding: 0; }
QPushButton[role="tabscroll"]:hover { background: %hover; }
QWidget[role="tabstrip"] { background: transparent; border-bottom: 1px solid %border; }
QPushButton[role="tabheader"] { background: transparent; border: none; border-bottom: 3px solid transparent;
                                border-radius: 0; padding: 2px 0px; color: %muted; }
QPushButton[role="tabheader"]:hover { color: %text; background: %hover; }
QPushButton[role="tabheader"]:checked { color: %accent; border-bottom: 3px solid %accent; }
QPlainTextEdit { background: %field; border: 1px solid %border; border-radius: 4px; }
QPlainTextEdit[role="log"] { font-family: "Noto Sans Mono CJK SC", "DejaVu Sans Mono", monospace; font-size: 9pt; }
QToolTip { background: %card; color: %text; border: 1px solid %border; }
)");
  const std::pair<const char*, const char*> names[] = {
      {"%window", c.window}, {"%panel", c.panel},   {"%card", c.card},
      {"%field", c.field},   {"%border", c.border}, {"%text", c.text},
      {"%muted", c.muted},   {"%accentText", c.accentText}, {"%accentHover", c.accentHover},
      {"%accent", c.accent}, {"%danger", c.danger}, {"%hover", c.hover},
  };
  // Longer names first: "%accentText" before "%accent".
  for (const auto& [name, value] : names) s.replace(QLatin1String(name), QLatin1String(value));
  return s;
}

void ApplyLook(QApplication& app) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
  QFont font = app.font();
  // The CJK face carries Latin letters too, so both languages share one look.
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback"),
                    QStringLiteral("DejaVu Sans")});
  app.setFont(font);
  app.setStyleSheet(StyleSheet(IsDarkPalette(app.palette())));
}

}  // namespace qtpaint
