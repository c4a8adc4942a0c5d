#include "GraphExport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "WorldCanvas.h"

namespace graph_export {
namespace {

constexpr int kImageScale = 2;
constexpr double kPointsPerInch = 72;

// A vector page measures the picture in pixels of the canvas's resolution, so that world
// coordinates, pen widths and point sizes all come out as on the screen.
QByteArray Svg(const WorldCanvas& canvas, const Drawing& drawing, const QString& title) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&bytes);
  svg.setSize(canvas.frame().size);
  svg.setViewBox(QRect(QPoint(), canvas.frame().size));
  svg.setResolution(canvas.logicalDpiY());
  svg.setTitle(title);
  {
    WorldPainter painter(svg, canvas.frame());
    drawing(painter);
  }
  return bytes.data();
}

QByteArray Pdf(const WorldCanvas& canvas, const Drawing& drawing, const QString& title) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&bytes);
    const int dpi = canvas.logicalDpiY();
    pdf.setResolution(dpi);
    pdf.setPageSize(QPageSize(QSizeF(canvas.frame().size) * kPointsPerInch / dpi, QPageSize::Point,
                              title, QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    pdf.setTitle(title);
    pdf.setCreator(QCoreApplication::applicationName());
    WorldPainter painter(pdf, canvas.frame());
    drawing(painter);
  }
  return bytes.data();
}

// The image claims twice the screen's resolution, so that it prints as large as it shows.
xscatter::Result<QByteArray> Png(const WorldCanvas& canvas, const Drawing& drawing) {
  QImage image = Image(canvas, drawing);
  image.setDotsPerMeterX(image.dotsPerMeterX() * kImageScale);
  image.setDotsPerMeterY(image.dotsPerMeterY() * kImageScale);
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!image.save(&bytes, "PNG"))
    return xscatter::Status::Failed("the PNG image cannot be encoded");
  return bytes.data();
}

}  // namespace

QImage Image(const WorldCanvas& canvas, const Drawing& drawing) {
  QImage image = canvas.blankPicture(kImageScale);
  {
    WorldPainter painter(image, canvas.frame());
    drawing(painter);
  }
  return image;
}

xscatter::Result<QByteArray> FileContents(const QString& suffix, const WorldCanvas& canvas,
                                          const Drawing& drawing, const QString& title) {
  const QString format = suffix.toLower();
  if (format == QLatin1String("png")) return Png(canvas, drawing);
  if (format == QLatin1String("svg")) return Svg(canvas, drawing, title);
  if (format == QLatin1String("pdf")) return Pdf(canvas, drawing, title);
  return xscatter::Status::Failed("not a .png, .svg or .pdf file");
}

}  // namespace graph_export
