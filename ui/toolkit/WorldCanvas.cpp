#include "WorldCanvas.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kBorder = 2;
constexpr double kMetresPerInch = 0.0254;

}  // namespace

MarkerLine::MarkerLine(WorldCanvas& canvas, Qt::Orientation orientation, QColor colour, float from,
                       float to)
    : QObject(&canvas),
      canvas_(canvas),
      orientation_(orientation),
      colour_(colour),
      from_(from),
      to_(to) {}

void MarkerLine::setPosition(float world) {
  if (world == position_) return;
  if (shown_) canvas_.update(area());
  position_ = world;
  if (shown_) canvas_.update(area());
}

void MarkerLine::setShown(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  canvas_.update(area());
}

QRect MarkerLine::area() const {
  const auto at = [this](float along) {
    return canvas_.toWidget(orientation_ == Qt::Vertical ? QPointF(position_, along)
                                                         : QPointF(along, position_));
  };
  const QPointF a = at(from_);
  const QPointF b = at(to_);
  return QRect(QPoint(qFloor(std::min(a.x(), b.x())), qFloor(std::min(a.y(), b.y()))),
               QPoint(qFloor(std::max(a.x(), b.x())), qFloor(std::max(a.y(), b.y()))));
}

QTransform WorldFrame::toPicture() const {
  const double sx = size.width() / world.width();
  const double sy = size.height() / world.height();
  return QTransform(sx, 0, 0, sy, -world.left() * sx, -world.top() * sy);
}

WorldPainter::WorldPainter(QPaintDevice& device, const WorldFrame& frame)
    : frame_(frame),
      toPicture_(frame.toPicture()),
      fromPicture_(toPicture_.inverted()),
      painter_(&device),
      raster_(painter_.paintEngine()->type() == QPaintEngine::Raster) {
  painter_.setWorldTransform(toPicture_);
  pen_.setCosmetic(raster_);
  setLineWidth(1);
}

// The background reaches a pixel beyond the picture, so that a page rounded up to whole points
// (PDF) or pixels (some SVG readers) shows no bare edge.
void WorldPainter::clear() {
  painter_.setWorldTransform(QTransform());
  painter_.fillRect(QRectF(QPointF(), QSizeF(frame_.size + QSize(1, 1))), frame_.background);
  painter_.setWorldTransform(toPicture_);
}

// A raster picture gets a cosmetic pen, which counts device pixels, so a high-density picture
// needs more of them. Vector output gets a pen in world units instead, because not every SVG
// reader keeps a stroke from scaling with its transform.
void WorldPainter::setLineWidth(int pixels) {
  pen_.setWidthF(raster_ ? pixels * painter_.device()->devicePixelRatioF()
                         : pixels / std::sqrt(std::abs(toPicture_.determinant())));
}

void WorldPainter::usePen(const QColor& colour) {
  pen_.setColor(colour);
  painter_.setPen(pen_);
}

void WorldPainter::point(QPointF at, const QColor& colour) {
  usePen(colour);
  painter_.drawPoint(at);
}

// A raster picture gets the segments one at a time: the raster engine strokes a batch of thick
// lines as one polygon, which takes several times as long. Vector output gets them as one path,
// which keeps a curve one element.
void WorldPainter::lines(std::span<const QLineF> segments, const QColor& colour) {
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

void WorldPainter::fillRect(QPointF corner, QPointF opposite, const QColor& colour) {
  painter_.fillRect(QRectF(corner, opposite).normalized(), colour);
}

void WorldPainter::outlineRect(QPointF corner, QPointF opposite, const QColor& colour) {
  usePen(colour);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(corner, opposite).normalized());
}

QPointF WorldPainter::text(QPointF topLeft, const QString& text, const QFont& font,
                           const QColor& colour) {
  // Glyphs keep their point size: only the anchor is a world point.
  const QPointF anchor = toPicture_.map(topLeft);
  painter_.setWorldTransform(QTransform());
  painter_.setFont(font);
  usePen(colour);
  const QFontMetricsF metrics = painter_.fontMetrics();
  painter_.drawText(QPointF(anchor.x(), anchor.y() + metrics.ascent()), text);
  painter_.setWorldTransform(toPicture_);
  return fromPicture_.map(QPointF(anchor.x() + metrics.horizontalAdvance(text), anchor.y()));
}

WorldCanvas::WorldCanvas(QSize inside, QRectF world, QColor background, QWidget* parent)
    : QFrame(parent), frame_{inside, world, background} {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setFixedSize(inside + QSize(2 * kBorder, 2 * kBorder));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);

  toInside_ = frame_.toPicture();
  fromInside_ = toInside_.inverted();
}

QImage WorldCanvas::blankPicture(qreal ratio) const {
  QImage picture(frame_.size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  // Point sizes in the picture come out as large as in the rest of the window.
  picture.setDotsPerMeterX(qRound(logicalDpiX() / kMetresPerInch));
  picture.setDotsPerMeterY(qRound(logicalDpiY() / kMetresPerInch));
  picture.fill(frame_.background);
  return picture;
}

void WorldCanvas::draw(const std::function<void(WorldPainter&)>& drawing) {
  if (picture_.isNull()) picture_ = blankPicture(devicePixelRatioF());
  {
    WorldPainter painter(picture_, frame_);
    drawing(painter);
  }
  update(contentsRect());
}

MarkerLine* WorldCanvas::addMarker(Qt::Orientation orientation, const QColor& colour, float from,
                                   float to) {
  markers_.push_back(new MarkerLine(*this, orientation, colour, from, to));
  return markers_.back();
}

QPointF WorldCanvas::toWidget(QPointF world) const {
  return toInside_.map(world) + contentsRect().topLeft();
}

QPointF WorldCanvas::toWorld(QPointF widgetPoint) const {
  return fromInside_.map(widgetPoint - contentsRect().topLeft());
}

void WorldCanvas::showPicture(QPainter& painter, const QRect& target) const {
  if (picture_.isNull()) {
    painter.fillRect(target, frame_.background);
    return;
  }
  const qreal ratio = picture_.devicePixelRatio();
  const QRectF inside(target.translated(-contentsRect().topLeft()));
  painter.drawImage(target, picture_, QRectF(inside.topLeft() * ratio, inside.size() * ratio));
}

void WorldCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // Each exposed rectangle is painted on its own under a clip of just that rectangle, so that the
  // raster engine can blit the picture and fill the markers as plain copies and fills instead of
  // going span by span through a clip of several rectangles.
  std::vector<std::pair<QRect, QColor>> shown;
  for (const MarkerLine* marker : markers_) {
    if (marker->shown_) shown.emplace_back(marker->area(), marker->colour_);
  }
  const QRegion visible = event->region() & contentsRect();
  for (const QRect& target : visible) {
    painter.setClipRect(target);
    showPicture(painter, target);
    for (const auto& [area, colour] : shown) {
      if (const QRect part = area & target; !part.isEmpty()) painter.fillRect(part, colour);
    }
  }
  painter.setClipping(false);
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
}

void WorldCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF world = toWorld(event->position());
  emit pointerMoved(event->buttons(), event->modifiers(), float(world.x()), float(world.y()));
  QFrame::mouseMoveEvent(event);
}
