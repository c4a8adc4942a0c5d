#include "Session.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "ClickableLabel.h"
#include "ClickableTextBox.h"
#include "FileListBox.h"
#include "ScatteringGraph.h"
#include "WorldCanvas.h"

namespace {

const QString kMainTitle = " Form Factors & Incoherent Scattering Functions";
const QString kReferenceTitle = "Reference";
const QString kChooserTitle = "New Data";
const QString kCompoundTitle = "Chemical compound";
const QString kMixtureTitle = "Mixture";

const QString kSaved = "データはファイルに保存されました。";
const QString kInputError = "入力したデータに誤りがあります。  よく確認してください。";
const QString kOutOfRange = "This value is out of range.";
const QString kNothingChosen = "Select element or material";

constexpr std::size_t kHistoryLength = 25;
constexpr int kMaterialLineBytes = 34 + 2;

// The element files of the working folder with their atomic weights, and one file cut short
// after 44 lines that no creation or load may accept.
const std::map<std::string, const char*> kAtomicWeights{
    {"H", "1.008"},  {"C", "12.011"},  {"N", "14.007"},  {"O", "15.999"}, {"Na", "22.990"},
    {"Cl", "35.45"}, {"Fe", "55.845"}, {"Cu", "63.546"}, {"Zn", "65.38"}, {"Pb", "207.2"}};
const char* const kShortFile = "Short.xfs";

// Answers a user may give: sensible ones for each question, and the rest of the keyboard.
const QStringList kNames{"water", "brass", "salt", "mix1", "Water", "水", "Ägua", "  3 "};
const QStringList kBadNames{"../x", "a/b", ".x"};
const QStringList kAmounts{"1", "2", "3", "0.5", "50", "30", "70", "12.5", "100"};
const QStringList kMomenta{"0.005", "1000", "5", "10", "0.25", "2.5e-1", "0.1", "1.5", "30"};
const QStringList kBoundaries{"0.005", "1000", "5", "10", "0", "-1", "1e999", "1e-999", "1e300"};
const QStringList kGarbage{"abc", "1,5", "  3 ", "../x", "a/b", "１２", "µ", "", QString()};

// Where a row of each editor has its label and element box; row k counts from 1.
const int kCompoundLabels[] = {8, 9, 10, 11, 12};
const int kCompoundElements[] = {3, 4, 5, 6, 7};
const int kMixtureLabels[] = {8, 9, 10, 11, 12, 13, 15, 16, 17, 18};
const int kMixtureElements[] = {3, 4, 5, 6, 7, 15, 16, 17, 18, 19};

// Read-outs as written by the window: "d.ddE±dd" for x, "d.ddddE±dd" for F and S.
bool Formatted(const QString& text, int decimals) {
  const QRegularExpression shape(QString("^-?\\d\\.\\d{%1}E[+-]\\d{2,3}$").arg(decimals));
  return text.isEmpty() || shape.match(text).hasMatch();
}

std::string Bytes(const oracle::MaterialLines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line;
  return bytes;
}

// Whether a file has the written form: 45 lines of 34 characters, each ending in CR LF.
bool WrittenForm(const std::string& bytes) {
  if (bytes.size() != std::size_t(xscatter::kTableRows * kMaterialLineBytes)) return false;
  for (int row = 0; row < xscatter::kTableRows; ++row) {
    const std::string line = bytes.substr(row * kMaterialLineBytes, kMaterialLineBytes);
    if (line.find_first_of("\r\n") != 34 || line.substr(34) != "\r\n") return false;
  }
  return true;
}

Session::FolderContents Contents(const std::filesystem::path& folder) {
  Session::FolderContents contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    contents[entry.path().filename().string()] = {std::istreambuf_iterator<char>(file), {}};
  }
  return contents;
}

void WriteShortElement(const Workspace& workspace) {
  std::ifstream in(Workspace::shippedElement("H.xfs"), std::ios::binary);
  std::ofstream out(workspace.elementFolder() / kShortFile, std::ios::binary);
  std::string line;
  for (int row = 1; row < xscatter::kTableRows && std::getline(in, line); ++row)
    out << line << '\n';
}

}  // namespace

