#include <QLabel>
#include <QtTest>
#include <random>

#include "MainWindowRig.h"
#include "xscatter/Material.h"
#include "xscatter/ReferenceMaterials.h"

namespace fs = std::filesystem;
// A check that failed is reported by its own text.
#define EXPECT(holds) (holds) ? void() : void(problems << QStringLiteral(#holds))

namespace {

const QString kMain = " Form Factors & Incoherent Scattering Functions", kReference = "Reference",
              kChooser = "New Data", kCompound = "Chemical compound", kMixture = "Mixture",
              kEnergy = "Scattering at an Energy";
// Answers a user may give: sensible ones for each question, boundaries and garbage.
const QStringList kNames{"water", "brass", "salt", "mix1", "Water", "水", "Ägua", "  3 ", ".x"},
    kAmounts{"1", "2", "3", "0.5", "50", "30", "15.999", "12.5", "100"},
    kBoundaries{"0.005", "1000", "0", "-1", "1e999", "1e-999", "1e300", "1000.01", "0.00499"},
    kGarbage{"abc", "1,5", "../x", "a/b", "１２", "µ", " 1 2 ", "1e", "--1"},
    kSaves{"a.png", "a.svg", "a.pdf", "a.csv", "a.TSV", "a.txt", "a.xfs", "a.doc", "no/a.csv"},
    // Formulas and reference materials, typed or picked from the list; some need element tables
    // that the workspace does not have.
    kFormulas{"H2O",
              "Fe2O3",
              "CuZn",
              "water-liquid",
              "water-liquid — Water, Liquid",
              "h2o",
              "Ca5(PO4)3OH",
              "H2O)",
              "bone-cortical-icrp — Bone, Cortical (ICRP)",
              " Fe0.7O0.3 "},
    kEnergyInputs{"17.48", "8.048", "1.5406", "0.71", "100", "30", "0", "180", "90", "1e11"};
// Answers that do not fit the question: boundaries, garbage, empty and Cancel.
const QList<QStringList> kUnfitting{kBoundaries, kGarbage, {""}, {QString()}};
// The read-out boxes hold x, F and S as the list shows them, or nothing at all.
const QRegularExpression kReadOut(R"(^(\d\.\d\dE[+-]\d\d( \d\.\d{4}E[+-]\d\d){2}|  )$)");
// The energy window's read-outs: a value in the main window's format or as typed, a word, or
// nothing.
const QRegularExpression kEnergyReadOut(
    R"(^(\d\.\d{4}E[+-]\d{2,3}|\d[\d.e+-]*|beyond the tables|no molar mass|)$)");

// The window with this caption, if there is one.
QWidget* FindWindow(const QString& caption) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == caption) return window;
  return nullptr;
}

// A program run driven by a seeded random user; after every step the windows on screen, the
// read-out and the material folder are compared with what that user must see.
struct Session : MainWindowRig {
  std::mt19937_64 random;
  QStringList screen{kMain};  // the titles of the windows that must be shown, in order
  // What each material file must hold, and whether it must be read back with its composition.
  std::map<std::string, std::pair<std::string, bool>> materials;
  QStringList problems;

  explicit Session(qulonglong seed) : random(seed) { form->show(); }

  // One random action, then what every step must leave.
  void step() {
    const int action = uniform(0, 8);
    const bool inMain = screen.contains(kMain);
    if (action == 0 || (action > 2 && action < 8 && !inMain)) clickAny();
    if (action == 1) selectIn(shown("QListWidget"));
    if (action == 2 && !inMain) fillEditor();
    if (action == 2 && inMain && chance(0.5))
      selectIn({&get(chance(0.7) ? "File1" : "File2")}), click(&get("Command2"));
    else if (action == 2 && inMain)
      click(&get("Command4")), newData(uniform(1, 3));
    if (action >= 3 && action < 8 && inMain) useResults(action - 3);
    if (action == 8) screen.contains(kEnergy) ? useEnergy() : click(&get("Command6"));
    QStringList windows;
    for (QWidget* window : shown("QWidget", true)) windows << window->windowTitle();
    if (windows != screen) problems << "windows shown: " + windows.join('|');
    if (!kReadOut.match(readOut().join(' ')).hasMatch()) problems << "read: " + readOut().join(' ');
    checkEnergyWindow();
    checkMaterials();
  }

