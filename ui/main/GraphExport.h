#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <optional>

#include "WorldPainter.h"
#include "xscatter/Status.h"

class WorldCanvas;

// A picture drawn again for use outside the window, by the same drawing that makes it on the
// screen: as an image, or as the contents of a PNG, SVG or PDF file.
namespace graph_export {

using Drawing = std::function<void(WorldPainter&)>;

// What is drawn on: the frame, the logical dots per inch its pixels and point sizes assume, and
// how many image pixels each of its pixels becomes.
struct Sheet {
  WorldFrame frame;
  int dpi;
  qreal imageScale;
};

// A canvas's picture at twice its size in each direction, so that it prints crisply; texts come
// out as large as on the screen.
Sheet CanvasSheet(const WorldCanvas& canvas);

// The image at the sheet's scale. It claims a resolution as much higher than the sheet's, so
// that it prints and pastes as large as it was meant to be.
QImage Image(const Sheet& sheet, const Drawing& drawing);

// The file in the format that the suffix names ("png", "svg" or "pdf", in any case), or why it
// could not be made; none for any other suffix. The title goes into the SVG and PDF documents.
std::optional<xscatter::Result<QByteArray>> FileContents(const QString& suffix, const Sheet& sheet,
                                                         const Drawing& drawing,
                                                         const QString& title);

}  // namespace graph_export
