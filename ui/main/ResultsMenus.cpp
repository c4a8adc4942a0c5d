#include "ResultsMenus.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>

#include "Dialogs.h"
#include "GraphExport.h"
#include "Module1.h"
#include "ScatteringGraph.h"
#include "WorldCanvas.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/TableText.h"

namespace {

enum Entry { kCopy, kSave };

std::filesystem::path FilePath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

}  // namespace

ResultsMenus::ResultsMenus(Dialogs& dialogs, Window window) : dialogs_(dialogs), window_(window) {
  window_.graphArea.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&window_.graphArea, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { graphMenu(window_.graphArea.mapToGlobal(at)); });
  // A list reports the point in its viewport.
  window_.tableList.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&window_.tableList, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { tableMenu(window_.tableList.viewport()->mapToGlobal(at)); });
  auto* copy =
      new QShortcut(QKeySequence::Copy, &window_.tableList, nullptr, nullptr, Qt::WidgetShortcut);
  connect(copy, &QShortcut::activated, this, [this] {
    if (loaded()) copyTable();
  });
}

void ResultsMenus::graphMenu(QPoint at) {
  const auto entry =
      dialogs_.menu({QStringLiteral("Copy Graph"), QStringLiteral("Save Graph As…")}, loaded(), at);
  if (entry == kCopy) copyGraph();
  if (entry == kSave) saveGraph();
}

void ResultsMenus::tableMenu(QPoint at) {
  const auto entry =
      dialogs_.menu({QStringLiteral("Copy Table"), QStringLiteral("Save Table As…")}, loaded(), at);
  if (entry == kCopy) copyTable();
  if (entry == kSave) saveTable();
}

bool ResultsMenus::loaded() const {
  return window_.module.TableLoaded == 1;
}

QString ResultsMenus::name() const {
  return window_.name.text();
}

graph_export::Drawing ResultsMenus::drawing() const {
  return [this](WorldPainter& painter) { window_.graph.paint(painter, window_.table); };
}

void ResultsMenus::copyGraph() const {
  QGuiApplication::clipboard()->setImage(graph_export::Image(window_.graphArea, drawing()));
}

void ResultsMenus::saveGraph() const {
  const QString path =
      askFileName(QStringLiteral("Save Graph As"), ".png",
                  {QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
                   QStringLiteral("PDF document (*.pdf)")});
  if (path.isEmpty()) return;
  const auto contents =
      graph_export::FileContents(QFileInfo(path).suffix(), window_.graphArea, drawing(), name());
  report(path, contents ? xscatter::WriteFileAtomically(FilePath(path), contents->toStdString())
                        : contents.status());
}

void ResultsMenus::copyTable() const {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(xscatter::DelimitedTable(name().toStdString(), window_.table, '\t')));
}

void ResultsMenus::saveTable() const {
  const QString path = askFileName(QStringLiteral("Save Table As"), ".csv",
                                   {QStringLiteral("Comma-separated values (*.csv)"),
                                    QStringLiteral("Tab-separated text (*.tsv *.txt)"),
                                    QStringLiteral("XScatter table (*.xfs)")});
  if (!path.isEmpty()) report(path, writeTable(path));
}

// The suffix decides the format: delimited text for a spreadsheet, or a data file.
xscatter::Status ResultsMenus::writeTable(const QString& path) const {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const auto delimited = [&](char separator) {
    return xscatter::WriteFileAtomically(
        FilePath(path), xscatter::DelimitedTable(name().toStdString(), window_.table, separator));
  };
  if (suffix == QLatin1String("csv")) return delimited(',');
  if (suffix == QLatin1String("tsv") || suffix == QLatin1String("txt")) return delimited('\t');
  if (suffix == QLatin1String("xfs"))
    return xscatter::WriteTableFile(FilePath(path), window_.table);
  return xscatter::Status::Failed("not a .csv, .tsv, .txt or .xfs file");
}

// Saves start in the working folder, the one that holds the user's materials, named after the
// table.
QString ResultsMenus::askFileName(const QString& title, const char* suffix,
                                  const QStringList& filters) const {
  const std::filesystem::path folder = window_.module.Folders.materials.parent_path();
  const QString defaultPath =
      QString::fromStdString(folder.string()) + QLatin1Char('/') + name() + QLatin1String(suffix);
  return dialogs_.saveFileName(title, defaultPath, filters);
}

void ResultsMenus::report(const QString& path, const xscatter::Status& saved) const {
  if (saved.ok()) return;
  dialogs_.message(QStringLiteral("Could not save %1\n%2")
                       .arg(QDir::toNativeSeparators(path), QString::fromStdString(saved.error)),
                   {}, Dialogs::Icon::Exclamation);
}