Session::Session(unsigned long long seed)
    : random_(seed), workspace_({"H", "C", "N", "O", "Na", "Cl", "Fe", "Cu", "Zn", "Pb"}) {
  WriteShortElement(workspace_);
  module_.WorkingFolder = workspace_.root();
  main_ = std::make_unique<Form1>(module_, dialogs_);
  main_->show();
}

Session::~Session() = default;

// ---- Choosing and recording -------------------------------------------------------------

int Session::uniform(int from, int to) {
  return std::uniform_int_distribution<int>(from, to)(random_);
}

bool Session::chance(double probability) {
  return std::bernoulli_distribution(probability)(random_);
}

QString Session::pick(const QStringList& pool) {
  return pool[uniform(0, int(pool.size()) - 1)];
}

// Mostly an answer that fits the question, otherwise a boundary value or garbage.
QString Session::answerFor(const QStringList& fitting, double fittingShare) {
  if (chance(fittingShare)) return pick(fitting);
  return chance(0.5) ? pick(kBoundaries) : pick(kGarbage);
}

void Session::note(const QString& what) {
  history_.push_back(what);
  if (history_.size() > kHistoryLength) history_.pop_front();
}

QString Session::statistics() const {
  QStringList parts;
  for (const auto& [what, times] : statistics_) parts << QString("%1 %2").arg(what).arg(times);
  return parts.join(", ");
}

// ---- Reaching the windows -----------------------------------------------------------------

QWidget* Session::window(const QString& title) const {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->windowTitle() == title) return top;
  return nullptr;
}

QWidget* Session::control(QWidget* window, const QString& name) const {
  return window ? window->findChild<QWidget*>(name) : nullptr;
}

bool Session::shown(QWidget* window, const QString& name) const {
  QWidget* found = control(window, name);
  return found && found->isVisible() && found->isEnabled();
}

// Clicks a control with the answers queued for the dialogs it may open; a user can only click
// what is on screen, so a control that is not is left alone.
void Session::click(QWidget* window, const QString& name, const QStringList& answers) {
  if (!shown(window, name)) return;
  for (const QString& answer : answers) dialogs_.answer(answer);
  note(QString("  click %1 %2, answers [%3]")
           .arg(window->windowTitle().trimmed(), name, answers.join("|")));
  QTest::mouseClick(control(window, name), Qt::LeftButton);
  forgetAnswers();
}

// By its button or by the window's own close box.
void Session::leave(QWidget* window, const QString& button, bool byCloseBox) {
  if (!byCloseBox) return click(window, button);
  note("close " + window->windowTitle());
  window->close();
}

