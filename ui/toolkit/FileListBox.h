#pragma once

#include <QListWidget>
#include <QString>

// The files of one folder whose names end in a suffix, ignoring case, listed in name order
// ignoring case, from which the user picks one by mouse or keyboard.
class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QString suffix, QWidget* parent = nullptr);

  // Lists the folder at once; a folder that does not exist lists nothing.
  void setFolder(const QString& folder);

  // Reads the folder again. The highlight goes, so that a later click on any entry counts as
  // a new choice.
  void refresh();

  // The highlighted file's name without folder; empty when none is highlighted.
  QString selectedFileName() const;

 signals:
  // The user picked an entry, by a click or by moving the highlight with the keyboard.
  void fileChosen(const QString& fileName);

 private:
  void reportChoice();

  QString suffix_;
  QString folder_;
  bool refreshing_ = false;
};
