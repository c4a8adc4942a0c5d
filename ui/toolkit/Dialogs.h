#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

// The modal messages, one-line questions, context menus and file dialogs that windows put to
// the user, behind one interface so that tests can script the answers.
class Dialogs {
 public:
  enum class Icon { None, Exclamation };

  virtual ~Dialogs() = default;

  // A modal message with one OK button; an empty title shows the application's name. A detail,
  // such as the reason for a failure, waits behind a button of its own, so that the text stays
  // as it is.
  virtual void message(const QString& text, const QString& title = {}, Icon icon = Icon::None,
                       const QString& detail = {}) = 0;

  // A modal one-line question under the application's name; cancelling answers empty text.
  virtual QString ask(const QString& prompt, const QString& defaultAnswer) = 0;

  // The same with entries to pick from: the answer's box drops them down and, as the user types,
  // offers those that hold the text anywhere, ignoring case. Any text is an answer.
  virtual QString askWithList(const QString& prompt, const QString& defaultAnswer,
                              const QStringList& entries) = 0;

  // A context menu at a point on the screen, its entries all enabled or all disabled. Returns
  // the position of the entry chosen, none when the menu closes without a choice.
  virtual std::optional<int> menu(const QStringList& entries, bool enabled, QPoint at) = 0;

  // A file dialog for saving, whose filters look like "PNG image (*.png)". Returns the path
  // chosen, empty text when cancelled.
  virtual QString saveFileName(const QString& title, const QString& defaultPath,
                               const QStringList& filters) = 0;

 protected:
  static QString titleOrApplicationName(const QString& title);
};
