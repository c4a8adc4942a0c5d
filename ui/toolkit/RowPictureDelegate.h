#pragma once

#include <QImage>
#include <QStyledItemDelegate>
#include <array>
#include <vector>

// Draws rows exactly as the default delegate does, but keeps the picture of each row, plain and
// selected, from one paint to the next. Drawing text is costly (each glyph is blended pixel by
// pixel through a gamma table), and a selection that moves from row to row would otherwise
// draw both rows again at every step. For lists of one-line rows on the plain background of
// the view.
class RowPictureDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  // A row as drawn, with everything its look depends on.
  struct Picture {
    QImage image;
    QSize size;
    qreal ratio = 1;
    QString text;
    QStyle::State state;
    QFont font;
    qint64 palette = 0;
  };

  static bool Shows(const Picture& picture, const QStyleOptionViewItem& item, qreal ratio);
  Picture draw(const QStyleOptionViewItem& option, const QStyleOptionViewItem& item,
               const QModelIndex& index, qreal ratio) const;

  mutable std::vector<std::array<Picture, 2>> rows_;  // [row][selected]
};
