#include <QtTest>
#include <random>

#include "MainWindowRig.h"

namespace fs = std::filesystem;
// A check that failed is reported by its own text.
#define EXPECT(holds) (holds) ? void() : void(problems << QStringLiteral(#holds))

namespace {

const QString kMain = " Form Factors & Incoherent Scattering Functions", kReference = "Reference",
              kChooser = "New Data", kCompound = "Chemical compound", kMixture = "Mixture";
// Answers a user may give: sensible ones for each question, boundaries and garbage.
const QStringList kNames{"water", "brass", "salt", "mix1", "Water", "水", "Ägua", "  3 ", ".x"},
    kAmounts{"1", "2", "3", "0.5", "50", "30", "15.999", "12.5", "100"},
    kBoundaries{"0.005", "1000", "0", "-1", "1e999", "1e-999", "1e300", "1000.01", "0.00499"},
    kGarbage{"abc", "1,5", "../x", "a/b", "１２", "µ", " 1 2 ", "1e", "--1"},
    kSaves{"a.png", "a.svg", "a.pdf", "a.csv", "a.TSV", "a.txt", "a.xfs", "a.doc", "no/a.csv"};
// Answers that do not fit the question: boundaries, garbage, empty and Cancel.
const QList<QStringList> kUnfitting{kBoundaries, kGarbage, {""}, {QString()}};
// The windows that buttons lead to, by the caption of their window and their name.
const QMap<QString, QString> kNext{{kMain + "Command3", kMain + "|" + kReference},
                                   {kMain + "Command4", kChooser},
                                   {kChooser + "Command1", kCompound},
                                   {kChooser + "Command2", kMixture}};
// The read-out boxes hold x, F and S as the list shows them, or nothing at all.
const QRegularExpression kReadOut(R"(^(\d\.\d\dE[+-]\d\d( \d\.\d{4}E[+-]\d\d){2}|  )$)");

// A program run driven by a seeded random user; after every step the windows on screen, the
// read-out and the material folder are compared with what that user must see.
struct Session : MainWindowRig {
  std::mt19937_64 random;
  QString screen = kMain;  // the titles of the windows that must be shown, joined by '|'
  std::map<std::string, std::string> materials;  // what each material file must hold
  QStringList problems;

  explicit Session(qulonglong seed) : random(seed) { form->show(); }

  // One random action, then what every step must leave.
  void step() {
    const int action = uniform(0, 7);
    const bool inMain = screen.startsWith(kMain);
    if (action == 0 || (action > 2 && !inMain)) clickAny();
    if (action == 1) selectIn(shown("QListWidget"));
    if (action == 2 && !inMain) fillEditor();
    if (action == 2 && inMain && chance(0.5))
      selectIn({&get(chance(0.7) ? "File1" : "File2")}), click(&get("Command2"));
    else if (action == 2 && inMain)
      click(&get("Command4")), click(control(chance(0.5) ? "Command1" : "Command2"));
    if (action >= 3 && inMain) useResults(action - 3);
    QStringList windows;
    for (QWidget* window : shown("QWidget", true)) windows << window->windowTitle();
    if (windows.join('|') != screen) problems << "windows shown: " + windows.join('|');
    if (!kReadOut.match(readOut().join(' ')).hasMatch()) problems << "read: " + readOut().join(' ');
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
    const bool cancels = chance(0.15), saves = use == 3 && module.TableLoaded == 1 && !cancels;
    fs::remove(file);
    dialogs.choose(use - 2);
    act(pick<QWidget*>({&list(), &graph()}),
        {cancels ? QString() : QString::fromStdString(file.string())}, true);
    EXPECT(!saves || fs::exists(file) != (dialogs.messages().size() == 1));
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
    const bool creates = name == "Command1" && (window == kCompound || window == kMixture);
    const QString material = creates ? control("Text1")->property("text").toString() : "";
    const auto expected = creates ? expectedMaterial(window == kMixture, material) : std::nullopt;
    act(target, answers);
    // The windows shown next: the Reference window, the chooser, an editor, or the main one.
    const bool leaves = window == kReference || window == kChooser || name == "close" ||
                        name == "Command2" || expected;
    screen = kNext.value(window + name, window != kMain && leaves ? kMain : screen);
    if (expected) materials[material.toStdString() + ".xfs"] = *expected;
  }

  // The file an editor's "OK" must write: a compound has n_k atoms of element k, a mixture
  // n_1 = 1 and n_k = (A_1 / A_k) w_k / w_1. None on a refusal.
  std::optional<std::string> expectedMaterial(bool mixture, const QString& name) const {
    const EditorValues& in = module.Editor;
    const auto &A = in.AtomicWeights, &w = in.ElementWeights;
    if (in.ElementCount >= 11 || name.isEmpty() || name.contains('/')) return {};
    std::vector<std::pair<fs::path, double>> elements;
    for (int k = 1; k <= in.ElementCount; ++k)
      elements.emplace_back(workspace.elementFolder() / in.ElementFiles[k],
                            mixture ? (k == 1 ? 1 : A[1] / A[k] * w[k] / w[1]) : w[k]);
    return ExpectedMaterial(elements, module.Table.x);
  }

  // A control of the window the user is in.
  QWidget* control(const QString& name) const { return Window(screen)->findChild<QWidget*>(name); }

  // Sets a random row of one of the lists.
  void selectIn(const QList<QWidget*>& lists) {
    auto* at = static_cast<QListWidget*>(pick(lists));
    if (at && at->isVisible() && at->count() > 0) at->setCurrentRow(uniform(0, at->count() - 1));
  }

  // A whole entry as a user makes it, with a wrong answer now and then, ended by "OK".
  void fillEditor() {
    click(control("Text1"), {answer(kNames, 0.9)});
    const int elements = uniform(1, screen == kCompound ? 5 : (chance(0.8) ? 4 : 10));
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
