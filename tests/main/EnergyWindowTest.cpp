#include <QLabel>
#include <QtTest>

#include "Form7.h"
#include "MainWindowRig.h"
#include "xscatter/CrossSections.h"
#include "xscatter/Kinematics.h"

namespace {

const QString kTitle = "Scattering at an Energy";
const QString kEnergy = "Photon energy (keV)", kWavelength = "Wavelength (Å)",
              kAngle = "Scattering angle (°)";
// The names the boxes must be known by, as their labels read.
const QStringList kNamed{kEnergy,
                         kAngle,
                         "Momentum transfer x (1/Å)",
                         "Coherent dσ/dΩ (barn/sr)",
                         "Incoherent dσ/dΩ (barn/sr)",
                         "Compton energy (keV)",
                         "Coherent σ (barn)",
                         "Incoherent σ (barn)"};
constexpr int kReadOuts = 12;

QString Scientific(double v) {
  return QString::fromStdString(xscatter::FormatFunctionValue(v));
}

// The core's values for a shipped element at an energy and an angle, in the window's formats.
QStringList Expected(const char* symbol, double energy, double angle) {
  const auto element = xscatter::TableStore(xscatter::FoldersIn(XSCATTER_DATA_DIR)).Find(symbol);
  const auto curve = xscatter::ScatteringCurve::Make(element->table).value();
  const xscatter::AngleValues at = xscatter::ScatteringAtAngle(curve, energy, angle);
  const xscatter::CrossSections totals = xscatter::TotalCrossSections(curve, energy);
  const double perGram = xscatter::PerGram(*element->molarMass);
  QStringList values{Scientific(at.x), Scientific(at.F), Scientific(at.S),
                     QString::number(at.comptonEnergy, 'g', 6)};
  for (double value : {at.coherent, at.incoherent, totals.coherent, totals.incoherent})
    values << Scientific(value) << Scientific(value * perGram);
  return values;
}

// The main window with the energy window; its boxes are found by their accessible names.
struct EnergyRig : MainWindowRig {
  void open() { get<QPushButton>("Command6").click(); }
  QWidget& window() const { return *Window(kTitle); }
  template <class Control = QLabel>
  Control& control(const QString& name) const {
    return *window().findChild<Control*>(name);
  }
  QLineEdit& box(const QString& label) const {
    for (auto* box : window().findChildren<QLineEdit*>())
      if (box->accessibleName() == label) return *box;
    qFatal("no box %s", qPrintable(label));
  }
  // The read-outs from top to bottom.
  QStringList readOuts() const {
    QList<QLineEdit*> boxes;
    for (auto* box : window().findChildren<QLineEdit*>())
      if (box->isReadOnly()) boxes << box;
    std::ranges::sort(boxes, {}, [](QLineEdit* box) { return box->y(); });
    QStringList texts;
    for (auto* box : boxes) texts << box->text();
    return texts;
  }
  QString note() const { return control("Label6").text(); }
  // Typed over what the box holds.
  void enter(const QString& label, const QString& text) {
    box(label).selectAll();
    QTest::keyClick(&box(label), Qt::Key_Delete);
    QTest::keyClicks(&box(label), text);
  }
  // The pointer in the graph at the angle marker's height and the given world X.
  void pointAt(float X) {
    WorldCanvas& graph = control<WorldCanvas>("Picture1");
    const QPointF middle = graph.toWorld(control<MarkerLine>("Line1").area().center());
    emit graph.pointerMoved(Qt::NoButton, Qt::NoModifier, X, float(middle.y()));
  }
};

}  // namespace

