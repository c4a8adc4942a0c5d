#pragma once

#include <QListWidget>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Form1.h"
#include "MaterialOracle.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"

class MarkerLine;
class WorldCanvas;

// A whole program run driven by a seeded random user: every step is one thing a user can do
// to the windows that are on screen, and after every step the windows, the read-out boxes and
// the material folder are compared with what that user must see.
class Session {
 public:
  // Every entry of a folder by name, with the bytes of each file.
  using FolderContents = std::map<std::string, std::string>;

  explicit Session(unsigned long long seed);
  ~Session();

  // One random step; the problems it revealed, none when all is as expected.
  QStringList step();
  // Leaves the program by "Exit" and checks every material file written during the run.
  QStringList finish();

  // The last steps, oldest first, for replaying a failure.
  QStringList lastActions() const { return {history_.begin(), history_.end()}; }
  QString statistics() const;

 private:
  enum class Screen { Main, Chooser, Compound, Mixture };
  struct Action {
    int weight;
    std::function<QStringList()> run;  // returns what went wrong in the step itself
  };
  using Problems = QStringList;

  // Choosing and recording.
  int uniform(int from, int to);
  bool chance(double probability);
  QString pick(const QStringList& pool);
  QString answerFor(const QStringList& fitting, double fittingShare = 0.75);
  void note(const QString& what);
  void count(const QString& what) { ++statistics_[what]; }

  // Reaching and operating the windows as a user does.
  QWidget* window(const QString& title) const;
  QWidget* control(QWidget* window, const QString& name) const;
  bool shown(QWidget* window, const QString& name) const;
  void click(QWidget* window, const QString& name, const QStringList& answers = {});
  void leave(QWidget* window, const QString& button, bool byCloseBox);
  void clickItem(QListWidget& list, int row);
  void forgetAnswers();

  std::vector<Action> actions();
  void addMainActions(std::vector<Action>& actions);
  void addReferenceActions(std::vector<Action>& actions);
  void addChooserActions(std::vector<Action>& actions);
  void addEditorActions(std::vector<Action>& actions);

  // The main window.
  Problems chooseFile(const char* listName);
  Problems load();
  Problems loadedProblems();
  Problems loadSomething();
  Problems openReference();
  Problems leaveReference(bool byCloseBox);
  Problems createNewData();
  Problems clearReadOut(bool byButton);
  Problems typeMomentum();
  Problems selectTableRow();
  QPointF randomGraphPoint();
  Problems movePointer();
  Problems pointerProblems(float X, float Y, const QStringList& before, bool markersBefore);

  // The chooser and the editors.
  Problems chooseEditor(const QString& button, Screen editor);
  Problems cancelChooser(bool byCloseBox);
  Problems clickEditorControl(QWidget* editorControl);
  Problems fillEditor();
  void fillRow(QWidget* editor, int slot);
  Problems pressEditorOk();
  std::optional<oracle::MaterialLines> expectedCreation(const QString& name) const;
  Problems refusalProblems(const QString& name, const FolderContents& before);
  Problems leaveEditor(bool byCloseBox);

  // What every step must leave.
  Problems invariants() const;
  Problems visibleWindowsProblems() const;
  Problems readOutProblems() const;
  Problems materialListProblems() const;
  Problems materialFolderProblems() const;
  Problems materialFilesMatchWritten() const;

  QWidget* mainWindow() const { return main_.get(); }
  QWidget* editorWindow() const;
  QListWidget& tableList() const;
  WorldCanvas& graph() const;
  QStringList readOut() const;
  QStringList tableRows() const;
  QString shownName() const;
  bool anyMarkerShown() const;
  QString lastMessage() const;
  bool messageShown(const QString& text) const;

  std::mt19937_64 random_;
  Workspace workspace_;
  Module1 module_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<Form1> main_;

  // The model of what the user must see.
  Screen screen_ = Screen::Main;
  bool referenceShown_ = false;
  bool typedButNotEntered_ = false;
  bool loaded_ = false;
  QString chosenFile_;
  bool chosenFromMaterials_ = false;
  std::map<std::string, oracle::MaterialLines> written_;

  std::deque<QString> history_;
  std::map<QString, int> statistics_;
};
