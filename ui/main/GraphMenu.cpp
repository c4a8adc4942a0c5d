#include "GraphMenu.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QShortcut>

#include "Dialogs.h"
#include "MenuKeys.h"
#include "SaveFile.h"
#include "WorldCanvas.h"
#include "xscatter/AtomicFile.h"

namespace {

enum Entry { kCopy, kSave, kSaveForPrint };

const QString kPng = QStringLiteral("PNG image (*.png)");
const QString kSvg = QStringLiteral("SVG drawing (*.svg)");
const QString kPdf = QStringLiteral("PDF document (*.pdf)");

}  // namespace

GraphMenu::GraphMenu(Dialogs& dialogs, Graph graph) : dialogs_(dialogs), graph_(std::move(graph)) {
  WorldCanvas& area = graph_.area;
  area.setFocusPolicy(Qt::TabFocus);
  area.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&area, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { open(graph_.area.mapToGlobal(at)); });
  menu_keys::OpenFromKeyboard(area, [&area] { return area.rect().center(); });
  auto* copyKey = new QShortcut(QKeySequence::Copy, &area, nullptr, nullptr, Qt::WidgetShortcut);
  connect(copyKey, &QShortcut::activated, this, [this] {
    if (graph_.ready()) copy();
  });
}

void GraphMenu::open(QPoint at) {
  const auto entry =
      dialogs_.menu({menu_keys::WithShortcut(QStringLiteral("Copy Graph"), QKeySequence::Copy),
                     QStringLiteral("Save Graph As…"), QStringLiteral("Save Figure for Print As…")},
                    graph_.ready(), at);
  if (entry == kCopy) copy();
  if (entry == kSave) {
    save(QStringLiteral("Save Graph As"), ".png", {kPng, kSvg, kPdf},
         graph_export::CanvasSheet(graph_.area), graph_.drawing);
  }
  if (entry == kSaveForPrint) {
    const print_figure::Figure figure = graph_.figure();
    save(QStringLiteral("Save Figure for Print As"), ".pdf", {kPdf, kSvg, kPng},
         print_figure::Sheet(),
         [&figure](WorldPainter& painter) { print_figure::Paint(painter, figure); });
  }
}

void GraphMenu::copy() const {
  QGuiApplication::clipboard()->setImage(
      graph_export::Image(graph_export::CanvasSheet(graph_.area), graph_.drawing));
}

void GraphMenu::save(const QString& title, const char* suffix, const QStringList& filters,
                     const graph_export::Sheet& sheet, const graph_export::Drawing& drawing) const {
  const QString name = graph_.name();
  const QString path = save_file::Ask(dialogs_, title, graph_.folder(), name, suffix, filters);
  if (path.isEmpty()) return;
  const auto contents = graph_export::FileContents(QFileInfo(path).suffix(), sheet, drawing, name);
  if (!contents) {
    save_file::Report(dialogs_, path, save_file::UnknownType(path, ".png, .svg or .pdf"));
  } else if (!*contents) {
    save_file::Report(dialogs_, path, contents->status());
  } else {
    save_file::Report(
        dialogs_, path,
        xscatter::WriteFileAtomically(save_file::FilePath(path), (*contents)->toStdString()));
  }
}