void Session::clickItem(QListWidget& list, int row) {
  QListWidgetItem* item = list.item(row);
  list.scrollToItem(item);
  note(QString("  click %1 row %2 (%3)").arg(list.objectName()).arg(row).arg(item->text()));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

// Answers a click did not use must not reach the next one.
void Session::forgetAnswers() {
  while (dialogs_.pendingAnswers() > 0) dialogs_.ask({}, {});
}

QWidget* Session::editorWindow() const {
  return window(screen_ == Screen::Compound ? kCompoundTitle : kMixtureTitle);
}

QListWidget& Session::tableList() const {
  return *main_->findChild<QListWidget*>("List1");
}

WorldCanvas& Session::graph() const {
  return *main_->findChild<WorldCanvas*>("Picture1");
}

QStringList Session::readOut() const {
  QStringList texts;
  for (const char* box : {"Text1", "Text2", "Text3"})
    texts << main_->findChild<QLineEdit*>(box)->text();
  return texts;
}

QStringList Session::tableRows() const {
  QStringList rows;
  for (int row = 0; row < tableList().count(); ++row) rows << tableList().item(row)->text();
  return rows;
}

bool Session::anyMarkerShown() const {
  for (const char* line : {"Line1", "Line2", "Line3"})
    if (main_->findChild<MarkerLine*>(line)->isShown()) return true;
  return false;
}

QString Session::lastMessage() const {
  return dialogs_.messages().isEmpty() ? QString() : dialogs_.messages().last().text;
}

bool Session::messageShown(const QString& text) const {
  for (const auto& message : dialogs_.messages())
    if (message.text == text) return true;
  return false;
}

// ---- One step -----------------------------------------------------------------------------

std::vector<Session::Action> Session::actions() {
  std::vector<Action> actions;
  switch (screen_) {
    case Screen::Main:
      addMainActions(actions);
      addReferenceActions(actions);
      break;
    case Screen::Chooser:
      addChooserActions(actions);
      break;
    case Screen::Compound:
    case Screen::Mixture:
      addEditorActions(actions);
      break;
  }
  return actions;
}

QStringList Session::step() {
  const std::vector<Action> possible = actions();
  std::vector<int> weights;
  for (const Action& action : possible) weights.push_back(action.weight);
  const std::size_t chosen =
      std::discrete_distribution<std::size_t>(weights.begin(), weights.end())(random_);
  Problems problems = possible[chosen].run();
  problems << invariants();
  forgetAnswers();
  dialogs_.forget();
  return problems;
}

QStringList Session::finish() {
  Problems problems = materialFilesMatchWritten();
  if (screen_ != Screen::Main) return problems;
  note("Exit");
  QTest::mouseClick(control(main_.get(), "Command1"), Qt::LeftButton);
  if (main_->isVisible()) problems << "the main window is still shown after Exit";
  return problems;
}

// ---- The main window ----------------------------------------------------------------------

void Session::addMainActions(std::vector<Action>& actions) {
  actions.push_back({12, [this] { return loadSomething(); }});
  actions.push_back({3, [this] { return chooseFile("File1"); }});
  actions.push_back({2, [this] { return chooseFile("File2"); }});
  actions.push_back({3, [this] { return load(); }});
  actions.push_back({2, [this] { return openReference(); }});
  actions.push_back({9, [this] { return createNewData(); }});
  actions.push_back({2, [this] { return clearReadOut(true); }});
  actions.push_back({2, [this] { return clearReadOut(false); }});
  actions.push_back({7, [this] { return typeMomentum(); }});
  if (tableList().count() > 0) actions.push_back({5, [this] { return selectTableRow(); }});
  actions.push_back({8, [this] { return movePointer(); }});
}

Session::Problems Session::chooseFile(const char* listName) {
  auto& files = *main_->findChild<FileListBox*>(listName);
  if (files.count() == 0) return {};
  const int row = uniform(0, files.count() - 1);
  clickItem(files, row);
  chosenFile_ = files.item(row)->text();
  chosenFromMaterials_ = files.objectName() == "File2";
  return {};
}

QString Session::shownName() const {
  return main_->findChild<QLabel*>("Label4")->text();
}

// "OK": a readable choice replaces name, list and read-outs; any other leaves them as they were.
Session::Problems Session::load() {
  note("main OK");
  const QString nameBefore = shownName();
  const QStringList rowsBefore = tableRows();
  const auto folder =
      chosenFromMaterials_ ? workspace_.materialFolder() : workspace_.elementFolder();
  const bool loadable =
      !chosenFile_.isEmpty() && oracle::Loadable(folder / chosenFile_.toStdString());
  QTest::mouseClick(control(main_.get(), "Command2"), Qt::LeftButton);
  if (loadable) return loadedProblems();
  count("refused loads");
  Problems problems;
  if (chosenFile_.isEmpty() ? lastMessage() != kNothingChosen : lastMessage().isEmpty())
    problems << "OK on \"" + chosenFile_ + "\" said \"" + lastMessage() + "\"";
  if (shownName() != nameBefore || tableRows() != rowsBefore)
    problems << "a refused load changed the list";
  return problems;
}

Session::Problems Session::loadedProblems() {
  count("loads");
  loaded_ = true;
  typedButNotEntered_ = false;
  if (!lastMessage().isEmpty()) return {"loading " + chosenFile_ + " said " + lastMessage()};
  if (shownName() != chosenFile_.chopped(4) || tableList().count() != xscatter::kTableRows)
    return {"loading " + chosenFile_ + " shows " + shownName()};
  if (readOut() != QStringList{"", "", ""} || anyMarkerShown())
    return {"a load left read-outs or markers"};
  return {};
}

Session::Problems Session::loadSomething() {
  note("load a table:");
  Problems problems = chooseFile(chance(0.7) ? "File1" : "File2");
  return problems << load();
}

Session::Problems Session::openReference() {
  click(main_.get(), "Command3");
  referenceShown_ = true;
  return {};
}

Session::Problems Session::createNewData() {
  click(main_.get(), "Command4");
  screen_ = Screen::Chooser;
  referenceShown_ = false;
  return {};
}

// A click into Text1 or "C" empties the read-out and hides the markers.
Session::Problems Session::clearReadOut(bool byButton) {
  click(main_.get(), byButton ? "Command5" : "Text1");
  typedButNotEntered_ = false;
  if (readOut() != QStringList{"", "", ""} || anyMarkerShown())
    return {"clearing left read-outs or markers"};
  return {};
}

Session::Problems Session::typeMomentum() {
  auto* box = main_->findChild<ClickableTextBox*>("Text1");
  if (chance(0.4)) click(main_.get(), "Text1");
  const QString typed = answerFor(kMomenta, 0.6);
  const bool enter = chance(0.85);
  note(QString("  type \"%1\"%2").arg(typed, enter ? " and Enter" : ""));
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Backspace);
  // Typed character by character with its text, which also carries what keyClicks cannot.
  for (const QChar character : typed)
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
  typedButNotEntered_ = !enter;
  if (!enter) return {};
  QTest::keyClick(box, Qt::Key_Return);
  count("typed read-outs");
  if (messageShown(kOutOfRange) && readOut() != QStringList{"", "", ""})
    return {"a refused value left read-outs"};
  return {};
}

