#pragma once

#include <QStaticText>
#include <QStyledItemDelegate>
#include <vector>

// Draws one-line rows of plain text like the default delegate, but keeps each row's text laid
// out from one paint to the next instead of laying it out again every time. For lists whose
// rows change seldom and repaint often; the rows must have no icon or check box.
class StaticTextDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  const QStaticText& laidOut(int row, const QString& text, const QFont& font) const;

  mutable std::vector<QStaticText> rows_;
};
