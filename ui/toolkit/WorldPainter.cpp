#include "WorldPainter.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

}  // namespace

QTransform WorldFrame::toPicture() const {
  const double sx = size.width() / world.width();
  const double sy = size.height() / world.height();
  return QTransform(sx, 0, 0, sy, -world.left() * sx, -world.top() * sy);
}

QImage BlankPicture(const WorldFrame& frame, qreal ratio, int dpi) {
  QImage picture(frame.size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.setDotsPerMeterX(qRound(dpi / kMetresPerInch));
  picture.setDotsPerMeterY(qRound(dpi / kMetresPerInch));
  picture.fill(frame.background);
  return picture;
}

WorldPainter::WorldPainter(const WorldFrame& frame, const QPaintDevice& measures)
    : frame_(frame), toPicture_(frame.toPicture()), measures_(measures) {}

QSizeF WorldPainter::pictureSize(const WorldText& text) const {
  const QFontMetricsF main(text.font, &measures_);
  qreal width = main.horizontalAdvance(text.text);
  if (!text.superscript.isEmpty()) {
    width += QFontMetricsF(text.superscriptFont, &measures_).horizontalAdvance(text.superscript);
  }
  return QSizeF(width, main.ascent() + main.descent());
}

QSizeF WorldPainter::textSize(const WorldText& text) const {
  const QSizeF size = pictureSize(text);
  return QSizeF(size.width() / std::abs(toPicture_.m11()),
                size.height() / std::abs(toPicture_.m22()));
}

void WorldPainter::text(QPointF anchor, const WorldText& text, const QColor& colour,
                        Qt::Alignment alignment, bool upwards) {
  const QFontMetricsF main(text.font, &measures_);
  const QSizeF box = pictureSize(text);
  // From the anchor to the start of the baseline and to its aligned point, in the text's box.
  QPointF start(0, main.ascent());
  if (alignment & Qt::AlignHCenter) start.rx() -= box.width() / 2;
  if (alignment & Qt::AlignRight) start.rx() -= box.width();
  if (alignment & Qt::AlignVCenter) start.ry() -= box.height() / 2;
  if (alignment & Qt::AlignBottom) start.ry() -= box.height();
  QPointF aligned(0, start.y());
  // Turned a quarter left, the text runs up the picture and its foot faces right.
  const auto turned = [upwards](QPointF offset) {
    return upwards ? QPointF(offset.y(), -offset.x()) : offset;
  };
  const qreal rise = text.superscript.isEmpty()
                         ? 0
                         : main.ascent() - QFontMetricsF(text.superscriptFont, &measures_).ascent();
  const QPointF at = toPicture_.map(anchor);
  drawText({at + turned(start), at + turned(aligned), alignment & Qt::AlignHorizontal_Mask,
            upwards ? -90.0 : 0.0, main.horizontalAdvance(text.text), rise},
           text, colour);
}

DeviceWorldPainter::DeviceWorldPainter(QPaintDevice& device, const WorldFrame& frame)
    : WorldPainter(frame, device),
      painter_(&device),
      raster_(painter_.paintEngine()->type() == QPaintEngine::Raster) {
  painter_.setWorldTransform(toPicture_);
  pen_.setCosmetic(raster_);
  setLineWidth(1);
}

// The background reaches a pixel beyond the picture, so that a page rounded up to whole points
// (PDF) or pixels shows no bare edge.
void DeviceWorldPainter::clear() {
  painter_.setWorldTransform(QTransform());
  painter_.fillRect(QRectF(QPointF(), QSizeF(frame_.size + QSize(1, 1))), frame_.background);
  painter_.setWorldTransform(toPicture_);
}

// A raster picture gets a cosmetic pen, which counts device pixels, so a high-density picture
// needs more of them. A PDF page gets a pen in world units instead, so that it scales with the
// page as every reader expects.
void DeviceWorldPainter::setLineWidth(qreal pixels) {
  pen_.setWidthF(raster_ ? pixels * painter_.device()->devicePixelRatioF()
                         : pixels / std::sqrt(std::abs(toPicture_.determinant())));
}

void DeviceWorldPainter::setAntialiased(bool on) {
  painter_.setRenderHint(QPainter::Antialiasing, on);
}

void DeviceWorldPainter::usePen(const QColor& colour) {
  pen_.setColor(colour);
  painter_.setPen(pen_);
}

void DeviceWorldPainter::point(QPointF at, const QColor& colour) {
  usePen(colour);
  painter_.drawPoint(at);
}

// A raster picture gets the segments one at a time: the raster engine strokes a batch of thick
// lines as one polygon, which takes several times as long. A page gets them as one path, which
// keeps a curve one element.
void DeviceWorldPainter::lines(std::span<const QLineF> segments, const QColor& colour) {
  usePen(colour);
  if (raster_) {
    for (const QLineF& segment : segments) painter_.drawLine(segment);
    return;
  }
  QPainterPath path;
  for (const QLineF& segment : segments) {
    path.moveTo(segment.p1());
    path.lineTo(segment.p2());
  }
  painter_.drawPath(path);
}

void DeviceWorldPainter::polyline(std::span<const QPointF> points, const QColor& colour,
                                  const QList<qreal>& dashes) {
  QPen pen = pen_;
  pen.setColor(colour);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::FlatCap);
  if (!dashes.isEmpty()) pen.setDashPattern(dashes);
  painter_.setPen(pen);
  painter_.drawPolyline(points.data(), int(points.size()));
}

void DeviceWorldPainter::fillRect(QPointF corner, QPointF opposite, const QColor& colour) {
  painter_.fillRect(QRectF(corner, opposite).normalized(), colour);
}

void DeviceWorldPainter::outlineRect(QPointF corner, QPointF opposite, const QColor& colour) {
  usePen(colour);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(corner, opposite).normalized());
}

void DeviceWorldPainter::drawText(const PlacedText& placed, const WorldText& text,
                                  const QColor& colour) {
  usePen(colour);
  painter_.setWorldTransform(
      QTransform().translate(placed.origin.x(), placed.origin.y()).rotate(placed.angle));
  painter_.setFont(text.font);
  painter_.drawText(QPointF(), text.text);
  if (!text.superscript.isEmpty()) {
    painter_.setFont(text.superscriptFont);
    painter_.drawText(QPointF(placed.superscriptAdvance, -placed.superscriptRise),
                      text.superscript);
  }
  painter_.setWorldTransform(toPicture_);
}