// A new list row shows its own values in the three boxes.
Session::Problems Session::selectTableRow() {
  QListWidget& list = tableList();
  const int before = list.currentRow();
  const QStringList readOutBefore = readOut();
  const int row = uniform(0, list.count() - 1);
  clickItem(list, row);
  typedButNotEntered_ = typedButNotEntered_ && row == before;
  const QStringList fields = list.item(row)->text().split(' ', Qt::SkipEmptyParts);
  if (readOut() != fields && (row != before || readOut() != readOutBefore))
    return {QString("list row %1 shows [%2]").arg(row).arg(readOut().join("|"))};
  return {};
}

// A point of the drawing area in world coordinates: inside the plotting window, on its
// border, or in the margin around it.
QPointF Session::randomGraphPoint() {
  const float edge = ScatteringGraph::kPlotEdge;
  const QRectF canvasWorld = ScatteringGraph::World().normalized();
  std::uniform_real_distribution<float> across(0.05f, edge - 0.05f);
  QPointF world(across(random_), across(random_));
  const int where = uniform(0, 3);  // 0, 1 inside, 2 on the border, 3 in the margin
  const bool horizontal = chance(0.5);
  qreal& moved = horizontal ? world.rx() : world.ry();
  if (where == 2) moved = chance(0.5) ? 0.f : edge;
  if (where == 3) {
    const double low = horizontal ? canvasWorld.left() : canvasWorld.top();
    const double high = horizontal ? canvasWorld.right() : canvasWorld.bottom();
    auto margin = chance(0.5) ? std::uniform_real_distribution<double>(low + 0.05, -0.01)
                              : std::uniform_real_distribution<double>(edge + 0.01, high - 0.05);
    moved = margin(random_);
  }
  return world;
}