  // The material files hold what was made last under each name, and a composition is kept
  // beside a table exactly where one is known.
  void checkMaterials() {
    std::map<std::string, std::pair<std::string, bool>> files;
    const xscatter::TableStore store = module.store();
    for (const auto& entry : fs::directory_iterator(workspace.materialFolder())) {
      const std::string file = entry.path().filename().string();
      const auto read = store.OpenMaterial(file);
      if (file.ends_with(".xfs"))
        files[file] = {FileBytes(entry.path()), read && read->composition.has_value()};
      else
        EXPECT(file.ends_with(".xfs.composition") &&
               fs::exists(fs::path(entry.path()).replace_extension()));
    }
    EXPECT(files == materials);
  }

  // The energy window shows the name of the table loaded last, its values in their formats or
  // words, and an energy and a wavelength that belong together.
  void checkEnergyWindow() {
    const QWidget* energy = FindWindow(kEnergy);
    if (!energy) return;
    EXPECT(energy->findChild<QLabel*>("Label1")->text() == get<QLabel>("Label4").text());
    for (const auto* box : energy->findChildren<QLineEdit*>()) {
      if (box->isReadOnly() && !kEnergyReadOut.match(box->text()).hasMatch())
        problems << box->accessibleName() + ": " + box->text();
    }
    const auto number = [energy](const char* name) {
      bool ok = false;
      const double value = energy->findChild<QLineEdit*>(name)->text().toDouble(&ok);
      return ok ? value : 0;
    };
    const double E = number("Text1"), lambda = number("Text2");
    EXPECT(E * lambda == 0 || std::abs(E * lambda / 12.398419843320026 - 1) < 2e-5);
  }

  // Every step, and "Exit" at the end; what went wrong first.
  QString run(int steps) {
    int step = 0;
    while (problems.isEmpty() && step++ < steps) this->step();
    if (problems.isEmpty()) click(&get("Command1")), EXPECT(!form->isVisible());
    return problems.isEmpty() ? "passed" : QString::number(step) + ": " + problems.join("; ");
  }

  int uniform(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }
  bool chance(double p) { return std::bernoulli_distribution(p)(random); }
  // A fitting answer with the given share, otherwise a boundary, garbage, empty or Cancel.
  QString answer(const QStringList& fitting, double share) {
    return pick(chance(share) ? fitting : pick(kUnfitting));
  }
  // Any one of these, or nothing from none.
  template <class T>
  T pick(const QList<T>& from) {
    return from.value(uniform(0, std::max(0, int(from.size()) - 1)));
  }
  // The shown controls of one class, or the shown windows, in a fixed order.
  QList<QWidget*> shown(const char* type, bool windows = false) const {
    QList<QWidget*> found;
    for (QWidget* each : QApplication::allWidgets())
      if (each->isVisible() && each->inherits(type) && each->isWindow() == windows) found << each;
    std::ranges::sort(found, {},
                      [](QWidget* w) { return w->window()->windowTitle() + w->objectName(); });
    return found;
  }

  // A typed value, a pointer move over the graph and beyond, or a menu entry of the graph or the
  // table, its file named in the workspace or cancelled: a save writes the file or says why not.
  void useResults(int use) {  // typed, pointed, or Copy, Save As or no menu entry chosen
    if (use == 0) return type(answer(kAmounts, 0.6));
    if (use == 1) return point(float(uniform(-20, 300)) / 20, float(uniform(-20, 300)) / 20);
    const fs::path file = workspace.root() / pick(kSaves).toStdString();
    const bool cancels = chance(0.15);
    fs::remove(file);
    dialogs.choose(use - 2);
    QWidget* energyGraph = screen.contains(kEnergy) ? control("Picture1", kEnergy) : nullptr;
    QWidget* target = pick<QWidget*>(energyGraph ? QList<QWidget*>{&list(), &graph(), energyGraph}
                                                 : QList<QWidget*>{&list(), &graph()});
    act(target, {cancels ? QString() : QString::fromStdString(file.string())}, true);
    // The energy window's graph is there once its table gives cross sections at an energy.
    const bool ready =
        target == energyGraph ? dialogs.menus().last().enabled : module.TableLoaded == 1;
    EXPECT(!(use == 3 && ready && !cancels) ||
           fs::exists(file) != (dialogs.messages().size() == 1));
  }

