#include "WorldCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kBorder = 2;

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

void MarkerLine::setSpan(float from, float to) {
  if (shown_) canvas_.update(area());
  from_ = from;
  to_ = to;
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

void WorldCanvas::draw(const std::function<void(WorldPainter&)>& drawing) {
  // Point sizes in the picture come out as large as in the rest of the window.
  if (picture_.isNull()) picture_ = BlankPicture(frame_, devicePixelRatioF(), logicalDpiY());
  {
    DeviceWorldPainter painter(picture_, frame_);
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
