// The main window's controls, each at its fixed place in the 1351 x 799 client area.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ClickableTextBox.h"
#include "FileListBox.h"
#include "FocusRing.h"
#include "Form1.h"
#include "Look.h"
#include "PlainFrameStyle.h"
#include "PrintFigure.h"
#include "RowPictureDelegate.h"
#include "WorldCanvas.h"
#include "XScatterIcon.h"

namespace {

const QColor kGraphBackground(0, 0, 128);
const QColor kXMarker(255, 255, 255);
const QColor kFMarker(255, 0, 0);
const QColor kSMarker(255, 255, 0);

// The markers reach a little beyond the plot frame on every side.
constexpr float kVerticalMarkerFrom = -0.47f;
constexpr float kVerticalMarkerTo = 14.05f;
constexpr float kHorizontalMarkerFrom = -0.43f;
constexpr float kHorizontalMarkerTo = 14.14f;

constexpr double kHeadingPoints = 14.25;
constexpr double kColumnHeadingPoints = 11.25;
constexpr double kButtonPoints = 12;
constexpr double kOkPoints = 18;
constexpr double kNamePoints = 20.25;
constexpr double kFileListPoints = 15.75;
constexpr double kTableListPoints = 14.25;
constexpr double kReadOutPoints = 12;
constexpr double kLegendPoints = 12;
constexpr double kNoticePoints = 9;

// Widens the run of blanks in the legend's Greek overlay (Qt adds word spacing once per run)
// so that λ follows the last slash of the formula underneath.
constexpr double kOverlayWordSpacing = 4.5;

struct StaticText {
  const char* name;
  const char* text;
  QRect geometry;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  double wordSpacing = 0;
};

void AddTexts(QWidget* parent, std::initializer_list<StaticText> texts, double points) {
  for (const StaticText& text : texts) {
    QFont font = look::SerifFont(points);
    font.setWordSpacing(text.wordSpacing);
    QLabel* label =
        look::Label(parent, text.name, QString::fromUtf8(text.text), text.geometry, font);
    label->setAlignment(text.alignment);
  }
}

// The list's rows start five pixels in and its characters are 9.5 pixels wide; the headings
// sit over the columns of x (characters 1 to 8), F (11 to 20) and S (23 to 32).
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
// Where θ falls into the gap of "x=sin (   /2) /" and of "x = sin (   /2) /".
constexpr int kOverlayIndent = 46;
constexpr int kLegendOverlayIndent = 56;

void ReadOutBox(QLineEdit& box, const char* name, QRect geometry, QStyle& style) {
  look::Place(box, name, geometry);
  box.setStyle(&style);
  box.setFont(look::SerifFont(kReadOutPoints));
  box.setToolTip(QStringLiteral(" Input μ/ρ "));
  look::SetColour(box, QPalette::Base, look::kReadOutColour);
}

// Captions of the read-out boxes stand on light yellow, their text against the box.
void ReadOutCaption(QWidget* parent, const char* name, const char* text, int top) {
  QLabel* label = look::Label(parent, name, QString::fromLatin1(text), {344, top, 206, 30},
                              look::SerifFont(kReadOutPoints));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setContentsMargins(0, 0, 4, 0);
  label->setAutoFillBackground(true);
  look::SetColour(*label, QPalette::Window, look::kButtonColour);
}

}  // namespace

void Form1::createSelection() {
  AddTexts(this,
           {{"Label1", "Elements", {24, 32, 105, 29}, kCentred},
            {"Label5", "Compound / Mixture", {144, 32, 185, 29}, kCentred}},
           kHeadingPoints);
  const QString suffix = QStringLiteral(".xfs");
  File1 = new FileListBox(suffix, this);
  File2 = new FileListBox(suffix, this);
  look::Place(*File1, "File1", {24, 64, 105, 531});
  look::Place(*File2, "File2", {144, 64, 185, 531});
  File1->setFont(look::FixedPitchFont(kFileListPoints));
  File2->setFont(look::FixedPitchFont(kFileListPoints));
  // The shipped element files' names have the same form, so one row's size serves for all and
  // the list does not lay out each of its hundred names at start.
  File1->setUniformItemSizes(true);
  File1->setFocus();

  Command2 = look::Button(this, "Command2", QStringLiteral("OK"), {24, 616, 305, 53}, kOkPoints);
  Command3 = look::Button(this, "Command3", QStringLiteral("Reference"), {152, 680, 177, 45},
                          kButtonPoints);
  Command4 = look::Button(this, "Command4", QStringLiteral("Create  New data"), {152, 736, 177, 45},
                          kButtonPoints);
  Command1 =
      look::Button(this, "Command1", QStringLiteral("Exit"), {24, 744, 81, 37}, kButtonPoints);
  Command6 = look::Button(this, "Command6", QStringLiteral("Energy / Angle"), {24, 680, 113, 45},
                          kButtonPoints);
}

