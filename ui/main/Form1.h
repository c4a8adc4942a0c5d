#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "ScatteringGraph.h"
#include "xscatter/Interpolation.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/TableStore.h"

class ClickableTextBox;
class Dialogs;
class FileListBox;
class Form3;
class Form5;
class Form7;
class MarkerLine;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ResultsMenus;
class WorldCanvas;
struct Module1;

// The main window: choose an element or material table, load and list it, draw its log-log
// graph, and read F and S out of it by typed momentum transfer, list row or pointer. Its
// controls carry their design names as object names, so findChild reaches them.
class Form1 : public QWidget {
  Q_OBJECT
 public:
  Form1(Module1& module, Dialogs& dialogs, QWidget* parent = nullptr);
  ~Form1() override;

  // Brings the window back when the New Data path ends; the material list is read again when
  // a new file may have been written.
  void showAgain(bool reloadMaterialList);

  // Puts the Reference window and the energy window away, if they were ever opened.
  void hideSideWindows();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  // Opens the New Data chooser.
  void Command4_Click();

 private:
  void createSelection();
  void createTableList();
  void createGraph();
  void createReadOut();
  void createLegend();
  void createNotice();
  void arrangeTabOrder();
  void connectEvents();
  void connectResultsMenus();

  void Form_Load();
  void File1_Click(const std::string& fileName);
  void File2_Click(const std::string& fileName);
  void Command1_Click();
  void Form_Unload();
  void Command2_Click();
  void Command3_Click();
  void Command6_Click();
  void Text1_KeyPress(int keyAscii);
  void List1_Click();
  void Text1_Click();
  void Command5_Click();
  void Picture1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float X, float Y);

  void openFolders();
  void reportFolder(const std::filesystem::path& folder, const QString& problem,
                    const std::string& reason = {});
  void choose(const std::string& fileName, int list, FileListBox& other);
  void fillTableList();
  void clearReadOut();
  void showReadOut(double x, double F, double S);
  void markRow(int row);
  void hideMarkers();

  Module1& module_;
  Dialogs& dialogs_;
  int SelectedList = 0;                             // 1 element list, 2 material list, 0 none yet
  xscatter::ScatteringTable shownTable_;            // the rows the list and the graph show
  xscatter::LogLogTable shownCurves_{shownTable_};  // the same, for the typed read-out
  ScatteringGraph graph_;
  std::unique_ptr<Form3> reference_;
  std::unique_ptr<Form5> chooser_;
  std::unique_ptr<Form7> energy_;
  std::optional<xscatter::NamedTable> loaded_;  // for the energy window, once a load has ended
  std::unique_ptr<ResultsMenus> results_;

  FileListBox* File1 = nullptr;
  FileListBox* File2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QListWidget* List1 = nullptr;
  QLabel* Label4 = nullptr;
  WorldCanvas* Picture1 = nullptr;
  MarkerLine* Line1 = nullptr;
  MarkerLine* Line2 = nullptr;
  MarkerLine* Line3 = nullptr;
  ClickableTextBox* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
};
