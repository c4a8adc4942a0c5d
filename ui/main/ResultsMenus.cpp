#include "ResultsMenus.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>

#include "Dialogs.h"
#include "GraphMenu.h"
#include "MenuKeys.h"
#include "Module1.h"
#include "SaveFile.h"
#include "ScatteringGraph.h"
#include "WorldCanvas.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/TableText.h"

namespace {

enum Entry { kCopy, kSave };

}  // namespace

ResultsMenus::ResultsMenus(Dialogs& dialogs, Window window) : dialogs_(dialogs), window_(window) {
  graphMenu_ = std::make_unique<GraphMenu>(
      dialogs_, GraphMenu::Graph{
                    window_.graphArea, [this] { return loaded(); }, [this] { return name(); },
                    [this] { return window_.module.Folders.materials.parent_path(); },
                    [this](WorldPainter& painter) { window_.graph.paint(painter, window_.table); },
                    [this] { return print_figure::ScatteringFunctions(name(), window_.table); }});
  // A list reports the point in its viewport.
  QListWidget& list = window_.tableList;
  list.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&list, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { tableMenu(window_.tableList.viewport()->mapToGlobal(at)); });
  menu_keys::OpenFromKeyboard(list, [&list] { return menu_keys::CurrentRowPoint(list); });
  menu_keys::KeepSelectionOnRightClick(list);
  auto* copy = new QShortcut(QKeySequence::Copy, &list, nullptr, nullptr, Qt::WidgetShortcut);
  connect(copy, &QShortcut::activated, this, [this] {
    if (loaded()) copyTable();
  });
}

ResultsMenus::~ResultsMenus() = default;

void ResultsMenus::tableMenu(QPoint at) {
  const auto entry =
      dialogs_.menu({menu_keys::WithShortcut(QStringLiteral("Copy Table"), QKeySequence::Copy),
                     QStringLiteral("Save Table As…")},
                    loaded(), at);
  if (entry == kCopy) copyTable();
  if (entry == kSave) saveTable();
}

bool ResultsMenus::loaded() const {
  return window_.module.TableLoaded == 1;
}

QString ResultsMenus::name() const {
  return window_.name.text();
}

void ResultsMenus::copyTable() const {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(xscatter::DelimitedTable(name().toStdString(), window_.table, '\t')));
}

void ResultsMenus::saveTable() const {
  const QString path =
      save_file::Ask(dialogs_, QStringLiteral("Save Table As"),
                     window_.module.Folders.materials.parent_path(), name(), ".csv",
                     {QStringLiteral("Comma-separated values (*.csv)"),
                      QStringLiteral("Tab-separated text (*.tsv *.txt)"),
                      QStringLiteral("XScatter table (*.xfs)")});
  if (!path.isEmpty()) save_file::Report(dialogs_, path, writeTable(path));
}

// The suffix decides the format: delimited text for a spreadsheet, or a data file.
xscatter::Status ResultsMenus::writeTable(const QString& path) const {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const auto delimited = [&](char separator) {
    return xscatter::WriteFileAtomically(
        save_file::FilePath(path),
        xscatter::DelimitedTable(name().toStdString(), window_.table, separator));
  };
  if (suffix == QLatin1String("csv")) return delimited(',');
  if (suffix == QLatin1String("tsv") || suffix == QLatin1String("txt")) return delimited('\t');
  if (suffix == QLatin1String("xfs"))
    return xscatter::WriteTableFile(save_file::FilePath(path), window_.table);
  return save_file::UnknownType(path, ".csv, .tsv, .txt or .xfs");
}
