#pragma once

#include <QFont>
#include <QRectF>

#include "xscatter/ScatteringTable.h"

class WorldCanvas;
class WorldPainter;

// The log-log graph of F(x) and S(x) that the main window draws after every load: a decade grid,
// both curves, masks over what falls outside the frame, decade labels, axis title and legend.
// Both axes are GraphCoordinate, ln(1000 v).
class ScatteringGraph {
 public:
  // The plotting window is the open square 0 < u < 13.8, 0 < v < 13.8.
  static constexpr float kPlotEdge = 13.8f;

  // The world coordinates of the drawing area: X -2.0 to 14.5, Y 14.5 at the top to -1.5.
  static QRectF World() { return QRectF(QPointF(-2.0, 14.5), QPointF(14.5, -1.5)); }

  ScatteringGraph();

  // Replaces the whole picture; reads rows 2 to 45 only.
  void draw(WorldCanvas& canvas, const xscatter::ScatteringTable& table) const;

  // The same graph onto any painter in the graph's world, the screen's picture or an export.
  void paint(WorldPainter& painter, const xscatter::ScatteringTable& table) const;

 private:
  static void drawGrid(WorldPainter& painter);
  static void drawCurve(WorldPainter& painter, const xscatter::ScatteringTable& table,
                        const std::array<double, xscatter::kTableSlots>& values,
                        const QColor& colour);
  static void drawMasksAndFrame(WorldPainter& painter);
  void drawDecadeLabel(WorldPainter& painter, QPointF at, const QString& exponent) const;
  void drawTexts(WorldPainter& painter) const;

  QFont decadeFont_;
  QFont exponentFont_;
  QFont titleFont_;
};
