#include "ScatteringGraph.h"

#include <array>
#include <cmath>
#include <optional>

#include "Look.h"
#include "WorldCanvas.h"
#include "xscatter/Interpolation.h"

namespace {

const QColor kGrid(128, 128, 128);
const QColor kFCurve(255, 0, 0);
const QColor kSCurve(255, 255, 0);
const QColor kMask(0, 0, 128);
const QColor kWhite(255, 255, 255);

constexpr int kDecades = 6;
constexpr int kStepsPerDecade = 10;

// Coordinates are worked out in double precision and reach the picture in single precision.
QPointF WorldPoint(double x, double y) {
  return QPointF(float(x), float(y));
}

constexpr int kGridValues = kDecades * kStepsPerDecade;

// Across the plot at 1, 2, ... 10 times each decade from 0.001 on, first the horizontal lines,
// then the vertical ones.
std::array<QLineF, 2 * kGridValues> GridLines() {
  std::array<QLineF, 2 * kGridValues> lines;
  for (int decade = 0; decade < kDecades; ++decade) {
    for (int step = 1; step <= kStepsPerDecade; ++step) {
      const double g = std::log(step) + decade * std::log(10.0);
      const int at = decade * kStepsPerDecade + step - 1;
      lines[at] = QLineF(WorldPoint(0, g), WorldPoint(ScatteringGraph::kPlotEdge, g));
      lines[kGridValues + at] = QLineF(WorldPoint(g, 0), WorldPoint(g, ScatteringGraph::kPlotEdge));
    }
  }
  return lines;
}

struct DecadeLabel {
  const char* exponent;
  QPointF xAxis;
  QPointF yAxis;
};

constexpr std::array<DecadeLabel, 7> kDecadeLabels{{
    {"-3", {-0.4, -0.1}, {-1.0, 0.4}},
    {"-2", {1.9, -0.1}, {-1.0, 2.6}},
    {"-1", {4.2, -0.1}, {-1.0, 4.9}},
    {"0", {6.5, -0.1}, {-1.0, 7.2}},
    {"1", {8.8, -0.1}, {-1.0, 9.5}},
    {"2", {11.1, -0.1}, {-1.0, 11.8}},
    {"3", {13.2, -0.1}, {-1.0, 14.1}},
}};

}  // namespace

ScatteringGraph::ScatteringGraph()
    : decadeFont_(look::SerifFont(16)),
      exponentFont_(look::SerifFont(11)),
      titleFont_(look::SerifFont(18)) {}

void ScatteringGraph::draw(WorldCanvas& canvas, const xscatter::ScatteringTable& table) const {
  canvas.draw([&](WorldPainter& painter) { paint(painter, table); });
}

void ScatteringGraph::paint(WorldPainter& painter, const xscatter::ScatteringTable& table) const {
  painter.clear();
  painter.setLineWidth(1);
  drawGrid(painter);
  painter.setLineWidth(2);
  drawCurve(painter, table, table.F, kFCurve);
  drawCurve(painter, table, table.S, kSCurve);
  drawMasksAndFrame(painter);
  drawTexts(painter);
}

void ScatteringGraph::drawGrid(WorldPainter& painter) {
  static const auto lines = GridLines();
  painter.lines(lines, kGrid);
}

// One polyline through rows 2 to 45 in row order. A row without a logarithm is left out and the
// line goes on from the last row that could be placed.
void ScatteringGraph::drawCurve(WorldPainter& painter, const xscatter::ScatteringTable& table,
                                const std::array<double, xscatter::kTableSlots>& values,
                                const QColor& colour) {
  std::array<QLineF, xscatter::kTableRows> segments;
  std::size_t count = 0;
  std::optional<QPointF> last;
  for (int row = 2; row <= xscatter::kTableRows; ++row) {
    const auto u = xscatter::GraphCoordinate(table.x[row]);
    const auto v = xscatter::GraphCoordinate(values[row]);
    if (!u || !v) continue;
    const QPointF point = WorldPoint(*u, *v);
    if (last) {
      segments[count++] = QLineF(*last, point);
    } else {
      painter.point(point, colour);
    }
    last = point;
  }
  painter.lines(std::span(segments.data(), count), colour);
}

// The masks hide whatever lies below 0.001 or right of about 984.6 instead of clipping it.
void ScatteringGraph::drawMasksAndFrame(WorldPainter& painter) {
  painter.fillRect(WorldPoint(-1, 0), WorldPoint(16, -2), kMask);
  painter.fillRect(WorldPoint(kPlotEdge, -2), WorldPoint(16, 14), kMask);
  painter.outlineRect(WorldPoint(0, 0), WorldPoint(kPlotEdge, kPlotEdge), kWhite);
}

void ScatteringGraph::drawDecadeLabel(WorldPainter& painter, QPointF at,
                                      const QString& exponent) const {
  painter.text(at, {QStringLiteral("10"), decadeFont_, exponent, exponentFont_}, kWhite);
}

void ScatteringGraph::drawTexts(WorldPainter& painter) const {
  for (const DecadeLabel& label : kDecadeLabels) {
    drawDecadeLabel(painter, label.xAxis, QString::fromLatin1(label.exponent));
  }
  painter.text(WorldPoint(6.0, -0.8), {QStringLiteral("Momentum transfer,  x"), titleFont_},
               kWhite);
  for (const DecadeLabel& label : kDecadeLabels) {
    drawDecadeLabel(painter, label.yAxis, QString::fromLatin1(label.exponent));
  }
  painter.text(WorldPoint(-1.8, 13.3), {QStringLiteral("Fm(x)"), titleFont_}, kFCurve);
  painter.text(WorldPoint(-1.8, 12.6), {QStringLiteral("Sm(x)"), titleFont_}, kSCurve);
}
