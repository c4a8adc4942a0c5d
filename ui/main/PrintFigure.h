#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

#include "GraphExport.h"
#include "xscatter/CrossSections.h"
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
  QString subtitle = {};  // a smaller line under the title, where there is one
};

// Where the plot of a painted figure lies on its page, for a window that points into it.
class Plot {
 public:
  Plot(QRectF area, Axis x) : area_(area), x_(std::move(x)) {}

  const QRectF& area() const { return area_; }
  // A value of the x axis as a horizontal position on the page, and back.
  qreal pageX(double value) const;
  double xAt(qreal pageX) const;

 private:
  QRectF area_;
  Axis x_;
};

// The page every figure is drawn on: 6 by 4.5 inches, white; 300 dots per inch as an image.
graph_export::Sheet Sheet();

// Draws the figure on the page. A point that its axes cannot show (0 or below on a logarithmic
// axis) is left out and the line goes on from the point before; whatever lies beyond the axes'
// ranges is cut off at the frame. The legend stands in one row between the title and the plot.
Plot Paint(WorldPainter& painter, const Figure& figure);

// F(x) and S(x) of a table's rows 2 to 45 against x, on logarithmic axes over the decades the
// values reach within 10⁻³ to 10³, the screen's graph's range.
Figure ScatteringFunctions(const QString& name, const xscatter::ScatteringTable& table);

// Coherent and incoherent dσ/dΩ per unit of the curve's table against the scattering angle, 0 to
// 180°, at one photon energy (keV), on a logarithmic axis at most four decades deep: below
// that lie only the first degrees of the incoherent curve, which falls to 0 at 0°.
Figure CrossSectionsAtEnergy(const QString& title, const QString& per,
                             const xscatter::ScatteringCurve& curve, double energy);

}  // namespace print_figure
