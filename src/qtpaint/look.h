#pragma once
// The window's look: Fusion with a style sheet built on the desktop palette,
// so it reads on light and dark desktops alike; fonts that cover Chinese.

#include <QString>

class QApplication;
class QPalette;

namespace qtpaint {

// True when the palette's window colour is dark.
bool IsDarkPalette(const QPalette& p);
// The style sheet for a light or dark palette. Roles are the skin's "style"
// attribute, seen by the sheet as the widget property "role".
QString StyleSheet(bool dark);
// Fusion, CJK-capable fonts, and the style sheet of the current palette.
void ApplyLook(QApplication& app);

}  // namespace qtpaint
