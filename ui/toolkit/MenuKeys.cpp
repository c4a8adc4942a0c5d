#include "MenuKeys.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QShortcut>

namespace menu_keys {
namespace {

class KeyboardMenuFilter : public QObject {
 public:
  KeyboardMenuFilter(QWidget& control, std::function<QPoint()> at)
      : QObject(&control), control_(control), at_(std::move(at)) {}

  void open() const { emit control_.customContextMenuRequested(at_()); }

 protected:
  // The window sends the focused control a context menu event for the Menu key.
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu ||
        static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard)
      return false;
    open();
    return true;
  }

 private:
  QWidget& control_;
  std::function<QPoint()> at_;
};

class RightPressFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  // The context menu event comes all the same: the window makes it from the press itself.
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
      default:
        return false;
    }
  }
};

}  // namespace

void OpenFromKeyboard(QWidget& control, std::function<QPoint()> at) {
  auto* filter = new KeyboardMenuFilter(control, std::move(at));
  control.installEventFilter(filter);
  auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &control, nullptr, nullptr,
                                 Qt::WidgetShortcut);
  QObject::connect(shortcut, &QShortcut::activated, filter, &KeyboardMenuFilter::open);
}

void KeepSelectionOnRightClick(QAbstractItemView& list) {
  list.viewport()->installEventFilter(new RightPressFilter(&list));
}

QPoint CurrentRowPoint(QAbstractItemView& list) {
  const QModelIndex current = list.currentIndex();
  if (!current.isValid()) return {};
  list.scrollTo(current);
  return list.visualRect(current).bottomLeft();
}

QString WithShortcut(const QString& entry, QKeySequence::StandardKey key) {
  return entry + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

}  // namespace menu_keys