class EnergyWindowTest : public QObject {
  Q_OBJECT
 private slots:
  // Before a load the window asks for one; then it shows what the core gives for the table the
  // main window loaded last, at the energy (typed, or from the wavelength) and angle typed.
  void readOutsAreTheCoresAndFollowEveryInputAndLoad() {
    EnergyRig rig;
    rig.open();
    QCOMPARE(rig.note(), "No table is loaded: choose one in the main window and press OK.");
    QCOMPARE(rig.readOuts().join(""), "");
    rig.load("File1", "Fe.xfs");
    QCOMPARE(rig.control("Label1").text(), "Fe");
    QCOMPARE(rig.control("Label2").text(), "Values per atom of Fe (55.845 g/mol).");
    QCOMPARE(rig.box(kWavelength).text(), "0.709292");  // hc = 12.398419843320026 keV Å
    QCOMPARE(rig.readOuts(), Expected("Fe", 17.48, 30));
    QCOMPARE(rig.note(), "");

    rig.enter(kAngle, "90");
    QCOMPARE(rig.readOuts(), Expected("Fe", 17.48, 90));
    rig.enter(kWavelength, "1.5406");
    const double copperKAlpha = xscatter::EnergyOfWavelength(1.5406);
    QCOMPARE(rig.box(kEnergy).text(), "8.04779");
    QCOMPARE(rig.readOuts(), Expected("Fe", copperKAlpha, 90));
    rig.load("File1", "Cu.xfs");
    QCOMPARE(rig.control("Label1").text(), "Cu");
    QCOMPARE(rig.readOuts(), Expected("Cu", copperKAlpha, 90));

    rig.enter(kAngle, "0");
    QCOMPARE(rig.readOuts(), Expected("Cu", copperKAlpha, 0));
    for (const char* zero : {"Momentum transfer x (1/Å)", "Incoherent scattering function S(x)",
                             "Incoherent dσ/dΩ (barn/sr)"})
      QCOMPARE(rig.box(zero).text(), "0.0000E+00");
    QCOMPARE(rig.note(),
             "At 0° no momentum is transferred: x = 0 and S(0) = 0, so nothing is scattered "
             "incoherently.");
    // x = sin(θ/2)/λ passes the tables' last row, 10⁹ 1/Å, at 30° and 10¹¹ keV.
    rig.enter(kAngle, "30");
    rig.enter(kEnergy, "1e11");
    const QStringList beyond = rig.readOuts();
    QCOMPARE(beyond.mid(1, 2) + beyond.mid(4), QStringList(10, Form7::kBeyondTheTables));
    QVERIFY2(
        rig.note().contains("beyond their last row") &&
            rig.note().contains("At this energy and angle x lies beyond the tables' last row."),
        qPrintable(rig.note()));
    rig.enter(kEnergy, "17.48");
    rig.enter(kAngle, "180.5");
    QCOMPARE(rig.note(), "Type a scattering angle from 0 to 180°.");
    QCOMPARE(rig.readOuts().mid(0, 8).join(""), "");
    QCOMPARE(rig.readOuts().mid(8), Expected("Cu", 17.48, 30).mid(8));
    rig.enter(kEnergy, "17,48");
    QCOMPARE(rig.note(), "Type a photon energy above 0 keV, or a wavelength in Å.");
    QCOMPARE(rig.box(kWavelength).text() + rig.readOuts().join(""), "");
  }

  // One window, its boxes named by their labels, its marker at the angle and its pointer read-out
  // the inverse; a material of unknown composition says so; the graph goes out like the main one.
  void oneWindowMarkedPointedNamedAndTakenOut() {
    EnergyRig rig;
    rig.load("File1", "Fe.xfs");
    rig.open();
    rig.open();
    int windows = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
      windows += window->windowTitle() == kTitle;
    QCOMPARE(windows, 1);
    QStringList named;
    for (auto* label : rig.window().findChildren<QLabel*>()) {
      if (!label->buddy()) continue;
      QCOMPARE(label->buddy()->accessibleName(), label->text());
      named << label->text();
    }
    QCOMPARE(named.size(), 3 + kReadOuts);
    for (const QString& name : kNamed) QVERIFY2(named.contains(name), qPrintable(name));

    auto& marker = rig.control<MarkerLine>("Line1");
    QVERIFY(marker.isShown());
    rig.pointAt(marker.position());
    QVERIFY2(rig.control("Label19").text().startsWith("θ = 30.0°: coherent "),
             qPrintable(rig.control("Label19").text()));
    const float at30 = marker.position();
    rig.enter(kAngle, "120");
    QVERIFY(marker.position() > at30);
    rig.pointAt(-1);
    QCOMPARE(rig.control("Label19").text(), "");

    std::filesystem::copy_file(Workspace::shippedElement("Fe.xfs"),
                               rig.workspace.materialFolder() / "alloy.xfs");
    rig.form->showAgain(true);
    rig.load("File2", "alloy.xfs");
    QCOMPARE(rig.control("Label2").text(),
             "Values per unit of the material in alloy.xfs. Its composition is not known, so "
             "there are no values per gram.");
    QCOMPARE(rig.box("Coherent σ (cm²/g)").text(), Form7::kNoMolarMass);
    QCOMPARE(rig.box("Coherent σ (barn)").text(), Expected("Fe", 17.48, 120)[8]);

    const std::filesystem::path figure = rig.workspace.root() / "alloy.svg";
    rig.dialogs.answer(QString::fromStdString(figure.string()));
    rig.dialogs.choose(2);
    emit rig.control<WorldCanvas>("Picture1").customContextMenuRequested({});
    QCOMPARE(rig.dialogs.menus().last().entries,
             QStringList({"Copy Graph\tCtrl+C", "Save Graph As…", "Save Figure for Print As…"}));
    const std::string svg = FileBytes(figure);
    for (const char* text : {"alloy at 17.48 keV", "Scattering angle θ (°)", "dσ/dΩ (barn/sr)",
                             "per unit of the material in alloy.xfs", "incoherent"})
      QVERIFY2(svg.find(text) != std::string::npos, text);

    rig.get<QPushButton>("Command4").click();
    QVERIFY(!rig.window().isVisible());
    rig.open();
    QCOMPARE(rig.box(kAngle).text(), "120");
  }
};

QTEST_MAIN(EnergyWindowTest)
#include "EnergyWindowTest.moc"
