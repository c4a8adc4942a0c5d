#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ClickableLabel.h"
#include "ClickableTextBox.h"
#include "Dialogs.h"
#include "FileListBox.h"
#include "Module1.h"
#include "xscatter/Material.h"

class QCloseEvent;

// What the compound and the mixture editor have in common: their controls are filled only
// through input dialogs, the entries go into the program-wide editor values, and both windows
// leave by hiding themselves and handing back to the main window.
class MaterialEditor : public QWidget {
 public:
  // Shows the main window again; true when a new material file should appear in its list.
  using BackToMain = std::function<void(bool reloadMaterialList)>;

  // "Cancel": hides the rows and the window and goes back without touching any value.
  void Command2_Click();

 protected:
  // One element row; the atomic-weight box exists in the mixture editor only.
  struct Row {
    int slot = 0;
    ClickableLabel* label = nullptr;
    ClickableTextBox* element = nullptr;
    ClickableTextBox* atomicWeight = nullptr;
    ClickableTextBox* weight = nullptr;  // number of atoms, or weight per cent

    std::vector<QWidget*> boxes() const;
  };

  MaterialEditor(Module1& module, Dialogs& dialogs, BackToMain backToMain, const QString& caption,
                 QSize clientSize);

  // Controls carry their design names as object names, by which tests find them too.
  using Action = std::function<void()>;
  ClickableLabel* label(const QString& name, const QString& caption, QRect where,
                        const Action& onClick = {});
  ClickableTextBox* textBox(const QString& name, QRect where, const Action& onClick);
  FileListBox* elementList(QRect where);
  void button(const QString& name, const QString& caption, QRect where, const Action& onClick);
  // Hides the rows and the hint over the element list until a count shows them.
  void hideRowsAndHint(std::vector<QWidget*> hint);
  void showHint();

  // Asks with the box's text as default answer, or `whenEmpty` while the box is empty, and shows
  // the answer in the box, whatever it is.
  QString askInto(ClickableTextBox* box, const QString& prompt, const QString& whenEmpty = {});
  // The number an answer stands for; an unreadable or overflowing one counts as 0.
  static double numberIn(const QString& answer);
  void warn(const QString& text);

  // The count dialog of both editors; the answer stays in the box, its number is returned.
  double askCount(ClickableTextBox* countBox);
  // The file-name dialog of both editors: an empty answer leaves the name as it was.
  void askFileName(ClickableTextBox* nameBox, const QString& emptyAnswerMessage,
                   const QString& suffix = {});
  // Puts the element chosen in the list into the row; false, after the message, when none is.
  bool takeChosenElement(const FileListBox* list, const Row& row, const QString& noChoiceMessage);

  // Rows 1 to n-1 show from their own number on, the last row only at exactly its number.
  void showRows(double count, bool withLabels);
  void hideRows();

  // Reads the element files of the counted rows, combines them by the kind's rule and writes
  // XFSM-data/<name>.xfs. The current table and the editor values keep what each step left in
  // them: x and the element rows as read, F and S once combined.
  xscatter::Status createMaterial(xscatter::MaterialKind kind, const std::string& name);
  // Tells the user how the creation went, a failure's reason as the message's detail; on
  // success the editor hands back to the main window.
  void reportCreation(const xscatter::Status& outcome, const QString& savedAs);

  // The window's own close control acts as "Cancel", so the main window comes back.
  void closeEvent(QCloseEvent* event) override;

  Module1& module_;
  Dialogs& dialogs_;
  std::vector<Row> rows_;

 private:
  void leave(bool reloadMaterialList);

  BackToMain backToMain_;
  std::vector<QWidget*> hint_;  // the hint lines and the element list
};