// A mouse moves by whole pixels, so a point on the border becomes the pixel nearest to it,
// which lies just inside or just outside.
Session::Problems Session::movePointer() {
  WorldCanvas& canvas = graph();
  const QPoint at = canvas.toWidget(randomGraphPoint()).toPoint();
  const QPointF reported = canvas.toWorld(at);
  note(QString("  pointer at (%1, %2)").arg(float(reported.x())).arg(float(reported.y())));
  const QStringList before = readOut();
  const bool markersBefore = anyMarkerShown();
  QTest::mouseMove(&canvas, at);
  return pointerProblems(float(reported.x()), float(reported.y()), before, markersBefore);
}

// Inside the plotting window the pointer marks a row, on its border or outside it only hides
// the markers; before the first load it does nothing.
Session::Problems Session::pointerProblems(float X, float Y, const QStringList& before,
                                           bool markersBefore) {
  const float edge = ScatteringGraph::kPlotEdge;
  if (!loaded_) {
    if (readOut() != before || anyMarkerShown() != markersBefore)
      return {"the pointer changed the read-out before any load"};
    return {};
  }
  if (!(X > 0 && X < edge && Y > 0 && Y < edge)) {
    if (readOut() != before || anyMarkerShown()) return {"the pointer outside kept markers"};
    return {};
  }
  const QListWidgetItem* current = tableList().currentItem();
  const bool showsRow =
      current && readOut() == current->text().split(' ', Qt::SkipEmptyParts) && anyMarkerShown();
  if (showsRow) {
    typedButNotEntered_ = false;
    count("rows marked by the pointer");
  }
  if (showsRow || (readOut() == before && !anyMarkerShown())) return {};
  return {QString("the pointer at X %1 left read-out [%2] beside list row %3 [%4]")
              .arg(X)
              .arg(readOut().join("|"))
              .arg(tableList().currentRow())
              .arg(current ? current->text() : QString())};
}

// ---- The Reference window -----------------------------------------------------------------

void Session::addReferenceActions(std::vector<Action>& actions) {
  if (!referenceShown_) return;
  actions.push_back({2, [this] { return leaveReference(false); }});
  actions.push_back({1, [this] { return leaveReference(true); }});
}

Session::Problems Session::leaveReference(bool byCloseBox) {
  leave(window(kReferenceTitle), "Command1", byCloseBox);
  referenceShown_ = false;
  return {};
}

// ---- The chooser --------------------------------------------------------------------------

void Session::addChooserActions(std::vector<Action>& actions) {
  actions.push_back({10, [this] { return chooseEditor("Command1", Screen::Compound); }});
  actions.push_back({10, [this] { return chooseEditor("Command2", Screen::Mixture); }});
  actions.push_back({2, [this] { return cancelChooser(false); }});
  actions.push_back({1, [this] { return cancelChooser(true); }});
}

// The chooser hands the editor a table of zeros.
Session::Problems Session::chooseEditor(const QString& button, Screen editor) {
  click(window(kChooserTitle), button);
  screen_ = editor;
  const auto& table = module_.Table;
  for (int row = 1; row <= xscatter::kTableRows; ++row)
    if (table.x[row] != 0 || table.F[row] != 0 || table.S[row] != 0)
      return {QString("the chooser left row %1 of the table").arg(row)};
  return {};
}

Session::Problems Session::cancelChooser(bool byCloseBox) {
  leave(window(kChooserTitle), "Command3", byCloseBox);
  screen_ = Screen::Main;
  return {};
}

// ---- The editors --------------------------------------------------------------------------

void Session::addEditorActions(std::vector<Action>& actions) {
  QWidget* editor = editorWindow();
  actions.push_back({8, [this] { return fillEditor(); }});
  actions.push_back({4, [this] { return pressEditorOk(); }});
  actions.push_back({2, [this] { return leaveEditor(false); }});
  actions.push_back({1, [this] { return leaveEditor(true); }});
  std::vector<QWidget*> clickable;
  for (QWidget* label : editor->findChildren<ClickableLabel*>()) clickable.push_back(label);
  for (QWidget* box : editor->findChildren<ClickableTextBox*>()) clickable.push_back(box);
  clickable.push_back(editor->findChild<FileListBox*>("File1"));
  for (QWidget* each : clickable)
    if (each->isVisible())
      actions.push_back({1, [this, each] { return clickEditorControl(each); }});
}

