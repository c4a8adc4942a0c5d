#pragma once

#include <QList>
#include <QQueue>
#include <QStringList>

#include "Dialogs.h"

// Dialogs for tests: answers come from a queue, and every message and question is recorded
// as the user would have seen it.
class ScriptedDialogs final : public Dialogs {
 public:
  struct Message {
    QString text;
    QString title;
    Icon icon;
  };
  struct Question {
    QString prompt;
    QString title;
    QString defaultAnswer;
  };

  // The next questions get these answers in turn; a null QString stands for Cancel.
  void answer(const QString& text) { answers_.enqueue(text); }
  void cancel() { answers_.enqueue(QString()); }

  void message(const QString& text, const QString& title, Icon icon) override;
  QString ask(const QString& prompt, const QString& defaultAnswer) override;

  const QList<Message>& messages() const { return messages_; }
  const QList<Question>& questions() const { return questions_; }
  // Every message and question in the order shown, one line each: "text | title", with " !"
  // for the exclamation icon, or "prompt ? default answer".
  const QStringList& transcript() const { return transcript_; }
  int pendingAnswers() const { return int(answers_.size()); }
  void forget() {
    messages_.clear();
    questions_.clear();
    transcript_.clear();
  }

 private:
  QQueue<QString> answers_;
  QList<Message> messages_;
  QList<Question> questions_;
  QStringList transcript_;
};
