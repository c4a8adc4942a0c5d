#include "FileListBox.h"

#include <QDir>

FileListBox::FileListBox(QString suffix, QWidget* parent)
    : QListWidget(parent), suffix_(std::move(suffix)) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Any new highlight is a choice: a click, the arrow keys, or Space on the entry that got the
  // focus frame when the list was entered.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (!refreshing_) reportChoice();
  });
  // A click on the entry that is already current changes no row but is still a choice.
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (item == currentItem()) reportChoice();
  });
}

void FileListBox::setFolder(const QString& folder) {
  folder_ = folder;
  refresh();
}

void FileListBox::refresh() {
  refreshing_ = true;
  clear();
  // A name the user gave may begin with a point; such a file is still one of the folder's own.
  // A plain suffix test rather than a name filter, which would start the regular-expression
  // engine (about 450 kB more memory at start-up).
  QStringList names = QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::Readable,
                                              QDir::Name | QDir::IgnoreCase);
  names.removeIf(
      [this](const QString& name) { return !name.endsWith(suffix_, Qt::CaseInsensitive); });
  addItems(names);
  setCurrentRow(-1);
  refreshing_ = false;
}

QString FileListBox::selectedFileName() const {
  const QListWidgetItem* item = currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

void FileListBox::reportChoice() {
  const QString name = selectedFileName();
  if (!name.isEmpty()) emit fileChosen(name);
}
