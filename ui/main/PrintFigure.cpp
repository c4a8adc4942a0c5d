#include "PrintFigure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "Look.h"
#include "WorldPainter.h"

namespace print_figure {
namespace {

// The page is laid out in pixels of 1/96 inch.
constexpr int kDpi = 96;
constexpr qreal kImageDpi = 300;
constexpr QSize kPage(576, 432);

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrid(217, 217, 217);

constexpr qreal kMargin = 12;
constexpr qreal kGap = 6;  // between a label and what it labels
constexpr qreal kMajorTick = 5;
constexpr qreal kMinorTick = 2.5;
constexpr qreal kCurveWidth = 1.5;
constexpr qreal kFrameWidth = 1;
constexpr qreal kThinWidth = 0.75;
constexpr qreal kLegendSample = 28;
constexpr qreal kLegendSpacing = 40;  // room for a reader whose fonts run wider
constexpr int kLinearSteps = 10;      // a linear axis gets about this many steps at most
constexpr double kLowestValue = 1e-3;
constexpr double kHighestValue = 1e3;
constexpr int kScreenDecades = 6;
constexpr int kCrossSectionDecades = 4;
constexpr double kLastAngle = 180;
constexpr int kAngleSteps = 720;    // quarter degrees
constexpr double kHeadroom = 0.05;  // in decades: a curve at its axis's top would hide in the frame
constexpr double kSlack = 1e-9;     // relative, for ticks that fall on an axis's ends

struct Fonts {
  QFont title = look::SerifFont(14);
  QFont axisTitle = look::SerifFont(12);
  QFont tickLabel = look::SerifFont(11);
  QFont exponent = look::SerifFont(8);
  QFont legend = look::SerifFont(11);
  QFont source = look::SerifFont(8);
};

// Printed mathematics writes a minus sign, not a hyphen.
QString WithMinusSigns(QString text) {
  return text.replace(QLatin1Char('-'), QChar(0x2212));
}

struct Tick {
  double value;
  bool major;
  WorldText label;  // empty for a minor tick
};

// 1, 2 or 5 times a power of ten, the least at or above `least`.
double RoundStep(double least) {
  const double power = std::pow(10.0, std::floor(std::log10(least)));
  for (double multiple : {1.0, 2.0, 5.0}) {
    if (multiple * power >= least * (1 - kSlack)) return multiple * power;
  }
  return 10 * power;
}

// A logarithmic axis: every decade labelled as a power of ten, minor ticks at 2 to 9 times
// each. A linear axis: round steps, each labelled.
std::vector<Tick> Ticks(const Axis& axis, const Fonts& fonts) {
  const double low = std::min(axis.from, axis.to), high = std::max(axis.from, axis.to);
  const auto within = [&](double value) {
    return value >= low * (1 - kSlack) && value <= high * (1 + kSlack);
  };
  std::vector<Tick> ticks;
  if (axis.logarithmic) {
    const int last = int(std::ceil(std::log10(high)));
    for (int decade = int(std::floor(std::log10(low))); decade <= last; ++decade) {
      for (int multiple = 1; multiple <= 9; ++multiple) {
        const double value = multiple * std::pow(10.0, decade);
        if (!within(value)) continue;
        const bool major = multiple == 1;
        ticks.push_back({value, major,
                         major ? WorldText{QStringLiteral("10"), fonts.tickLabel,
                                           WithMinusSigns(QString::number(decade)), fonts.exponent}
                               : WorldText{}});
      }
    }
    return ticks;
  }
  const double step = RoundStep((high - low) / kLinearSteps);
  for (double k = std::ceil(low / step - kSlack); k * step <= high + step * kSlack; ++k) {
    const double value = k * step + 0.0;  // no "-0"
    ticks.push_back(
        {value, true, {WithMinusSigns(QString::number(value, 'g', 6)), fonts.tickLabel}});
  }
  return ticks;
}

// An axis laid along a stretch of the page.
class Scale {
 public:
  Scale(const Axis& axis, qreal pageFrom, qreal pageTo)
      : axis_(axis), pageFrom_(pageFrom), pageTo_(pageTo) {}

