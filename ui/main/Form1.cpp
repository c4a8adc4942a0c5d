#include "Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <system_error>

#include "ClickableTextBox.h"
#include "Dialogs.h"
#include "FileListBox.h"
#include "Form3.h"
#include "Form5.h"
#include "Form7.h"
#include "Module1.h"
#include "ResultsMenus.h"
#include "WorldCanvas.h"
#include "xscatter/DataFolders.h"
#include "xscatter/Interpolation.h"
#include "xscatter/TableStore.h"

namespace {

constexpr int kEnter = 13;
constexpr int kElementList = 1;
constexpr int kMaterialList = 2;

// Appended piece by piece: " " + string trips a false -Wrestrict of GCC 12 at -O3.
QString ListRowText(const xscatter::ScatteringTable& table, int row) {
  std::string text = " ";
  text += xscatter::FormatMomentum(table.x[row]);
  text += "  ";
  text += xscatter::FormatFunctionValue(table.F[row]);
  text += "  ";
  text += xscatter::FormatFunctionValue(table.S[row]);
  return QString::fromStdString(text);
}

// A marker whose value has no logarithm cannot be placed, so it is hidden instead.
void PlaceMarker(MarkerLine& line, double value, bool shown) {
  const auto at = xscatter::GraphCoordinate(value);
  if (at) line.setPosition(float(*at));
  line.setShown(shown && at.has_value());
}

}  // namespace

Form1::Form1(Module1& module, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), module_(module), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral(" Form Factors & Incoherent Scattering Functions"));
  setFixedSize(1351, 799);
  createSelection();
  createTableList();
  createGraph();
  createReadOut();
  createLegend();
  createNotice();
  connectResultsMenus();  // makes the graph a tab stop, which the order takes in
  arrangeTabOrder();
  connectEvents();
  Form_Load();
}

Form1::~Form1() = default;

void Form1::showAgain(bool reloadMaterialList) {
  if (reloadMaterialList) File2->refresh();
  show();
}

void Form1::hideSideWindows() {
  if (reference_) reference_->hide();
  if (energy_) energy_->hide();
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  QWidget::closeEvent(event);
}

void Form1::connectEvents() {
  connect(File1, &FileListBox::fileChosen, this, &Form1::File1_Click);
  connect(File2, &FileListBox::fileChosen, this, &Form1::File2_Click);
  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
  connect(Text1, &QLineEdit::returnPressed, this, [this] { Text1_KeyPress(kEnter); });
  connect(Text1, &ClickableTextBox::clicked, this, &Form1::Text1_Click);
  // A selection, not a current row: the list makes its first row current without selecting it
  // when it gets the focus, which must not overwrite the read-out.
  connect(List1, &QListWidget::itemSelectionChanged, this, &Form1::List1_Click);
  connect(Picture1, &WorldCanvas::pointerMoved, this, &Form1::Picture1_MouseMove);
}

// The graph and the table go out through context menus of their own.
void Form1::connectResultsMenus() {
  results_ = std::make_unique<ResultsMenus>(
      dialogs_, ResultsMenus::Window{module_, shownTable_, *Label4, graph_, *Picture1, *List1});
}

void Form1::Form_Load() {
  openFolders();
  clearReadOut();
  hideMarkers();
  module_.TableLoaded = 0;
}

// The material folder is the user's own and the editors write into it, so it is made when it
// is missing; the element folder comes with the program and can only be reported.
void Form1::openFolders() {
  const xscatter::DataFolders& folders = module_.Folders;
  std::error_code error;
  if (!std::filesystem::is_directory(folders.elements, error)) {
    reportFolder(folders.elements, QStringLiteral("was not found"));
  }
  File1->setFolder(folders.elements);
  const xscatter::Status made = xscatter::MakeMaterialFolder(folders);
  if (!made.ok())
    reportFolder(folders.materials, QStringLiteral("could not be created"), made.error);
  File2->setFolder(folders.materials);
}

void Form1::reportFolder(const std::filesystem::path& folder, const QString& problem,
                         const std::string& reason) {
  dialogs_.message(QStringLiteral("The folder \"%1\" %2 in the working folder\n%3")
                       .arg(QString::fromStdString(folder.filename().string()), problem,
                            QString::fromStdString(folder.parent_path().string())),
                   {}, Dialogs::Icon::Exclamation, QString::fromStdString(reason));
}

void Form1::File1_Click(const std::string& fileName) {
  choose(fileName, kElementList, *File2);
}

void Form1::File2_Click(const std::string& fileName) {
  choose(fileName, kMaterialList, *File1);
}

// Only remembers the choice; the focus goes to "OK" so that Enter loads it at once.
void Form1::choose(const std::string& fileName, int list, FileListBox& other) {
  module_.SelectedFileName = fileName;
  SelectedList = list;
  other.refresh();
  Command2->setFocus();
}

void Form1::Command1_Click() {
  close();
}

void Form1::Form_Unload() {
  QCoreApplication::quit();
}

