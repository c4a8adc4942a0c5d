#include "FileListBox.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

FileListBox::FileListBox(QString suffix, QWidget* parent)
    : QListWidget(parent), suffix_(suffix.toStdString()) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Any new highlight is a choice: a click, the arrow keys, or Space on the entry that got the
  // focus frame when the list was entered.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (refreshing_) return;
    reportedSincePress_ = true;
    reportChoice();
  });
  // A click on the entry that is already highlighted changes nothing but is still a choice; a
  // click that moved the highlight was reported then, and once is enough (each choice makes
  // the other list read its folder).
  connect(this, &QListWidget::itemClicked, this, [this] {
    if (!reportedSincePress_) reportChoice();
  });
}

void FileListBox::setFolder(const std::filesystem::path& folder) {
  folder_ = folder;
  refresh();
}

// The names are taken as bytes: Qt's own listing turns a name that is not valid UTF-8 into
// one that names no file, and drops it. A link is followed to see what it stands for, while a
// regular file needs no look beyond the folder itself. A name the user gave may begin with a
// point; such a file is still one of the folder's own.
void FileListBox::refresh() {
  std::vector<std::pair<QString, std::string>> files;
  std::error_code error, notRegular;
  for (std::filesystem::directory_iterator entry(folder_, error), end; entry != end;
       entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (EndsWithIgnoringCase(name, suffix_) && entry->is_regular_file(notRegular)) {
      files.emplace_back(QString::fromStdString(name), std::move(name));
    }
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    const int order = a.first.compare(b.first, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.second < b.second;
  });
  QStringList shown;
  shown.reserve(qsizetype(files.size()));
  names_.clear();
  for (auto& [text, name] : files) {
    shown.append(text);
    names_.push_back(std::move(name));
  }
  refreshing_ = true;
  clear();
  addItems(shown);
  setCurrentRow(-1);
  refreshing_ = false;
}

std::string FileListBox::selectedFileName() const {
  const QListWidgetItem* item = currentItem();
  return item && item->isSelected() ? names_[std::size_t(row(item))] : std::string();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  reportedSincePress_ = false;
  QListWidget::mousePressEvent(event);
}

void FileListBox::reportChoice() {
  const std::string name = selectedFileName();
  if (!name.empty()) emit fileChosen(name);
}
