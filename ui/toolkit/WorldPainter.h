#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>
#include <span>

// Where a world lies on a picture: the picture's size in pixels, the world coordinates of its
// top left and bottom right corners, and the colour that clears it.
struct WorldFrame {
  QSize size;
  QRectF world;
  QColor background;

  QTransform toPicture() const;
};

// An image for a frame's picture at a pixel ratio, filled with the background. Its point sizes
// come out as large as on a screen of `dpi` logical dots per inch.
QImage BlankPicture(const WorldFrame& frame, qreal ratio, int dpi);

// One line of text in one font, with an optional superscript after it (an exponent) in a font
// of its own, the tops of both aligned.
struct WorldText {
  QString text;
  QFont font;
  QString superscript = {};
  QFont superscriptFont = {};
};

// Draws in world units onto a picture whose logical size is the frame's. Line widths are in
// picture pixels whatever the scale; glyphs keep their point size, only a text's anchor is a
// world point. One drawing routine serves the screen, images, SVG and PDF alike.
class WorldPainter {
 public:
  virtual ~WorldPainter() = default;
  WorldPainter(const WorldPainter&) = delete;
  WorldPainter& operator=(const WorldPainter&) = delete;

  virtual void clear() = 0;
  virtual void setLineWidth(qreal pixels) = 0;
  // Smooth edges for what is drawn from now on; off at first, as the screen's graph keeps the
  // sharp pixels it was designed with. Vector output is left to its reader.
  virtual void setAntialiased(bool on) = 0;
  // A dot as wide as the pen.
  virtual void point(QPointF at, const QColor& colour) = 0;
  // Each segment gets its own caps, as if drawn on its own.
  virtual void lines(std::span<const QLineF> segments, const QColor& colour) = 0;
  // One connected line with round joints. `dashes` alternates the lengths of dashes and gaps in
  // line widths; none draws a solid line.
  virtual void polyline(std::span<const QPointF> points, const QColor& colour,
                        const QList<qreal>& dashes) = 0;
  virtual void fillRect(QPointF corner, QPointF opposite, const QColor& colour) = 0;
  virtual void outlineRect(QPointF corner, QPointF opposite, const QColor& colour) = 0;

  // Puts the point of the text's box that `alignment` names (left, centre or right; top, centre
  // or bottom) at `anchor`. Upwards, the text is turned a quarter left to read from bottom to
  // top, and the alignment holds in its own turned box.
  void text(QPointF anchor, const WorldText& text, const QColor& colour,
            Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, bool upwards = false);
  // The text's box, unturned, in world units.
  QSizeF textSize(const WorldText& text) const;

 protected:
  // Where a text goes on the picture, in picture pixels: the start of its baseline, and the
  // point of the baseline that the horizontal alignment puts at the anchor (start, middle or
  // end), so that a reader with other fonts can keep the alignment; its turn in degrees
  // clockwise; the superscript's start along and above the baseline.
  struct PlacedText {
    QPointF origin;
    QPointF aligned;
    Qt::Alignment horizontal;
    qreal angle;
    qreal superscriptAdvance;
    qreal superscriptRise;
  };

  // The device's resolution gives the texts' measures.
  WorldPainter(const WorldFrame& frame, const QPaintDevice& measures);

  virtual void drawText(const PlacedText& placed, const WorldText& text, const QColor& colour) = 0;

  const WorldFrame& frame_;
  const QTransform toPicture_;

 private:
  QSizeF pictureSize(const WorldText& text) const;

  const QPaintDevice& measures_;
};

// A WorldPainter onto a paint device: the canvas's picture, an image at another pixel ratio or
// a PDF page.
class DeviceWorldPainter final : public WorldPainter {
 public:
  DeviceWorldPainter(QPaintDevice& device, const WorldFrame& frame);

  void clear() override;
  void setLineWidth(qreal pixels) override;
  void setAntialiased(bool on) override;
  void point(QPointF at, const QColor& colour) override;
  void lines(std::span<const QLineF> segments, const QColor& colour) override;
  void polyline(std::span<const QPointF> points, const QColor& colour,
                const QList<qreal>& dashes) override;
  void fillRect(QPointF corner, QPointF opposite, const QColor& colour) override;
  void outlineRect(QPointF corner, QPointF opposite, const QColor& colour) override;

 private:
  void drawText(const PlacedText& placed, const WorldText& text, const QColor& colour) override;
  void usePen(const QColor& colour);

  QPainter painter_;
  const bool raster_;
  QPen pen_;
};