void Form1::createTableList() {
  List1 = new QListWidget(this);
  look::Place(*List1, "List1", {344, 80, 369, 517});
  List1->setFont(look::FixedPitchFont(kTableListPoints));
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Every row has the same format and font, so one row's size serves for all. Otherwise the
  // list lays out each row's text again on every load and on every selection the graph cursor
  // makes, which is most of what a pointer movement costs.
  List1->setUniformItemSizes(true);
  // The rows change only on a load but repaint on every cursor movement over the graph.
  List1->setItemDelegate(new RowPictureDelegate(List1));
  look::SetColour(*List1, QPalette::Base, qRgb(255, 255, 255));
  look::SetColour(*List1, QPalette::Text, qRgb(0, 0, 0));

  const int formulaLeft = 358;
  AddTexts(this,
           {{"Label23", "Momentum", {342, 22, 110, 18}, kCentred},
            {"Label8", "transfer", {342, 40, 110, 18}, kCentred},
            {"Label2", "x=sin (   /2) /", {formulaLeft, 58, 80, 18}},
            {"Label7", "θ       λ", {formulaLeft + kOverlayIndent, 58, 40, 18}},
            {"Label9", "Form Factor", {446, 40, 110, 18}, kCentred},
            {"Label17", "Fm(x)", {446, 58, 110, 18}, kCentred},
            {"Label13", "Incoherent", {560, 4, 110, 18}, kCentred},
            {"Label14", "Scattering", {560, 22, 110, 18}, kCentred},
            {"Label15", "Function", {560, 40, 110, 18}, kCentred},
            {"Label17", "Sm(x)", {560, 58, 110, 18}, kCentred}},
           kColumnHeadingPoints);
}

void Form1::createGraph() {
  Picture1 = new WorldCanvas(QSize(589, 573), ScatteringGraph::World(), kGraphBackground, this);
  look::Place(*Picture1, "Picture1", {736, 32, 593, 577});
  Line1 = Picture1->addMarker(Qt::Vertical, kXMarker, kVerticalMarkerFrom, kVerticalMarkerTo);
  Line2 = Picture1->addMarker(Qt::Horizontal, kFMarker, kHorizontalMarkerFrom, kHorizontalMarkerTo);
  Line3 = Picture1->addMarker(Qt::Horizontal, kSMarker, kHorizontalMarkerFrom, kHorizontalMarkerTo);
  Line1->setObjectName(QStringLiteral("Line1"));
  Line2->setObjectName(QStringLiteral("Line2"));
  Line3->setObjectName(QStringLiteral("Line3"));

  // The name grows to the right with its text.
  Label4 = look::Label(this, "Label4", QStringLiteral("---"), {1016, 0, 0, 0},
                       look::SerifFont(kNamePoints));
  Label4->adjustSize();
}

void Form1::createReadOut() {
  ReadOutCaption(this, "Label11", "Momentum transfer", 618);
  ReadOutCaption(this, "Label3", "Form Factor", 650);
  ReadOutCaption(this, "Label10", "Incoherent Scattering Function", 682);
  // Every cursor movement over the graph repaints the three boxes.
  auto* style = new PlainFrameStyle(this);
  Text1 = new ClickableTextBox(this);
  ReadOutBox(*Text1, "Text1", {552, 616, 121, 35}, *style);
  Text2 = new QLineEdit(this);
  ReadOutBox(*Text2, "Text2", {552, 648, 153, 35}, *style);
  Text3 = new QLineEdit(this);
  ReadOutBox(*Text3, "Text3", {552, 680, 153, 35}, *style);
  // They show results only.
  Text2->setReadOnly(true);
  Text3->setReadOnly(true);
  Command5 = look::Button(this, "Command5", QStringLiteral("C"), {672, 616, 33, 33}, kButtonPoints);
}

void Form1::createLegend() {
  auto* Shape1 = new QFrame(this);
  look::Place(*Shape1, "Shape1", {744, 624, 577, 145});
  Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Shape1->lower();
  const int formulaLeft = 952;
  AddTexts(this,
           {{"Label26", "Remarks", {760, 630, 120, 22}},
            {"Label18", "Momentum transfer", {784, 658, 160, 22}},
            {"Label12", "x = sin (   /2) /", {formulaLeft, 658, 100, 22}},
            {"Label19",
             "θ      λ",
             {formulaLeft + kLegendOverlayIndent, 658, 60, 22},
             Qt::AlignLeft | Qt::AlignVCenter,
             kOverlayWordSpacing},
            {"Label16", "θ：", {784, 686, 28, 22}},
            {"Label21", "Scattering angle", {816, 686, 200, 22}},
            {"Label20", "λ：", {784, 714, 28, 22}},
            {"Label22", "Wavelength of  photon", {816, 714, 160, 22}},
            {"Label24", "Å", {976, 714, 20, 22}},
            {"Label25", "λ= 12.4/hν[keV]", {784, 742, 200, 22}}},
           kLegendPoints);
}

void Form1::createNotice() {
  const QPixmap icon = XScatterIcon();
  setWindowIcon(icon);
  auto* Picture2 = new QLabel(this);
  look::Place(*Picture2, "Picture2", {344, 752, 32, 32});
  Picture2->setPixmap(icon);
  look::Label(this, "Label6", print_figure::kDataSource, {384, 758, 352, 20},
              look::SerifFont(kNoticePoints), look::kNoticeColour);
}

// The graph comes after the designed order: it takes the focus by Tab only, for its menu; then
// the energy window's button. Buttons and boxes show their focus themselves; the lists and the
// graph get a ring.
void Form1::arrangeTabOrder() {
  QWidget* const order[] = {File1, Command2, List1, Command1, Command3, Command4, Text1,
                            Text2, Text3,    File2, Command5, Picture1, Command6};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  for (QWidget* control : std::initializer_list<QWidget*>{File1, File2, List1, Picture1}) {
    FocusRing::Around(*control);
  }
}
