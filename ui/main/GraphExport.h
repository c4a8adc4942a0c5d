#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

#include "xscatter/Status.h"

class WorldCanvas;
class WorldPainter;

// A canvas's picture drawn again for use outside the window, by the same drawing that made it
// and without the marker lines: as an image at twice its size, or as the contents of a PNG, SVG
// or PDF file. Texts come out as large as on the screen.
namespace graph_export {

using Drawing = std::function<void(WorldPainter&)>;

// Twice the picture's size in each direction, so that it prints crisply.
QImage Image(const WorldCanvas& canvas, const Drawing& drawing);

// The file in the format that the suffix names ("png", "svg" or "pdf", in any case). Fails for
// any other suffix, and when the image cannot be encoded. The title goes into the SVG and PDF
// documents.
xscatter::Result<QByteArray> FileContents(const QString& suffix, const WorldCanvas& canvas,
                                          const Drawing& drawing, const QString& title);

}  // namespace graph_export