  std::optional<qreal> operator()(double value) const {
    if (axis_.logarithmic && !(value > 0)) return std::nullopt;
    const double along = (reach(value) - reach(axis_.from)) / (reach(axis_.to) - reach(axis_.from));
    return pageFrom_ + along * (pageTo_ - pageFrom_);
  }

  double valueAt(qreal page) const {
    const double along = (page - pageFrom_) / (pageTo_ - pageFrom_);
    const double reached = reach(axis_.from) + along * (reach(axis_.to) - reach(axis_.from));
    return axis_.logarithmic ? std::pow(10.0, reached) : reached;
  }

 private:
  double reach(double value) const { return axis_.logarithmic ? std::log10(value) : value; }

  const Axis& axis_;
  qreal pageFrom_;
  qreal pageTo_;
};

// The part of a segment inside a box (Liang and Barsky), none if it misses the box.
std::optional<QLineF> Clip(const QLineF& line, const QRectF& box) {
  const double dx = line.dx(), dy = line.dy();
  const std::array<std::pair<double, double>, 4> sides{{{-dx, line.x1() - box.left()},
                                                        {dx, box.right() - line.x1()},
                                                        {-dy, line.y1() - box.top()},
                                                        {dy, box.bottom() - line.y1()}}};
  double enter = 0, leave = 1;
  for (const auto& [toward, room] : sides) {
    if (toward == 0) {
      if (room < 0) return std::nullopt;
      continue;
    }
    const double t = room / toward;
    if (toward < 0) enter = std::max(enter, t);
    if (toward > 0) leave = std::min(leave, t);
    if (enter > leave) return std::nullopt;
  }
  return QLineF(line.pointAt(enter), line.pointAt(leave));
}

using Polyline = std::vector<QPointF>;

// The runs of a curve that lie inside the plot, in page coordinates.
std::vector<Polyline> VisibleRuns(const Curve& curve, const Scale& x, const Scale& y,
                                  const QRectF& plot) {
  std::vector<Polyline> runs;
  std::optional<QPointF> last;
  for (const QPointF& point : curve.points) {
    const auto u = x(point.x()), v = y(point.y());
    if (!u || !v) continue;
    const QPointF at(*u, *v);
    const auto inside = last ? Clip(QLineF(*last, at), plot) : std::nullopt;
    last = at;
    if (!inside || inside->p1() == inside->p2()) continue;
    if (runs.empty() || runs.back().back() != inside->p1()) runs.push_back({inside->p1()});
    runs.back().push_back(inside->p2());
  }
  return runs;
}

// One row above the plot, centred over it: a sample of each curve's line and its label. Inside
// the plot a legend would hide some curve whichever corner it took.
void DrawLegend(WorldPainter& painter, const Figure& figure, const QRectF& plot, qreal top,
                const Fonts& fonts) {
  qreal width = -kLegendSpacing;
  for (const Curve& curve : figure.curves) {
    width += kLegendSample + kGap + painter.textSize({curve.label, fonts.legend}).width() +
             kLegendSpacing;
  }
  const qreal middle = top + painter.textSize({QString(), fonts.legend}).height() / 2;
  qreal left = plot.center().x() - width / 2;
  painter.setLineWidth(kCurveWidth);
  for (const Curve& curve : figure.curves) {
    const std::array<QPointF, 2> sample{QPointF(left, middle),
                                        QPointF(left + kLegendSample, middle)};
    painter.polyline(sample, curve.pen.colour, curve.pen.dashes);
    const WorldText label{curve.label, fonts.legend};
    painter.text({left + kLegendSample + kGap, middle}, label, kBlack,
                 Qt::AlignLeft | Qt::AlignVCenter);
    left += kLegendSample + kGap + painter.textSize(label).width() + kLegendSpacing;
  }
}

// Ticks point inwards from all four sides of the frame; the decades or steps get light grid
// lines across the plot.
void DrawAxes(WorldPainter& painter, const QRectF& plot, const std::vector<Tick>& xTicks,
              const Scale& x, const std::vector<Tick>& yTicks, const Scale& y) {
  std::vector<QLineF> grid, ticks;
  for (const Tick& tick : xTicks) {
    const qreal u = *x(tick.value), length = tick.major ? kMajorTick : kMinorTick;
    if (tick.major) grid.emplace_back(u, plot.top(), u, plot.bottom());
    ticks.emplace_back(u, plot.bottom(), u, plot.bottom() - length);
    ticks.emplace_back(u, plot.top(), u, plot.top() + length);
  }
  for (const Tick& tick : yTicks) {
    const qreal v = *y(tick.value), length = tick.major ? kMajorTick : kMinorTick;
    if (tick.major) grid.emplace_back(plot.left(), v, plot.right(), v);
    ticks.emplace_back(plot.left(), v, plot.left() + length, v);
    ticks.emplace_back(plot.right(), v, plot.right() - length, v);
  }
  painter.setLineWidth(kThinWidth);
  painter.lines(grid, kGrid);
  painter.lines(ticks, kBlack);
  for (const Tick& tick : xTicks) {
    if (!tick.major) continue;
    painter.text({*x(tick.value), plot.bottom() + kGap}, tick.label, kBlack,
                 Qt::AlignHCenter | Qt::AlignTop);
  }
  for (const Tick& tick : yTicks) {
    if (!tick.major) continue;
    painter.text({plot.left() - kGap, *y(tick.value)}, tick.label, kBlack,
                 Qt::AlignRight | Qt::AlignVCenter);
  }
}

}  // namespace

graph_export::Sheet Sheet() {
  return {{kPage, QRectF(QPointF(), QSizeF(kPage)), kWhite}, kDpi, kImageDpi / kDpi};
}

qreal Plot::pageX(double value) const {
  return Scale(x_, area_.left(), area_.right())(value).value_or(area_.left());
}

double Plot::xAt(qreal pageX) const {
  return Scale(x_, area_.left(), area_.right()).valueAt(pageX);
}

// The plot takes what the texts around it leave of the page.
Plot Paint(WorldPainter& painter, const Figure& figure) {
  const Fonts fonts;
  const std::vector<Tick> xTicks = Ticks(figure.x, fonts), yTicks = Ticks(figure.y, fonts);
  const WorldText title{figure.title, fonts.title}, xTitle{figure.x.title, fonts.axisTitle},
      yTitle{figure.y.title, fonts.axisTitle}, source{figure.source, fonts.source},
      subtitle{figure.subtitle, fonts.legend};
  qreal yLabelWidth = 0;
  for (const Tick& tick : yTicks) {
    if (tick.major) yLabelWidth = std::max(yLabelWidth, painter.textSize(tick.label).width());
  }
  const qreal xLabelHeight = painter.textSize({QStringLiteral("10"), fonts.tickLabel}).height();
  const QRectF page{QPointF(), QSizeF(kPage)};
  const qreal subtitleTop = kMargin + painter.textSize(title).height();
  const qreal legendTop =
      subtitleTop + (figure.subtitle.isEmpty() ? 0 : painter.textSize(subtitle).height()) + kGap;
  const QRectF plot(
      QPointF(kMargin + painter.textSize(yTitle).height() + 2 * kGap + yLabelWidth,
              legendTop + painter.textSize({QString(), fonts.legend}).height() + kGap),
      QPointF(page.right() - 2 * kMargin,
              page.bottom() - kMargin - painter.textSize(source).height() -
                  painter.textSize(xTitle).height() - xLabelHeight - 3 * kGap));
  const Scale x(figure.x, plot.left(), plot.right()), y(figure.y, plot.bottom(), plot.top());

  painter.clear();
  painter.setAntialiased(true);
  DrawAxes(painter, plot, xTicks, x, yTicks, y);
  painter.setLineWidth(kCurveWidth);
  for (const Curve& curve : figure.curves) {
    for (const Polyline& run : VisibleRuns(curve, x, y, plot)) {
      painter.polyline(run, curve.pen.colour, curve.pen.dashes);
    }
  }
  painter.setLineWidth(kFrameWidth);
  painter.outlineRect(plot.topLeft(), plot.bottomRight(), kBlack);
  DrawLegend(painter, figure, plot, legendTop, fonts);

  painter.text({plot.center().x(), kMargin}, title, kBlack, Qt::AlignHCenter | Qt::AlignTop);
  if (!figure.subtitle.isEmpty()) {
    painter.text({plot.center().x(), subtitleTop}, subtitle, kBlack,
                 Qt::AlignHCenter | Qt::AlignTop);
  }
  painter.text({plot.center().x(), plot.bottom() + 2 * kGap + xLabelHeight}, xTitle, kBlack,
               Qt::AlignHCenter | Qt::AlignTop);
  painter.text({kMargin, plot.center().y()}, yTitle, kBlack, Qt::AlignHCenter | Qt::AlignTop, true);
  painter.text({page.right() - kMargin, page.bottom() - kMargin}, source, kBlack,
               Qt::AlignRight | Qt::AlignBottom);
  return {plot, figure.x};
}

namespace {

// The whole decades around the positive values taken, within limits.
class Extent {
 public:
  void take(double value) {
    if (!(value > 0) || !std::isfinite(value)) return;
    low_ = std::min(low_, value);
    high_ = std::max(high_, value);
  }
  // Within lowest to highest, and at most `depth` decades deep.
  Axis decades(const QString& title, double lowest, double highest, int depth) const {
    if (high_ == 0) return {title, kLowestValue, kHighestValue, true};
    const double to = std::min(highest, std::pow(10.0, std::ceil(std::log10(high_) + kHeadroom)));
    const double from = std::max(
        {lowest, to / std::pow(10.0, depth), std::pow(10.0, std::floor(std::log10(low_)))});
    return {title, std::min(from, to / 10), to, true};
  }

