#include "GraphExport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>

#include "SvgWorldPainter.h"
#include "WorldCanvas.h"

namespace graph_export {
namespace {

constexpr qreal kCanvasImageScale = 2;
constexpr double kPointsPerInch = 72;

QByteArray Svg(const Sheet& sheet, const Drawing& drawing, const QString& title) {
  SvgWorldPainter painter(sheet.frame, sheet.dpi, title);
  drawing(painter);
  return painter.finish();
}

// The page measures the picture in pixels of the sheet's resolution, so that world coordinates,
// pen widths and point sizes all come out as in the image.
QByteArray Pdf(const Sheet& sheet, const Drawing& drawing, const QString& title) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&bytes);
    pdf.setResolution(sheet.dpi);
    pdf.setPageSize(QPageSize(QSizeF(sheet.frame.size) * kPointsPerInch / sheet.dpi,
                              QPageSize::Point, title, QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    pdf.setTitle(title);
    pdf.setCreator(QCoreApplication::applicationName());
    DeviceWorldPainter painter(pdf, sheet.frame);
    drawing(painter);
  }
  return bytes.data();
}

xscatter::Result<QByteArray> Png(const Sheet& sheet, const Drawing& drawing) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!Image(sheet, drawing).save(&bytes, "PNG")) {
    return xscatter::Status::Failed("the PNG image cannot be encoded");
  }
  return bytes.data();
}

}  // namespace

Sheet CanvasSheet(const WorldCanvas& canvas) {
  return {canvas.frame(), canvas.logicalDpiY(), kCanvasImageScale};
}

// The resolution is claimed only after drawing: while drawing it sizes the texts.
QImage Image(const Sheet& sheet, const Drawing& drawing) {
  QImage image = BlankPicture(sheet.frame, sheet.imageScale, sheet.dpi);
  {
    DeviceWorldPainter painter(image, sheet.frame);
    drawing(painter);
  }
  image.setDotsPerMeterX(qRound(image.dotsPerMeterX() * sheet.imageScale));
  image.setDotsPerMeterY(qRound(image.dotsPerMeterY() * sheet.imageScale));
  return image;
}

std::optional<xscatter::Result<QByteArray>> FileContents(const QString& suffix, const Sheet& sheet,
                                                         const Drawing& drawing,
                                                         const QString& title) {
  const QString format = suffix.toLower();
  if (format == QLatin1String("png")) return Png(sheet, drawing);
  if (format == QLatin1String("svg")) return Svg(sheet, drawing, title);
  if (format == QLatin1String("pdf")) return Pdf(sheet, drawing, title);
  return std::nullopt;
}

}  // namespace graph_export
