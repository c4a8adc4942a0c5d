#include <QtTest>
#include <QtWidgets>
#include <fstream>
#include <random>

#include "../main/MainWindowRig.h"

namespace fs = std::filesystem;
// A check that failed is reported by its own text.
#define EXPECT(holds) (holds) ? void() : void(problems << QStringLiteral(#holds))

namespace {

const QString kMain = " Form Factors & Incoherent Scattering Functions", kReference = "Reference",
              kChooser = "New Data", kCompound = "Chemical compound", kMixture = "Mixture";
// Answers a user may give: sensible ones for each question, boundaries and garbage.
const QStringList kNames{"water", "brass", "salt", "mix1", "Water", "水", "Ägua", "  3 ", ".x"},
    kAmounts{"1", "2", "3", "0.5", "50", "30", "15.999", "12.5", "100"},
    kBoundaries{"0.005", "1000", "0", "-1", "1e999", "1e-999", "1e300", "10", "11"},
    kGarbage{"abc", "1,5", "../x", "a/b", "１２", "µ", " 1 2 ", "1e", "--1"};
// Answers that do not fit the question: boundaries, garbage, empty and Cancel.
const QList<QStringList> kUnfitting{kBoundaries, kGarbage, {""}, {QString()}};
const xscatter::ScatteringTable kNoTable{};

// A program run driven by a seeded random user; after every step the windows on screen and the
// material folder are compared with what that user must see. Read-outs, loads and clearing have
// their own tests.
struct Session : MainWindowRig {
  std::mt19937_64 random;
  QString screen = kMain;  // the titles of the windows that must be shown, joined by '|'
  std::map<std::string, std::string> materials;  // what each material file must hold
  QStringList problems;

  explicit Session(qulonglong seed) : random(seed) {
    std::ofstream(workspace.elementFolder() / "Short.xfs", std::ios::binary)
        << FileBytes(Workspace::shippedElement("H.xfs")).substr(0, 44 * 36);  // one line short
    get<FileListBox>("File1").refresh();
    form->show();
  }

