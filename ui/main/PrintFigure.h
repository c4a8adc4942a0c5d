#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

#include "GraphExport.h"
#include "xscatter/ScatteringTable.h"

class WorldPainter;

// Figures fit for a paper: black on white, a title, axes with titles and units, a legend and a
// line naming the data's source, drawn by one routine onto an image, an SVG or a PDF page
// alike. Axes are linear or logarithmic and curves bring their own values and pens, so that
// every graph of the program prints the same way.
namespace print_figure {

inline const QString kDataSource =
    QStringLiteral("Data: Hubbell et al., J. Phys. Chem. Ref. Data 4, 471 (1975)");

// A pen that prints in colour and still stands apart from the other one in grey.
struct Pen {
  QColor colour;
  QList<qreal> dashes;  // dash and gap lengths in line widths; none for a solid line
};
inline const Pen kSolidDarkRed{QColor(160, 0, 0), {}};
inline const Pen kDashedDarkBlue{QColor(0, 0, 160), {6, 3}};

struct Axis {
  QString title;
  double from;
  double to;
  bool logarithmic;
};

struct Curve {
  QString label;                // its entry in the legend
  std::vector<QPointF> points;  // in the axes' values, in drawing order
  Pen pen;
};

struct Figure {
  QString title;
  Axis x;
  Axis y;
  std::vector<Curve> curves;
  QString source;
};

// The page every figure is drawn on: 6 by 4.5 inches, white; 300 dots per inch as an image.
graph_export::Sheet Sheet();

// Draws the figure on the page. A point that its axes cannot show (0 or below on a logarithmic
// axis) is left out and the line goes on from the point before; whatever lies beyond the axes'
// ranges is cut off at the frame. The legend stands in one row between the title and the plot.
void Paint(WorldPainter& painter, const Figure& figure);

// F(x) and S(x) of a table's rows 2 to 45 against x, on logarithmic axes over the decades the
// values reach within 10⁻³ to 10³, the screen's graph's range.
Figure ScatteringFunctions(const QString& name, const xscatter::ScatteringTable& table);

}  // namespace print_figure