// The file is read before anything in the window changes, so a file that cannot be loaded
// leaves the previous table, list, graph and name in place.
void Form1::Command2_Click() {
  if (module_.SelectedFileName.empty()) {
    dialogs_.message(QStringLiteral("Select element or material"), {}, Dialogs::Icon::Exclamation);
    return;
  }
  const xscatter::TableStore store = module_.store();
  const auto read = SelectedList == kElementList ? store.OpenElement(module_.SelectedFileName)
                                                 : store.OpenMaterial(module_.SelectedFileName);
  if (!read) {
    dialogs_.message(
        QStringLiteral("The table could not be loaded.\n") + QString::fromStdString(read.error()),
        {}, Dialogs::Icon::Exclamation);
    return;
  }
  module_.Table = read->table;
  shownTable_ = module_.Table;
  shownCurves_ = xscatter::LogLogTable(shownTable_);
  Label4->setText(QString::fromStdString(read->name));
  Label4->adjustSize();
  clearReadOut();
  fillTableList();
  QCoreApplication::processEvents();
  graph_.draw(*Picture1, shownTable_);
  hideMarkers();
  module_.TableLoaded = 1;
  loaded_ = *read;
  if (energy_) energy_->follow(*loaded_);
}

void Form1::fillTableList() {
  QStringList rows;
  rows.reserve(xscatter::kTableRows);
  for (int row = 1; row <= xscatter::kTableRows; ++row) rows.append(ListRowText(shownTable_, row));
  List1->clear();
  List1->addItems(rows);
  // A new table is read from its first row, wherever the last one was scrolled to.
  List1->scrollToTop();
}

void Form1::Command3_Click() {
  if (!reference_) {
    reference_ = std::make_unique<Form3>();
    reference_->setWindowIcon(windowIcon());
  }
  reference_->show();
  reference_->raise();
  reference_->activateWindow();
}

void Form1::Command6_Click() {
  if (!energy_) {
    energy_ = std::make_unique<Form7>(module_, dialogs_);
    energy_->setWindowIcon(windowIcon());
    if (loaded_) energy_->follow(*loaded_);
  }
  energy_->show();
  energy_->raise();
  energy_->activateWindow();
}

void Form1::Command4_Click() {
  if (!chooser_) {
    chooser_ =
        std::make_unique<Form5>(module_, dialogs_, [this](bool reload) { showAgain(reload); });
    chooser_->setWindowIcon(windowIcon());
  }
  chooser_->show();
  chooser_->raise();
  chooser_->activateWindow();
  hide();
  hideSideWindows();
}

// A value that cannot be read, lies outside 0.005 to 1000 or has no bracketing rows is
// reported alike.
void Form1::Text1_KeyPress(int keyAscii) {
  if (keyAscii != kEnter) return;
  const auto x = xscatter::LenientNumber(Text1->text().toStdString());
  const auto values = x ? xscatter::TypedReadOut(shownCurves_, *x) : std::nullopt;
  if (!values) {
    dialogs_.message(QStringLiteral("This value is out of range."), {}, Dialogs::Icon::Exclamation);
    clearReadOut();
    return;
  }
  showReadOut(*x, values->F, values->S);
}

void Form1::List1_Click() {
  const QList<QListWidgetItem*> selected = List1->selectedItems();
  if (selected.isEmpty()) return;
  const int row = List1->row(selected.first()) + 1;
  showReadOut(shownTable_.x[row], shownTable_.F[row], shownTable_.S[row]);
  if (row > 1) markRow(row);
}

void Form1::Text1_Click() {
  if (List1->count() > 0) List1->setCurrentRow(0);
  clearReadOut();
  hideMarkers();
}

void Form1::Command5_Click() {
  Text1_Click();
  Text1->setFocus();
}

// Snaps to the first row above the pointer's momentum transfer; the height only tells whether
// the pointer is inside the plotting window.
void Form1::Picture1_MouseMove(Qt::MouseButtons /*button*/, Qt::KeyboardModifiers /*shift*/,
                               float X, float Y) {
  if (module_.TableLoaded == 0) return;
  constexpr float kEdge = ScatteringGraph::kPlotEdge;
  const bool inside = X > 0 && X < kEdge && Y > 0 && Y < kEdge;
  const auto row =
      inside ? xscatter::FindRowAbove(shownTable_, xscatter::MomentumFromGraph(X)) : std::nullopt;
  if (!row) {
    hideMarkers();
    return;
  }
  markRow(*row);
  // Selecting the entry that is already selected changes nothing in the list, yet the boxes
  // may hold a typed value since, and must show the marked row all the same.
  const bool alreadySelected = List1->item(*row - 1)->isSelected();
  List1->setCurrentRow(*row - 1);
  if (alreadySelected) List1_Click();
}

void Form1::clearReadOut() {
  Text1->clear();
  Text2->clear();
  Text3->clear();
}

void Form1::showReadOut(double x, double F, double S) {
  Text1->setText(QString::fromStdString(xscatter::FormatMomentum(x)));
  Text2->setText(QString::fromStdString(xscatter::FormatFunctionValue(F)));
  Text3->setText(QString::fromStdString(xscatter::FormatFunctionValue(S)));
}

// The vertical marker shows x; the horizontal ones show F and S except for row 1, which the
// graph does not draw.
void Form1::markRow(int row) {
  const bool horizontalToo = row > 1;
  PlaceMarker(*Line2, shownTable_.F[row], horizontalToo);
  PlaceMarker(*Line3, shownTable_.S[row], horizontalToo);
  PlaceMarker(*Line1, shownTable_.x[row], true);
}

void Form1::hideMarkers() {
  Line1->setShown(false);
  Line2->setShown(false);
  Line3->setShown(false);
}
