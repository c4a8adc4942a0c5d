#pragma once

#include <QByteArray>
#include <QImage>
#include <QXmlStreamWriter>

#include "WorldPainter.h"

// A WorldPainter that writes an SVG document itself, so that the drawing survives another
// machine: every text is one text element whatever its scripts, its font family names a
// generic family after the chosen ones, and a superscript is a tspan raised above the
// baseline, so that it keeps its place with any font. Coordinates are picture pixels.
class SvgWorldPainter final : public WorldPainter {
 public:
  // `dpi`: the logical dots per inch that the frame's pixels and the fonts' point sizes assume.
  SvgWorldPainter(const WorldFrame& frame, int dpi, const QString& title);

  // The whole document; nothing can be drawn after.
  QByteArray finish();

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
  void rect(const QRectF& area, const QColor& fill);
  void stroke(const QColor& colour, const char* cap, const char* join);
  void start(const char* element, bool empty = false);
  // The attributes of a font; those of the family are left out where they are the same as in
  // the text around.
  void font(const QFont& font, const QFont* around = nullptr);

  QImage measures_;  // a device of the document's resolution, for the texts' measures
  const int dpi_;
  QByteArray document_;
  QXmlStreamWriter xml_;
  qreal lineWidth_ = 1;
};
