// Small conversions between the platform's values and Qt's, shared by the Qt back end.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string>

#include "platform/surface.h"

class QKeyEvent;
class QMenu;
class QPoint;
class QWidget;

namespace quon {

class Form;
class MenuItem;

inline QColor ToQColor(Rgb c) {
  return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}
inline QString Q(const std::string &s) {
  return QString::fromStdString(s);
}
QFont MakeFont(const std::string &name, double points, bool bold);

// The platform's key code and shift state of a key event.
int KeyCodeOf(const QKeyEvent &e);
int ShiftStateOf(const QKeyEvent &e);

// The form whose window holds the widget; nullptr if none.
Form *FormOf(QWidget *w);
// Ctrl+letter chooses the menu item of the widget's form with that shortcut; true when one ran.
bool TryFormShortcut(QWidget *w, const QKeyEvent &e);

// Adds the visible items below `parent` to a Qt menu (each action's data is its MenuItem*);
// with connectClicks an action runs its item's click handler.
void FillQMenu(QMenu *menu, MenuItem &parent, bool connectClicks);
// A cell's text as it fits `width` pixels: unchanged when it fits; otherwise its beginning,
// left-aligned and cut with an ellipsis, so a number too wide for its cell keeps its leading
// digits in view instead of showing its tail as if it were the whole value.
QString FittedCellText(const QFontMetrics &metrics, const QString &text, int width, Qt::Alignment &align);

// The focus mark: a ring `inset` pixels inside the widget, dotted in black and white so that
// it shows on whatever was painted there (which need not be `back`: an option's box is drawn in
// the style's grey on a blue screen); the dots take the colour that stands out from `back`.
// Paints on the widget, so it is called from its paint event after any painter there is done.
void RingFocus(QWidget &w, const QColor &back, int inset);

// A point of a form's client area, in twips, on the desktop.
QPoint FormClientToGlobal(Form &form, double xTwips, double yTwips);

} // namespace quon