 private:
  double low_ = std::numeric_limits<double>::infinity();
  double high_ = 0;
};

}  // namespace

Figure ScatteringFunctions(const QString& name, const xscatter::ScatteringTable& table) {
  Curve F{QStringLiteral("F(x), form factor"), {}, kSolidDarkRed};
  Curve S{QStringLiteral("S(x), incoherent scattering function"), {}, kDashedDarkBlue};
  Extent momenta, values;
  for (int row = 2; row <= xscatter::kTableRows; ++row) {
    F.points.emplace_back(table.x[row], table.F[row]);
    S.points.emplace_back(table.x[row], table.S[row]);
    momenta.take(table.x[row]);
    values.take(table.F[row]);
    values.take(table.S[row]);
  }
  // The six decades from 10⁻³ to 10³ that the screen's graph shows: the tables' last rows reach
  // far beyond, where nothing changes.
  return {name,
          momenta.decades(QStringLiteral("x = sin(θ/2)/λ (1/Å)"), kLowestValue, kHighestValue,
                          kScreenDecades),
          values.decades(QStringLiteral("F(x), S(x)"), kLowestValue, kHighestValue, kScreenDecades),
          {F, S},
          kDataSource};
}

Figure CrossSectionsAtEnergy(const QString& title, const QString& per,
                             const xscatter::ScatteringCurve& curve, double energy) {
  std::vector<double> angles(kAngleSteps + 1), coherent(angles.size()), incoherent(angles.size());
  for (std::size_t step = 0; step < angles.size(); ++step) {
    angles[step] = kLastAngle * double(step) / kAngleSteps;
  }
  Curve coherentCurve{QStringLiteral("coherent"), {}, kSolidDarkRed};
  Curve incoherentCurve{QStringLiteral("incoherent"), {}, kDashedDarkBlue};
  Extent values;
  if (xscatter::ScatteringAtAngles(curve, energy, angles,
                                   {.coherent = coherent, .incoherent = incoherent})
          .ok()) {
    for (std::size_t step = 0; step < angles.size(); ++step) {
      coherentCurve.points.emplace_back(angles[step], coherent[step]);
      incoherentCurve.points.emplace_back(angles[step], incoherent[step]);
      values.take(coherent[step]);
      values.take(incoherent[step]);
    }
  }
  return {title,
          {QStringLiteral("Scattering angle θ (°)"), 0, kLastAngle, false},
          values.decades(QStringLiteral("dσ/dΩ (barn/sr)"), 0,
                         std::numeric_limits<double>::infinity(), kCrossSectionDecades),
          {coherentCurve, incoherentCurve},
          kDataSource,
          per};
}

}  // namespace print_figure
