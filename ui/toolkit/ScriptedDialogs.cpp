#include "ScriptedDialogs.h"

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon) {
  messages_.append({text, titleOrApplicationName(title), icon});
}

QString ScriptedDialogs::ask(const QString& prompt, const QString& defaultAnswer) {
  questions_.append({prompt, titleOrApplicationName({}), defaultAnswer});
  // An unscripted question is answered as if the user cancelled it.
  return answers_.isEmpty() ? QString() : answers_.dequeue();
}
