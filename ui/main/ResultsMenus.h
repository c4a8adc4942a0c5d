#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

class Dialogs;
class GraphMenu;
class QLabel;
class QListWidget;
class ScatteringGraph;
class WorldCanvas;
struct Module1;
namespace xscatter {
struct ScatteringTable;
struct Status;
}  // namespace xscatter

// Takes the loaded table out of the main window: the graph's menu copies or saves the graph, or
// saves it as a figure for print; the table list's menu or Ctrl+C there copies or saves the
// rows. Both menus open by right click, the Menu key or Shift+F10. They read the window's state
// only when asked, so what goes out is always what the window shows.
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

  // Hooks the menus and the shortcuts to the graph area and the table list.
  ResultsMenus(Dialogs& dialogs, Window window);
  ~ResultsMenus() override;

 private:
  void tableMenu(QPoint at);
  void copyTable() const;
  void saveTable() const;

  xscatter::Status writeTable(const QString& path) const;
  bool loaded() const;
  QString name() const;

  Dialogs& dialogs_;
  Window window_;
  std::unique_ptr<GraphMenu> graphMenu_;
};
