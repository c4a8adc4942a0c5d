#include "StaticTextDelegate.h"

#include <QApplication>
#include <QPainter>

void StaticTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QWidget* widget = item.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  // The selection highlight and the focus frame, as the style draws them.
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

  // The text where the style puts it: inset by the focus frame's margin and one pixel, centred
  // in the row's height.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect textRect = item.rect.adjusted(margin, 0, -margin, 0);
  const QFontMetricsF metrics(item.font);
  const int height = int(metrics.leading() + metrics.ascent() + metrics.descent());
  const QPointF topLeft(textRect.left(),
                        textRect.top() + (textRect.height() - height) / 2 + metrics.leading());
  const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (item.state & QStyle::State_Active) ? QPalette::Normal
                                                                           : QPalette::Inactive;
  const bool selected = item.state & QStyle::State_Selected;
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawStaticText(topLeft, laidOut(index.row(), text, item.font));
  painter->restore();
}

const QStaticText& StaticTextDelegate::laidOut(int row, const QString& text,
                                               const QFont& font) const {
  if (std::size_t(row) >= rows_.size()) rows_.resize(row + 1);
  QStaticText& laid = rows_[row];
  if (laid.text() != text) {
    laid.setText(text);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
  }
  return laid;
}
