#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "GraphExport.h"

class Dialogs;
class QLabel;
class QListWidget;
class ScatteringGraph;
class WorldCanvas;
struct Module1;
namespace xscatter {
struct ScatteringTable;
struct Status;
}  // namespace xscatter

// Takes the loaded table out of the main window: a right click on the graph copies or saves the
// graph, a right click on the table list or Ctrl+C there copies or saves the rows. It reads the
// window's state only when asked, so what goes out is always what the window shows.
class ResultsMenus : public QObject {
 public:
  // What the main window shows; all of it belongs to the window and outlives this object.
  struct Window {
    const Module1& module;                   // whether a table is loaded; the data folders
    const xscatter::ScatteringTable& table;  // the rows in the list and the graph
    const QLabel& name;                      // the table's display name above the graph
    const ScatteringGraph& graph;
    WorldCanvas& graphArea;
    QListWidget& tableList;
  };

  // Hooks the menus and the shortcut to the graph area and the table list.
  ResultsMenus(Dialogs& dialogs, Window window);

 private:
  void graphMenu(QPoint at);
  void tableMenu(QPoint at);
  void copyGraph() const;
  void saveGraph() const;
  void copyTable() const;
  void saveTable() const;

  xscatter::Status writeTable(const QString& path) const;
  graph_export::Drawing drawing() const;
  bool loaded() const;
  QString name() const;
  // The path the user chose, empty when cancelled.
  QString askFileName(const QString& title, const char* suffix, const QStringList& filters) const;
  void report(const QString& path, const xscatter::Status& saved) const;

  Dialogs& dialogs_;
  Window window_;
};
