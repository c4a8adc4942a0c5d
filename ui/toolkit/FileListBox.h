#pragma once

#include <QListWidget>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

// The files of one folder whose names end in a suffix, ignoring case, listed in name order
// ignoring case, from which the user picks one by mouse or keyboard. Only what can be read as
// a file is listed: regular files and symbolic links to them.
class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QString suffix, QWidget* parent = nullptr);

  // Lists the folder at once; a folder that does not exist lists nothing.
  void setFolder(const std::filesystem::path& folder);

  // Reads the folder again. The highlight goes, so that a later click on any entry counts as
  // a new choice.
  void refresh();

  // The highlighted file's name without folder, byte for byte as the file system has it: a
  // name that is not valid UTF-8 is shown with replacement characters but still opens. Empty
  // when none is highlighted.
  std::string selectedFileName() const;

 signals:
  // The user picked an entry, by a click or by moving the highlight with the keyboard.
  void fileChosen(const std::string& fileName);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void reportChoice();

  std::string suffix_;
  std::filesystem::path folder_;
  std::vector<std::string> names_;  // the file name of each row
  bool refreshing_ = false;
  bool reportedSincePress_ = false;
};
