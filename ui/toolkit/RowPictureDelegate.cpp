#include "RowPictureDelegate.h"

#include <QPainter>

void RowPictureDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const qreal ratio = painter->device()->devicePixelRatio();
  if (std::size_t(index.row()) >= rows_.size()) rows_.resize(index.row() + 1);
  Picture& picture = rows_[index.row()][item.state & QStyle::State_Selected ? 1 : 0];
  if (!Shows(picture, item, ratio)) picture = draw(option, item, index, ratio);
  painter->drawImage(item.rect.topLeft(), picture.image);
}

bool RowPictureDelegate::Shows(const Picture& picture, const QStyleOptionViewItem& item,
                               qreal ratio) {
  return !picture.image.isNull() && picture.size == item.rect.size() && picture.ratio == ratio &&
         picture.state == item.state && picture.text == item.text &&
         picture.palette == item.palette.cacheKey() && picture.font == item.font;
}

// The row is drawn on what the view shows beneath it, its base colour, in the same pixel format
// as a window's backing store, so that the copy is a plain copy of the same pixels.
RowPictureDelegate::Picture RowPictureDelegate::draw(const QStyleOptionViewItem& option,
                                                     const QStyleOptionViewItem& item,
                                                     const QModelIndex& index, qreal ratio) const {
  Picture picture{QImage(item.rect.size() * ratio, QImage::Format_RGB32),
                  item.rect.size(),
                  ratio,
                  item.text,
                  item.state,
                  item.font,
                  item.palette.cacheKey()};
  picture.image.setDevicePixelRatio(ratio);
  const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (item.state & QStyle::State_Active) ? QPalette::Normal
                                                                           : QPalette::Inactive;
  picture.image.fill(item.palette.color(group, QPalette::Base));
  QPainter painter(&picture.image);
  painter.translate(-item.rect.topLeft());
  QStyledItemDelegate::paint(&painter, option, index);
  return picture;
}
