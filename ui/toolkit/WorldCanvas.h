#pragma once

#include <QFrame>
#include <QImage>
#include <QTransform>
#include <functional>
#include <vector>

#include "WorldPainter.h"

class WorldCanvas;

// A line floating above a canvas's picture: vertical at a world X or horizontal at a world Y,
// across a fixed stretch of the other coordinate. Moving it repaints only the strips it leaves
// and enters, never the picture underneath.
class MarkerLine : public QObject {
  Q_OBJECT
 public:
  float position() const { return position_; }
  bool isShown() const { return shown_; }
  void setPosition(float world);
  void setShown(bool shown);
  // The stretch of the other coordinate it reaches across.
  void setSpan(float from, float to);

  // Where the line lies on the canvas, in widget pixels.
  QRect area() const;

 private:
  friend class WorldCanvas;
  MarkerLine(WorldCanvas& canvas, Qt::Orientation orientation, QColor colour, float from, float to);

  WorldCanvas& canvas_;
  Qt::Orientation orientation_;
  QColor colour_;
  float from_;
  float to_;
  float position_ = 0;
  bool shown_ = false;
};

// A framed drawing area with its own world coordinates. Its picture is drawn once into an image
// (at the screen's pixel ratio) that repaints merely show; marker lines move above it cheaply,
// and pointer movements are reported in world coordinates.
class WorldCanvas : public QFrame {
  Q_OBJECT
 public:
  // inside: the drawable size in pixels within a 2-pixel sunken border; world: the world
  // coordinates of the inside's top left and bottom right corners.
  WorldCanvas(QSize inside, QRectF world, QColor background, QWidget* parent = nullptr);

  // Runs one drawing session on the picture and shows the result.
  void draw(const std::function<void(WorldPainter&)>& drawing);

  // The picture's frame, for drawing the same picture onto another device.
  const WorldFrame& frame() const { return frame_; }

  // A new marker, hidden until shown; the canvas owns it.
  MarkerLine* addMarker(Qt::Orientation orientation, const QColor& colour, float from, float to);

  QPointF toWidget(QPointF world) const;
  QPointF toWorld(QPointF widgetPoint) const;

 signals:
  // Every pointer movement over the canvas, with or without a pressed button.
  void pointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  friend class MarkerLine;

  void showPicture(QPainter& painter, const QRect& target) const;

  // The picture takes memory only from the first drawing session on; until then the canvas
  // shows its background.
  QImage picture_;
  WorldFrame frame_;
  QTransform toInside_;    // world to pixels of the drawable inside
  QTransform fromInside_;  // its inverse
  std::vector<MarkerLine*> markers_;
};
