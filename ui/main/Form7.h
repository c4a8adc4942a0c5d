#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "PrintFigure.h"
#include "xscatter/CrossSections.h"
#include "xscatter/TableStore.h"

class Dialogs;
class GraphMenu;
class MarkerLine;
class QLabel;
class QLineEdit;
class WorldCanvas;
struct Module1;

// The energy and angle window: what the table loaded in the main window gives at a photon
// energy and a scattering angle (momentum transfer, F, S, Compton energy, the differential and
// total cross sections, per unit and per gram), and both differential cross sections against
// the angle. Created once, then only shown and hidden; it follows every load of the main window.
// Every box is known to screen readers, and to tests, by the text of its label.
class Form7 : public QWidget {
 public:
  // The read-outs, in their order on the screen.
  enum ReadOut {
    kMomentum,
    kFormFactor,
    kScatteringFunction,
    kComptonEnergy,
    kCoherent,
    kCoherentPerGram,
    kIncoherent,
    kIncoherentPerGram,
    kCoherentTotal,
    kCoherentTotalPerGram,
    kIncoherentTotal,
    kIncoherentTotalPerGram,
    kReadOuts
  };

  // Where a value has no number: beyond the tables' last row, or per gram without a molar mass.
  static const QString kBeyondTheTables;
  static const QString kNoMolarMass;

  Form7(const Module1& module, Dialogs& dialogs);
  ~Form7() override;

  // The main window's table from now on.
  void follow(const xscatter::NamedTable& table);

 private:
  void createInputs();
  void createReadOuts();
  void createGraph();

  void Text1_Change();  // the energy typed
  void Text2_Change();  // the wavelength typed
  void Text3_Change();  // the angle typed
  void Picture1_MouseMove(float X, float Y);

  void drawGraph();
  void showValues();
  void showAngleValues(double energy, double angle, QStringList& notes);
  void showPerUnitAndGram(ReadOut perUnit, double value);
  QString figureTitle() const;

  const Module1& module_;
  std::optional<xscatter::NamedTable> table_;
  std::optional<xscatter::ScatteringCurve> curve_;  // none for a table that gives no curve
  QString curveProblem_;                            // why not
  std::optional<double> energy_;                    // keV, as typed or from the wavelength
  print_figure::Figure figure_;
  std::optional<print_figure::Plot> plot_;  // where the graph's plot lies, once drawn
  std::unique_ptr<GraphMenu> graphMenu_;

  QLabel* Label1 = nullptr;  // the table's name
  QLabel* Label2 = nullptr;  // what its values are per
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLabel* Label6 = nullptr;  // what is special about the values shown
  std::array<QLineEdit*, kReadOuts> readOuts_{};
  WorldCanvas* Picture1 = nullptr;
  MarkerLine* Line1 = nullptr;  // the angle chosen
  QLabel* Label19 = nullptr;    // the values under the pointer
};
