#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <filesystem>
#include <functional>

#include "GraphExport.h"
#include "PrintFigure.h"

class Dialogs;
class WorldCanvas;

// The context menu of a graph, by right click, the Menu key or Shift+F10: copy the graph, save
// it as it shows on the screen, or save it as a figure for print. Ctrl+C copies it too. The
// graph takes the focus by Tab, so that the keyboard reaches all of this.
class GraphMenu : public QObject {
 public:
  // Everything is asked for when needed, so that what goes out is what the window shows. The
  // functions belong to the graph's window and outlive the menu.
  struct Graph {
    WorldCanvas& area;
    std::function<bool()> ready;    // whether there is a graph to take out
    std::function<QString()> name;  // the offered file name and the documents' title
    std::function<std::filesystem::path()> folder;  // where the save dialog starts
    graph_export::Drawing drawing;                  // the picture on the screen
    std::function<print_figure::Figure()> figure;
  };

  GraphMenu(Dialogs& dialogs, Graph graph);

 private:
  void open(QPoint at);
  void copy() const;
  void save(const QString& title, const char* suffix, const QStringList& filters,
            const graph_export::Sheet& sheet, const graph_export::Drawing& drawing) const;

  Dialogs& dialogs_;
  Graph graph_;
};
