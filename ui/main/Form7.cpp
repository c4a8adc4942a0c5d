#include "Form7.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "GraphMenu.h"
#include "Look.h"
#include "Module1.h"
#include "WorldCanvas.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Kinematics.h"

namespace {

constexpr double kTextPoints = 12, kNamePoints = 16, kNotePoints = 10;
// Captions in a column on the left, right-aligned against their boxes; the graph on the right.
constexpr int kLeft = 16, kLabelWidth = 250, kBoxLeft = kLeft + kLabelWidth + 4, kBoxWidth = 140;
constexpr int kGraphLeft = kBoxLeft + kBoxWidth + 16, kGraphTop = 12;
// The inputs at the top, room for the notes, then the read-outs.
constexpr int kRowHeight = 28, kRowStep = 30, kInputsTop = 92, kReadOutsTop = 240;
constexpr QSize kGraphInside(576, 432);  // the print figure's page, pixel for pixel
constexpr double kLastAngle = 180;

const QColor kWhite(255, 255, 255);
const QColor kAngleMarker(0, 140, 0);

// Mo Kα, a common laboratory line, and an angle of the middle range, to start from.
const QString kFirstEnergy = QStringLiteral("17.48");
const QString kFirstAngle = QStringLiteral("30");

const char* const kReadOutLabels[Form7::kReadOuts] = {"Momentum transfer x (1/Å)",
                                                      "Form factor F(x)",
                                                      "Incoherent scattering function S(x)",
                                                      "Compton energy (keV)",
                                                      "Coherent dσ/dΩ (barn/sr)",
                                                      "Coherent dσ/dΩ (cm²/g/sr)",
                                                      "Incoherent dσ/dΩ (barn/sr)",
                                                      "Incoherent dσ/dΩ (cm²/g/sr)",
                                                      "Coherent σ (barn)",
                                                      "Coherent σ (cm²/g)",
                                                      "Incoherent σ (barn)",
                                                      "Incoherent σ (cm²/g)"};

// A number typed in full, with a point as the decimal separator; none for anything else, so that
// "17,48" is not taken for 17.
std::optional<double> TypedNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// Energies, wavelengths and angles as a user types them; the other values in the main window's
// read-out format.
QString Plain(double value) {
  return QString::number(value, 'g', 6);
}
QString Scientific(double value) {
  if (std::isnan(value)) return Form7::kBeyondTheTables;
  return QString::fromStdString(xscatter::FormatFunctionValue(value));
}

QLabel* Caption(QWidget* parent, const QString& name, const char* text, int top) {
  QLabel* label = look::Label(parent, qPrintable(name), QString::fromUtf8(text),
                              {kLeft, top, kLabelWidth, kRowHeight}, look::SerifFont(kTextPoints));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

// A box with its caption on its left, known to screen readers by the caption's text.
QLineEdit* Box(QWidget* parent, int number, QLabel* caption) {
  auto* box = new QLineEdit(parent);
  look::Place(*box, qPrintable(QStringLiteral("Text%1").arg(number)),
              {kBoxLeft, caption->y(), kBoxWidth, kRowHeight});
  box->setFont(look::SerifFont(kTextPoints));
  box->setAccessibleName(caption->text());
  caption->setBuddy(box);
  return box;
}

QLabel* Note(QWidget* parent, const char* name, QRect geometry) {
  QLabel* label =
      look::Label(parent, name, {}, geometry, look::SerifFont(kNotePoints), look::kNoticeColour);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

const QString Form7::kBeyondTheTables = QStringLiteral("beyond the tables");
const QString Form7::kNoMolarMass = QStringLiteral("no molar mass");

Form7::Form7(const Module1& module, Dialogs& dialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      module_(module) {
  setWindowTitle(QStringLiteral("Scattering at an Energy"));
  setFixedSize(kGraphLeft + kGraphInside.width() + 4 + kLeft,
               kReadOutsTop + kReadOuts * kRowStep + kLeft);
  createInputs();
  createReadOuts();
  createGraph();
  graphMenu_ = std::make_unique<GraphMenu>(
      dialogs,
      GraphMenu::Graph{*Picture1, [this] { return plot_.has_value(); },
                       [this] { return figureTitle(); },
                       [this] { return module_.Folders.materials.parent_path(); },
                       [this](WorldPainter& painter) { print_figure::Paint(painter, figure_); },
                       [this] { return figure_; }});
  QPushButton* Command1 =
      look::Button(this, "Command1", QStringLiteral("Close"),
                   {width() - kLeft - 81, height() - kLeft - 33, 81, 33}, kTextPoints);
  connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
  setTabOrder(Text1, Text2);
  setTabOrder(Text2, Text3);
  setTabOrder(Text3, readOuts_.front());
  for (std::size_t k = 1; k < readOuts_.size(); ++k) setTabOrder(readOuts_[k - 1], readOuts_[k]);
  setTabOrder(readOuts_.back(), Picture1);
  setTabOrder(Picture1, Command1);
  Text1->setText(kFirstEnergy);
  Text1_Change();
}

Form7::~Form7() = default;

void Form7::createInputs() {
  Label1 = look::Label(this, "Label1", QStringLiteral("---"), {kLeft, 12, kLabelWidth * 2, 32},
                       look::SerifFont(kNamePoints));
  Label2 = Note(this, "Label2", {kLeft, 44, kGraphLeft - 2 * kLeft, 44});
  Text1 = Box(this, 1, Caption(this, "Label3", "Photon energy (keV)", kInputsTop));
  Text2 = Box(this, 2, Caption(this, "Label4", "Wavelength (Å)", kInputsTop + kRowStep));
  Text3 = Box(this, 3, Caption(this, "Label5", "Scattering angle (°)", kInputsTop + 2 * kRowStep));
  Text3->setText(kFirstAngle);
  connect(Text1, &QLineEdit::textEdited, this, &Form7::Text1_Change);
  connect(Text2, &QLineEdit::textEdited, this, &Form7::Text2_Change);
  connect(Text3, &QLineEdit::textEdited, this, &Form7::Text3_Change);
  Label6 = Note(this, "Label6",
                {kLeft, kInputsTop + 3 * kRowStep + 4, kGraphLeft - 2 * kLeft,
                 kReadOutsTop - kInputsTop - 3 * kRowStep - 8});
}

void Form7::createReadOuts() {
  for (int k = 0; k < kReadOuts; ++k) {
    QLabel* caption = Caption(this, QStringLiteral("Label%1").arg(7 + k), kReadOutLabels[k],
                              kReadOutsTop + k * kRowStep);
    QLineEdit* box = Box(this, 4 + k, caption);
    box->setReadOnly(true);
    look::SetColour(*box, QPalette::Base, look::kReadOutColour);
    readOuts_[k] = box;
  }
}

void Form7::createGraph() {
  Picture1 = new WorldCanvas(kGraphInside, QRectF(QPointF(), QSizeF(kGraphInside)), kWhite, this);
  look::Place(*Picture1, "Picture1",
              {kGraphLeft, kGraphTop, kGraphInside.width() + 4, kGraphInside.height() + 4});
  Picture1->setAccessibleName(QStringLiteral("Differential cross sections against the angle"));
  Line1 = Picture1->addMarker(Qt::Vertical, kAngleMarker, 0, 0);
  Line1->setObjectName(QStringLiteral("Line1"));
  connect(Picture1, &WorldCanvas::pointerMoved, this,
          [this](Qt::MouseButtons, Qt::KeyboardModifiers, float X, float Y) {
            Picture1_MouseMove(X, Y);
          });
  Label19 =
      Note(this, "Label19", {kGraphLeft, Picture1->geometry().bottom() + 8, Picture1->width(), 40});
  Label19->setAccessibleName(QStringLiteral("Values under the pointer"));
}

void Form7::follow(const xscatter::NamedTable& table) {
  table_ = table;
  auto curve = xscatter::ScatteringCurve::Make(table.table);
  curve_.reset();
  if (curve) curve_.emplace(std::move(*curve));
  curveProblem_ = QString::fromStdString(curve.error());
  Label1->setText(QString::fromStdString(table.name));
  QString per = QStringLiteral("Values %1.").arg(QString::fromStdString(table.per));
  if (!table.molarMass) {
    per += QStringLiteral(" Its composition is not known, so there are no values per gram.");
  }
  Label2->setText(per);
  drawGraph();
  showValues();
}

void Form7::Text1_Change() {
  energy_ = TypedNumber(Text1->text());
  if (energy_ && *energy_ <= 0) energy_.reset();
  Text2->setText(energy_ ? Plain(xscatter::WavelengthOfEnergy(*energy_)) : QString());
  drawGraph();
  showValues();
}

void Form7::Text2_Change() {
  const auto wavelength = TypedNumber(Text2->text());
  energy_.reset();
  if (wavelength && *wavelength > 0) energy_ = xscatter::EnergyOfWavelength(*wavelength);
  Text1->setText(energy_ ? Plain(*energy_) : QString());
  drawGraph();
  showValues();
}

void Form7::Text3_Change() {
  showValues();
}

QString Form7::figureTitle() const {
  return QStringLiteral("%1 at %2 keV")
      .arg(table_ ? QString::fromStdString(table_->name) : QString(),
           energy_ ? Plain(*energy_) : "");
}

// The graph needs a table that gives cross sections and an energy; without them it is blank.
void Form7::drawGraph() {
  plot_.reset();
  if (!curve_ || !energy_) {
    Picture1->draw([](WorldPainter& painter) { painter.clear(); });
    return;
  }
  figure_ = print_figure::CrossSectionsAtEnergy(figureTitle(), QString::fromStdString(table_->per),
                                                *curve_, *energy_);
  Picture1->draw([this](WorldPainter& painter) { plot_ = print_figure::Paint(painter, figure_); });
  const QRectF& area = plot_->area();
  Line1->setSpan(float(area.top()), float(area.bottom()));
}

void Form7::showValues() {
  for (QLineEdit* box : readOuts_) box->clear();
  Line1->setShown(false);
  if (!table_) {
    Label6->setText(
        QStringLiteral("No table is loaded: choose one in the main window and press OK."));
    return;
  }
  if (!curve_) {
    Label6->setText(QStringLiteral("This table gives no cross sections: %1").arg(curveProblem_));
    return;
  }
  if (!energy_) {
    Label6->setText(QStringLiteral("Type a photon energy above 0 keV, or a wavelength in Å."));
    return;
  }
  QStringList notes;
  const xscatter::CrossSections totals = xscatter::TotalCrossSections(*curve_, *energy_);
  showPerUnitAndGram(kCoherentTotal, totals.coherent);
  showPerUnitAndGram(kIncoherentTotal, totals.incoherent);
  if (std::isnan(totals.coherent)) {
    notes << QStringLiteral("σ needs the tables up to x = 1/λ = %1 1/Å, beyond their last row.")
                 .arg(Scientific(1 / xscatter::WavelengthOfEnergy(*energy_)));
  }
  const auto angle = TypedNumber(Text3->text());
  if (!angle || *angle < 0 || *angle > kLastAngle) {
    notes << QStringLiteral("Type a scattering angle from 0 to 180°.");
  } else {
    showAngleValues(*energy_, *angle, notes);
  }
  Label6->setText(notes.join(' '));
}

void Form7::showAngleValues(double energy, double angle, QStringList& notes) {
  const xscatter::AngleValues at = xscatter::ScatteringAtAngle(*curve_, energy, angle);
  readOuts_[kMomentum]->setText(Scientific(at.x));
  readOuts_[kComptonEnergy]->setText(Plain(at.comptonEnergy));
  readOuts_[kFormFactor]->setText(Scientific(at.F));
  readOuts_[kScatteringFunction]->setText(Scientific(at.S));
  if (std::isnan(at.F)) {
    notes << QStringLiteral("At this energy and angle x lies beyond the tables' last row.");
  }
  showPerUnitAndGram(kCoherent, at.coherent);
  showPerUnitAndGram(kIncoherent, at.incoherent);
  if (angle == 0) {
    notes << QStringLiteral(
        "At 0° no momentum is transferred: x = 0 and S(0) = 0, so nothing is scattered "
        "incoherently.");
  }
  if (plot_) {
    Line1->setPosition(float(plot_->pageX(angle)));
    Line1->setShown(true);
  }
}

// The box after the one per unit is the one per gram.
void Form7::showPerUnitAndGram(ReadOut perUnit, double value) {
  readOuts_[perUnit]->setText(Scientific(value));
  readOuts_[perUnit + 1]->setText(
      table_->molarMass ? Scientific(value * xscatter::PerGram(*table_->molarMass)) : kNoMolarMass);
}

// Reads out the angle under the pointer inside the plot, with both cross sections there.
void Form7::Picture1_MouseMove(float X, float Y) {
  if (!plot_ || !plot_->area().contains(QPointF(X, Y))) {
    Label19->clear();
    return;
  }
  const double angle = std::clamp(plot_->xAt(X), 0.0, kLastAngle);
  const xscatter::AngleValues at = xscatter::ScatteringAtAngle(*curve_, *energy_, angle);
  Label19->setText(
      QStringLiteral("θ = %1°: coherent %2, incoherent %3 barn/sr")
          .arg(QString::number(angle, 'f', 1), Scientific(at.coherent), Scientific(at.incoherent)));
}
