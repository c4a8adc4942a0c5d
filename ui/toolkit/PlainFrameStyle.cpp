#include "PlainFrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace {

// The colours of the application style's text box frame: an outline a little darker than the
// window and a faint shadow under its top edge.
constexpr int kOutlineDarkness = 140;
const QColor kTopShadow(0, 0, 0, 18);

// Solid fills of whole pixels only: a pen would go through the path stroker.
void DrawPlainPanel(const QStyleOption& option, QPainter& painter) {
  const QRect& r = option.rect;
  painter.fillRect(r, option.palette.base());
  if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
      !frame || frame->lineWidth <= 0) {
    return;
  }
  const QColor outline = option.palette.window().color().darker(kOutlineDarkness);
  painter.fillRect(r.left(), r.top(), r.width(), 1, outline);
  painter.fillRect(r.left(), r.bottom(), r.width(), 1, outline);
  painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, outline);
  painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, outline);
  painter.fillRect(r.left() + 2, r.top() + 1, r.width() - 4, 1, kTopShadow);
}

}  // namespace

PlainFrameStyle::PlainFrameStyle(QObject* parent) : QProxyStyle(QApplication::style()->name()) {
  setParent(parent);
}

void PlainFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  if (element == PE_PanelLineEdit && !(option->state & State_HasFocus)) {
    DrawPlainPanel(*option, *painter);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}
