#include "ScriptedDialogs.h"

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon,
                              const QString& detail) {
  messages_.append({text, titleOrApplicationName(title), icon, detail});
  transcript_ << text + " | " + messages_.last().title + (icon == Icon::Exclamation ? " !" : "");
}

QString ScriptedDialogs::ask(const QString& prompt, const QString& defaultAnswer) {
  return askWithList(prompt, defaultAnswer, {});
}

QString ScriptedDialogs::askWithList(const QString& prompt, const QString& defaultAnswer,
                                     const QStringList& entries) {
  questions_.append({prompt, titleOrApplicationName({}), defaultAnswer, entries});
  transcript_ << prompt + " ? " + defaultAnswer;
  return nextAnswer();
}

// An unscripted question is answered as if the user cancelled it.
QString ScriptedDialogs::nextAnswer() {
  return answers_.isEmpty() ? QString() : answers_.dequeue();
}

std::optional<int> ScriptedDialogs::menu(const QStringList& entries, bool enabled, QPoint at) {
  menus_.append({entries, enabled, at});
  const std::optional<int> choice =
      choices_.isEmpty() ? std::nullopt : std::optional(choices_.dequeue());
  return enabled ? choice : std::nullopt;
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& defaultPath,
                                      const QStringList& filters) {
  fileQuestions_.append({title, defaultPath, filters});
  return nextAnswer();
}
