#include "ScriptedDialogs.h"

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon) {
  messages_.append({text, titleOrApplicationName(title), icon});
  transcript_ << text + " | " + messages_.last().title + (icon == Icon::Exclamation ? " !" : "");
}

QString ScriptedDialogs::ask(const QString& prompt, const QString& defaultAnswer) {
  questions_.append({prompt, titleOrApplicationName({}), defaultAnswer});
  transcript_ << prompt + " ? " + defaultAnswer;
  // An unscripted question is answered as if the user cancelled it.
  return answers_.isEmpty() ? QString() : answers_.dequeue();
}