  // One random action, then what every step must leave.
  void step() {
    const int action = uniform(0, 2);
    if (action == 0) clickAny();
    if (action == 1) selectIn(shown("QListWidget"));
    if (action == 2 && !screen.startsWith(kMain))
      fillEditor();
    else if (action == 2 && chance(0.5))
      selectIn({&get(chance(0.7) ? "File1" : "File2")}), click(&get("Command2"));
    else if (action == 2)
      click(&get("Command4")),
          click(Window(kChooser)->findChild<QWidget*>(chance(0.5) ? "Command1" : "Command2"));
    QStringList windows;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible()) windows << window->windowTitle();
    windows.sort();
    if (windows.join('|') != screen) problems << "windows shown: " + windows.join('|');
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(workspace.materialFolder()))
      files[entry.path().filename().string()] = FileBytes(entry.path());
    EXPECT(files == materials);
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
    const QStringList& pool = chance(share) ? fitting : kUnfitting[uniform(0, 3)];
    return pool[uniform(0, int(pool.size()) - 1)];
  }
  // The shown controls of one class, or the shown windows, in a fixed order.
  QList<QWidget*> shown(const char* type, bool windows = false) const {
    QList<QWidget*> found;
    for (QWidget* each : QApplication::allWidgets())
      if (each->isVisible() && each->inherits(type) && each->isWindow() == windows) found << each;
    const auto key = [](QWidget* w) { return w->window()->windowTitle() + w->objectName(); };
    std::sort(found.begin(), found.end(), [&](QWidget* a, QWidget* b) { return key(a) < key(b); });
    return found;
  }

  // Any control that reacts to a click, or the close box of a window but the main one, with a
  // few answers queued; never "Exit".
  void clickAny() {
    const auto targets = shown("QAbstractButton") + shown("ClickableLabel") +
                         shown("ClickableTextBox") + shown("QWidget", true);
    QWidget* target = targets[uniform(0, int(targets.size()) - 1)];
    if (target != &get("Command1") && target != form.get())
      click(target, {answer(kNames + kAmounts, 0.7), answer(kAmounts, 0.7)});
  }

  // Clicks a shown control with the answers queued for the dialogs it opens, follows the
  // windows it leads to and notes what creations must write.
  void click(QWidget* target, const QStringList& answers = {}) {
    if (!target || !target->isVisible() || !target->isEnabled()) return;
    const QString window = target->window()->windowTitle(),
                  name = target->isWindow() ? "close" : target->objectName();
    const bool creates = name == "Command1" && (window == kCompound || window == kMixture);
    const QString material =
        creates ? Window(window)->findChild<QWidget*>("Text1")->property("text").toString() : "";
    const auto expected = creates ? expectedMaterial(window == kMixture, material) : std::nullopt;
    const xscatter::ScatteringTable table = module.Table;
    for (const QString& each : answers) dialogs.answer(each);
    dialogs.forget();
    target->isWindow() ? void(target->close()) : QTest::mouseClick(target, Qt::LeftButton);
    while (dialogs.pendingAnswers() > 0) dialogs.ask({}, {});
    // The windows shown next: the Reference window, the chooser, an editor, or back to the main
    // one.
    const bool leaves = window == kReference || window == kChooser || name == "close" ||
                        name == "Command2" || expected;
    if (window != kMain && leaves) screen = kMain;
    if (window == kMain && name == "Command3") screen = kMain + "|" + kReference;
    if (window == kMain && name == "Command4") screen = kChooser;
    if (window == kChooser && name == "Command1") screen = kCompound;
    if (window == kChooser && name == "Command2") screen = kMixture;
    if (expected) materials[material.toStdString() + ".xfs"] = *expected;
    // The chooser clears the table for an editor; its "Cancel" leaves the table alone.
    if (window == kChooser && name.startsWith("Command"))
      EXPECT(!std::memcmp(&module.Table, name == "Command3" ? &table : &kNoTable, sizeof table));
  }

  // The file an editor's "OK" must write: a compound has n_k atoms of element k, a mixture
  // n_1 = 1 and n_k = (A_1 / A_k) w_k / w_1. None on a refusal.
  std::optional<std::string> expectedMaterial(bool mixture, const QString& name) const {
    const xscatter::MaterialInputs& in = module.Editor;
    const auto &A = in.AtomicWeights, &w = in.ElementWeights;
    std::vector<std::pair<fs::path, double>> elements;
    for (int k = 1; k <= in.ElementCount; ++k) {
      if (k > 10) return {};
      const double n = !mixture ? w[k] : k == 1 ? 1 : A[1] / A[k] * w[k] / w[1];
      elements.emplace_back(workspace.elementFolder() / in.ElementFiles[k], n);
    }
    if (name.isEmpty() || name.contains('/')) return {};
    return ExpectedMaterial(elements, module.Table.x);
  }

  // Sets a random row of one of the lists.
  void selectIn(const QList<QWidget*>& lists) {
    auto* at = static_cast<QListWidget*>(lists.value(uniform(0, int(lists.size()) - 1)));
    if (!at || !at->isVisible() || at->count() == 0) return;
    at->setCurrentRow(uniform(0, at->count() - 1));
  }

  // A whole entry as a user makes it, with a wrong answer now and then, ended by "OK".
  void fillEditor() {
    click(Window(screen)->findChild<QWidget*>("Text1"), {answer(kNames, 0.9)});
    const int elements = uniform(1, screen == kCompound ? 5 : (chance(0.8) ? 4 : 10));
    click(Window(screen)->findChild<QWidget*>("Text2"),
          {chance(0.9) ? QString::number(elements) : answer({}, 0)});
    for (int slot = 1; slot <= elements; ++slot) {
      if (chance(0.95)) selectIn({Window(screen)->findChild<QWidget*>("File1")});
      // Row k has its label at design number 7 + k and its element box at 2 + k, the later rows
      // of the mixture editor one and seven numbers further on.
      const QString row = chance(0.5) ? QString("Label%1").arg(7 + slot + (slot > 6))
                                      : QString("Text%1").arg(2 + slot + 7 * (slot > 5));
      click(Window(screen)->findChild<QWidget*>(row),
            {answer(kAmounts, 0.9), answer(kAmounts, 0.9)});
    }
    click(Window(screen)->findChild<QWidget*>("Command1"));
  }
};

}  // namespace

// Thousands of random user actions across all windows, ended by "Exit"; XSCATTER_SESSION_SEED
// replays one seed and XSCATTER_SESSION_STEPS changes the length.
class RandomSessionTest : public QObject {
  Q_OBJECT
 private slots:
  void session() {
    const int steps = qEnvironmentVariable("XSCATTER_SESSION_STEPS", "1500").toInt();
    for (const QString& seed :
         qEnvironmentVariable("XSCATTER_SESSION_SEED", "20240611 7 314159").split(' ')) {
      qInfo("XSCATTER_SESSION_SEED=%s XSCATTER_SESSION_STEPS=%d", qPrintable(seed), steps);
      const QString outcome = Session(seed.toULongLong()).run(steps);
      QVERIFY2(outcome.startsWith("passed"), qPrintable("seed " + seed + ", step " + outcome));
      qInfo("seed %s: %s", qPrintable(seed), qPrintable(outcome));
    }
  }
};

QTEST_MAIN(RandomSessionTest)
#include "RandomSessionTest.moc"
