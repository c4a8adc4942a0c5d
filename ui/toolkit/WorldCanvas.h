#pragma once

#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <functional>
#include <span>
#include <vector>

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

// Where a world lies on a picture: the picture's size in pixels, the world coordinates of its
// top left and bottom right corners, and the colour that clears it.
struct WorldFrame {
  QSize size;
  QRectF world;
  QColor background;

  QTransform toPicture() const;
};

// Draws in world units onto any paint device whose logical size is the frame's: the canvas's
// picture, an image at another pixel ratio, an SVG or a PDF page. Line widths are in picture
// pixels whatever the scale, and texts are placed by the top left corner of their first line.
class WorldPainter {
 public:
  WorldPainter(QPaintDevice& device, const WorldFrame& frame);

  void clear();
  void setLineWidth(int pixels);
  // A dot as wide as the pen.
  void point(QPointF at, const QColor& colour);
  // Each segment gets its own caps, as if drawn on its own.
  void lines(std::span<const QLineF> segments, const QColor& colour);
  void fillRect(QPointF corner, QPointF opposite, const QColor& colour);
  void outlineRect(QPointF corner, QPointF opposite, const QColor& colour);
  // Returns the world point where the text's top line ends, so that a superscript can follow.
  QPointF text(QPointF topLeft, const QString& text, const QFont& font, const QColor& colour);

 private:
  void usePen(const QColor& colour);

  const WorldFrame& frame_;
  const QTransform toPicture_;
  const QTransform fromPicture_;
  QPainter painter_;
  const bool raster_;
  QPen pen_;
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

  // An image for the picture at a pixel ratio, filled with the background, whose texts come
  // out as large as on the canvas.
  QImage blankPicture(qreal ratio) const;

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