Session::Problems Session::clickEditorControl(QWidget* editorControl) {
  if (auto* list = qobject_cast<FileListBox*>(editorControl)) {
    if (list->count() > 0) clickItem(*list, uniform(0, list->count() - 1));
    return {};
  }
  const QStringList pool = kNames + kAmounts;
  click(editorWindow(), editorControl->objectName(), {answerFor(pool), answerFor(pool)});
  return {};
}

// A whole entry as a user would make it, with a wrong answer now and then, ended by "OK".
Session::Problems Session::fillEditor() {
  QWidget* editor = editorWindow();
  const bool compound = screen_ == Screen::Compound;
  note(compound ? "enter a compound:" : "enter a mixture:");
  const QString name = chance(0.1) ? pick(kBadNames) : answerFor(kNames, 0.9);
  click(editor, compound && chance(0.3) ? "Label1" : "Text1", {name});
  const int elements = uniform(1, compound ? 5 : (chance(0.8) ? 4 : 10));
  const bool countByLabel = compound && chance(0.15);
  click(editor, countByLabel ? "Label2" : "Text2",
        {chance(0.9) ? QString::number(elements) : answerFor({}, 0)});
  for (int slot = 1; slot <= elements; ++slot) fillRow(editor, slot);
  return pressEditorOk();
}

// Chooses an element in the list and enters the row by its label or its element box.
void Session::fillRow(QWidget* editor, int slot) {
  const bool compound = screen_ == Screen::Compound;
  auto& list = *editor->findChild<FileListBox*>("File1");
  QString element = list.selectedFileName();
  if (list.isVisible() && chance(0.95)) {
    const int row = uniform(0, list.count() - 1);
    clickItem(list, row);
    element = list.item(row)->text();
  }
  const int label = (compound ? kCompoundLabels : kMixtureLabels)[slot - 1];
  const int box = (compound ? kCompoundElements : kMixtureElements)[slot - 1];
  const QString target = chance(0.5) ? QString("Label%1").arg(label) : QString("Text%1").arg(box);
  const auto weight = kAtomicWeights.find(element.section('.', 0, 0).toStdString());
  const QString atomicWeight = weight == kAtomicWeights.end() ? "1" : weight->second;
  const QString amount = answerFor(kAmounts, 0.9);
  click(editor, target,
        compound ? QStringList{amount} : QStringList{answerFor({atomicWeight}, 0.9), amount});
}

// "OK" must write exactly the recomputed table and go back to the main window, or refuse
// with its message, stay open and leave every material file as it was.
Session::Problems Session::pressEditorOk() {
  QWidget* editor = editorWindow();
  const QString name = editor->findChild<QLineEdit*>("Text1")->text();
  const auto expected = name.isEmpty() ? std::nullopt : expectedCreation(name);
  const FolderContents before = Contents(workspace_.materialFolder());
  click(editor, "Command1");
  if (!expected) return refusalProblems(name, before);
  count(screen_ == Screen::Compound ? "compounds created" : "mixtures created");
  const std::string file = name.toStdString() + ".xfs";
  written_[file] = *expected;
  screen_ = Screen::Main;
  FolderContents after = Contents(workspace_.materialFolder());
  Problems problems;
  if (lastMessage() != kSaved) problems << "OK for " + name + " said " + lastMessage();
  if (after[file] != Bytes(*expected))
    problems << "the file " + name + ".xfs differs from its recomputation";
  after.erase(file);
  FolderContents others = before;
  others.erase(file);
  if (after != others) problems << "OK for " + name + " touched other material files";
  return problems;
}