  // An energy, a wavelength or an angle typed, or the pointer over the graph.
  void useEnergy() {
    if (chance(0.2)) {
      auto* graph = static_cast<WorldCanvas*>(control("Picture1", kEnergy));
      emit graph->pointerMoved(Qt::NoButton, Qt::NoModifier, float(uniform(-10, 590)),
                               float(uniform(-10, 440)));
      const QString read = control("Label19", kEnergy)->property("text").toString();
      EXPECT(read.isEmpty() || read.startsWith("θ = "));
      return;
    }
    auto* box =
        static_cast<QLineEdit*>(control(pick<QString>({"Text1", "Text2", "Text3"}), kEnergy));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    // One key event with the whole text, as an input method sends it: any character goes.
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, answer(kEnergyInputs, 0.7),
                        Qt::NoModifier);
  }

  // Any control that reacts to a click, or the close box of a window but the main one, with a
  // few answers queued; never "Exit".
  void clickAny() {
    QWidget* target = pick(shown("QAbstractButton") + shown("ClickableLabel") +
                           shown("ClickableTextBox") + shown("QWidget", true));
    if (target != &get("Command1") && target != form.get())
      click(target, {answer(kNames + kAmounts, 0.7), answer(kAmounts, 0.7)});
  }

  // Clicks the target, or closes it if it is a window, or asks for its menu, with these answers
  // queued for the dialogs that opens; the ones left over go.
  void act(QWidget* target, const QStringList& answers, bool menu = false) {
    for (const QString& each : answers) dialogs.answer(each);
    dialogs.forget();
    if (menu) emit target->customContextMenuRequested({});
    if (!menu)
      target->isWindow() ? void(target->close()) : QTest::mouseClick(target, Qt::LeftButton);
    while (dialogs.pendingAnswers() > 0) dialogs.ask({}, {});
  }

  // Clicks a shown control, follows the windows it leads to and notes what creations must write.
  void click(QWidget* target, const QStringList& answers = {}) {
    if (!target || !target->isVisible() || !target->isEnabled()) return;
    const QString window = target->window()->windowTitle(),
                  name = target->isWindow() ? "close" : target->objectName();
    const bool edits = name == "Command1" && (window == kCompound || window == kMixture);
    const auto expected =
        edits ? expectedMaterial(window == kMixture, control("Text1")->property("text").toString())
        : window == kChooser && name == "Command4" ? expectedFormula(answers)
                                                   : std::nullopt;
    act(target, answers);
    follow(window, name, expected.has_value());
    if (expected) materials[expected->first] = expected->second;
  }

  // The windows shown after a click on the named control of a window ("close" for its close
  // box), which made a material or not.
  void follow(const QString& window, const QString& name, bool made) {
    const bool leaves = name == "close" || name == "Command1";
    if (window == kMain && name == "Command3") screen << kReference;
    if (window == kMain && name == "Command6") screen << kEnergy;
    if (window == kMain && name == "Command4") screen = {kChooser};
    if ((window == kReference || window == kEnergy) && leaves) screen.removeAll(window);
    if (window == kChooser && name == "Command1") screen = {kCompound};
    if (window == kChooser && name == "Command2") screen = {kMixture};
    const bool backToMain = window == kChooser ? name == "Command3" || name == "close" || made
                                               : name == "close" || name == "Command2" || made;
    if (window != kMain && window != kReference && window != kEnergy && backToMain)
      screen = {kMain};
    screen.removeDuplicates();
    screen.sort();
  }

  using Made = std::pair<std::string, std::pair<std::string, bool>>;  // file, bytes, composed

  // The file an editor's "OK" must write: a compound has n_k atoms of element k, a mixture
  // n_1 = 1 and n_k = (A_1 / A_k) w_k / w_1; with a composition wherever the core finds one.
  // None on a refusal.
  std::optional<Made> expectedMaterial(bool mixture, const QString& name) const {
    const EditorValues& in = module.Editor;
    const auto &A = in.AtomicWeights, &w = in.ElementWeights;
    if (in.ElementCount >= 11 || name.isEmpty() || name.contains('/')) return {};
    std::vector<std::pair<fs::path, double>> elements;
    for (int k = 1; k <= in.ElementCount; ++k)
      elements.emplace_back(workspace.elementFolder() / in.ElementFiles[k],
                            mixture ? (k == 1 ? 1 : A[1] / A[k] * w[k] / w[1]) : w[k]);
    const auto bytes = ExpectedMaterial(elements, module.Table.x);
    if (!bytes) return {};
    const auto kind = mixture ? xscatter::MaterialKind::Mixture : xscatter::MaterialKind::Compound;
    return Made{name.toStdString() + ".xfs",
                {*bytes, xscatter::CompositionOfRecipe(in.recipe(kind)).ok()}};
  }

  // The file the chooser's third entry must write for a formula or a reference material (an
  // entry picked from the list stands for its id) and a file name: the compound rule over the
  // composition's atoms, always with the composition. None where the answers make nothing.
  std::optional<Made> expectedFormula(const QStringList& answers) const {
    const std::string text = answers.value(0).trimmed().section(" — ", 0, 0).toStdString();
    const QString name = answers.value(1);
    const auto* reference = xscatter::FindReferenceMaterial(text);
    const auto composition =
        reference ? xscatter::CompositionOf(*reference) : xscatter::CompositionOfFormula(text);
    if (text.empty() || !composition || name.isEmpty() || name.contains('/')) return {};
    std::vector<std::pair<fs::path, double>> elements;
    for (const xscatter::AtomCount& count : composition->atoms) {
      const std::string file = std::string(xscatter::ElementOf(count.Z)->symbol) + ".xfs";
      if (!fs::exists(workspace.elementFolder() / file)) return {};
      elements.emplace_back(workspace.elementFolder() / file, count.atoms);
    }
    const auto bytes = ExpectedMaterial(elements);
    if (!bytes) return {};
    return Made{name.toStdString() + ".xfs", {*bytes, true}};
  }

  // From the chooser: the compound editor, the mixture editor, or a formula or reference
  // material with a file name.
  void newData(int entry) {
    click(control(QString("Command%1").arg(entry == 3 ? 4 : entry)),
          entry == 3 ? QStringList{answer(kFormulas, 0.8), answer(kNames, 0.8)} : QStringList{});
  }

  // A control of the window the user is in, or of another one shown.
  QWidget* control(const QString& name, const QString& window = {}) const {
    return Window(window.isEmpty() ? screen.last() : window)->findChild<QWidget*>(name);
  }

  // Sets a random row of one of the lists.
  void selectIn(const QList<QWidget*>& lists) {
    auto* at = static_cast<QListWidget*>(pick(lists));
    if (at && at->isVisible() && at->count() > 0) at->setCurrentRow(uniform(0, at->count() - 1));
  }

  // A whole entry as a user makes it, with a wrong answer now and then, ended by "OK".
  void fillEditor() {
    click(control("Text1"), {answer(kNames, 0.9)});
    const int elements = uniform(1, screen.contains(kCompound) ? 5 : (chance(0.8) ? 4 : 10));
    click(control("Text2"), {chance(0.9) ? QString::number(elements) : answer({}, 0)});
    for (int slot = 1; slot <= elements; ++slot) {
      if (chance(0.95)) selectIn({control("File1")});
      // Row k has its label at design number 7 + k and its element box at 2 + k, the later rows
      // of the mixture editor one and seven numbers further on.
      const QString row = chance(0.5) ? QString("Label%1").arg(7 + slot + (slot > 6))
                                      : QString("Text%1").arg(2 + slot + 7 * (slot > 5));
      click(control(row), {answer(kAmounts, 0.9), answer(kAmounts, 0.9)});
    }
    click(control("Command1"));
  }
};

}  // namespace

// Thousands of random user actions across all windows, ended by "Exit"; XSCATTER_SESSION_SEED
// replays one seed and XSCATTER_SESSION_STEPS changes the length.
class RandomSessionTest : public QObject {
  Q_OBJECT
 private slots:
  void session() {
    const int steps = qEnvironmentVariable("XSCATTER_SESSION_STEPS", "1200").toInt();
    for (const QString& seed :
         qEnvironmentVariable("XSCATTER_SESSION_SEED", "20240611 7 314159").split(' ')) {
      qInfo("XSCATTER_SESSION_SEED=%s XSCATTER_SESSION_STEPS=%d", qPrintable(seed), steps);
      const QString outcome = Session(seed.toULongLong()).run(steps);
      QVERIFY2(outcome == "passed", qPrintable("seed " + seed + ", step " + outcome));
    }
  }
};

QTEST_MAIN(RandomSessionTest)
#include "RandomSessionTest.moc"
