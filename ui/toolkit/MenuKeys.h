#pragma once

#include <QKeySequence>
#include <QPoint>
#include <QString>
#include <functional>

class QAbstractItemView;
class QWidget;

// Context menus that the keyboard reaches and a right click that only opens them.
namespace menu_keys {

// The Menu key and Shift+F10 open the control's context menu as a right click does, through
// customContextMenuRequested, at the point that `at` names (in the coordinates the control's
// clicks report) instead of wherever the pointer happens to be.
void OpenFromKeyboard(QWidget& control, std::function<QPoint()> at);

// A right click on a list opens its menu and leaves its selection and current row alone: the
// menu is about what the list shows, and choosing a row has effects of its own.
void KeepSelectionOnRightClick(QAbstractItemView& list);

// Where a list's menu opens from the keyboard: under the left end of its current row, scrolled
// into view, or at its top left without one; in the coordinates of its viewport.
QPoint CurrentRowPoint(QAbstractItemView& list);

// A menu entry that shows the key that does the same: "Copy Table\tCtrl+C".
QString WithShortcut(const QString& entry, QKeySequence::StandardKey key);

}  // namespace menu_keys
