#pragma once

#include <QString>

// The modal messages and one-line questions that windows put to the user, behind one interface
// so that tests can script the answers.
class Dialogs {
public:
  enum class Icon { None, Exclamation };

  virtual ~Dialogs() = default;

  // A modal message with one OK button; an empty title shows the application's name.
  virtual void message(const QString& text, const QString& title = {}, Icon icon = Icon::None) = 0;

  // A modal one-line question under the application's name; cancelling answers empty text.
  virtual QString ask(const QString& prompt, const QString& defaultAnswer) = 0;

protected:
  static QString titleOrApplicationName(const QString& title);
};