std::optional<oracle::MaterialLines> Session::expectedCreation(const QString& name) const {
  const auto recipe =
      screen_ == Screen::Compound ? oracle::Recipe::Compound : oracle::Recipe::Mixture;
  return oracle::ExpectedMaterial(recipe, workspace_.elementFolder(), name.toStdString(),
                                  module_.Editor, module_.Table.x);
}

Session::Problems Session::refusalProblems(const QString& name, const FolderContents& before) {
  count(name.isEmpty() ? "unnamed OKs" : "refused creations");
  const bool compound = screen_ == Screen::Compound;
  const QString message = !name.isEmpty() ? kInputError
                          : compound      ? "ファイル名が入力されていません"
                                          : "ファイル名を入力してください";
  if (lastMessage() != message) return {"OK said \"" + lastMessage() + "\", not " + message};
  if (Contents(workspace_.materialFolder()) != before)
    return {"a refused OK changed the material folder"};
  return {};
}

Session::Problems Session::leaveEditor(bool byCloseBox) {
  leave(editorWindow(), "Command2", byCloseBox);
  screen_ = Screen::Main;
  return {};
}

// ---- Invariants ---------------------------------------------------------------------------

Session::Problems Session::invariants() const {
  return visibleWindowsProblems() + readOutProblems() + materialListProblems() +
         materialFolderProblems();
}

Session::Problems Session::visibleWindowsProblems() const {
  QStringList expected;
  switch (screen_) {
    case Screen::Main:
      expected << kMainTitle;
      if (referenceShown_) expected << kReferenceTitle;
      break;
    case Screen::Chooser:
      expected << kChooserTitle;
      break;
    case Screen::Compound:
      expected << kCompoundTitle;
      break;
    case Screen::Mixture:
      expected << kMixtureTitle;
      break;
  }
  QStringList visible;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->windowType() != Qt::ToolTip) visible << top->windowTitle();
  expected.sort();
  visible.sort();
  if (visible == expected) return {};
  return {"windows shown: [" + visible.join("|") + "], expected [" + expected.join("|") + "]"};
}

// Text1 may hold what the user is typing; otherwise the boxes hold formatted values or nothing.
Session::Problems Session::readOutProblems() const {
  const QStringList texts = readOut();
  const bool shapes = (typedButNotEntered_ || Formatted(texts[0], 2)) && Formatted(texts[1], 4) &&
                      Formatted(texts[2], 4);
  if (shapes) return {};
  return {"read-out boxes show [" + texts.join("|") + "]"};
}

// The material list, whenever it is on screen, offers every material file there is.
Session::Problems Session::materialListProblems() const {
  if (screen_ != Screen::Main) return {};
  const auto& listed = *main_->findChild<FileListBox*>("File2");
  std::set<QString> names;
  for (int row = 0; row < listed.count(); ++row) names.insert(listed.item(row)->text());
  std::set<QString> files;
  for (const auto& entry : std::filesystem::directory_iterator(workspace_.materialFolder()))
    files.insert(QString::fromStdString(entry.path().filename().string()));
  if (names == files) return {};
  return {
      QString("the material list has %1 entries for %2 files").arg(names.size()).arg(files.size())};
}

// Only finished material files, each in the written form; nothing left behind by a write.
Session::Problems Session::materialFolderProblems() const {
  Problems problems;
  for (const auto& [name, bytes] : Contents(workspace_.materialFolder())) {
    if (!name.ends_with(".xfs"))
      problems << QString::fromStdString("stray entry " + name);
    else if (!WrittenForm(bytes))
      problems << QString::fromStdString(name + " is malformed");
  }
  return problems;
}

Session::Problems Session::materialFilesMatchWritten() const {
  Problems problems;
  const FolderContents files = Contents(workspace_.materialFolder());
  for (const auto& [name, bytes] : files) {
    const auto written = written_.find(name);
    if (written == written_.end() || Bytes(written->second) != bytes)
      problems << QString::fromStdString(name + " is not the table last created under its name");
  }
  if (files.size() != written_.size()) problems << "material files are missing";
  return problems;
}
