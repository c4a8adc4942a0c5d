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
    QString detail;
  };
  struct Question {
    QString prompt;
    QString title;
    QString defaultAnswer;
    QStringList entries = {};  // offered to pick from
  };
  struct Menu {
    QStringList entries;
    bool enabled;
    QPoint at;
  };
  struct FileQuestion {
    QString title;
    QString defaultPath;
    QStringList filters;
  };

  // The next questions and file dialogs get these answers in turn; a null QString stands for
  // Cancel.
  void answer(const QString& text) { answers_.enqueue(text); }
  void cancel() { answers_.enqueue(QString()); }
  // The next menus get these entries chosen in turn, as far as they are enabled.
  void choose(int entry) { choices_.enqueue(entry); }

  void message(const QString& text, const QString& title, Icon icon,
               const QString& detail) override;
  QString ask(const QString& prompt, const QString& defaultAnswer) override;
  QString askWithList(const QString& prompt, const QString& defaultAnswer,
                      const QStringList& entries) override;
  std::optional<int> menu(const QStringList& entries, bool enabled, QPoint at) override;
  QString saveFileName(const QString& title, const QString& defaultPath,
                       const QStringList& filters) override;

  const QList<Message>& messages() const { return messages_; }
  const QList<Question>& questions() const { return questions_; }
  const QList<Menu>& menus() const { return menus_; }
  const QList<FileQuestion>& fileQuestions() const { return fileQuestions_; }
  // Every message and question in the order shown, one line each: "text | title", with " !"
  // for the exclamation icon, or "prompt ? default answer". A message's detail is left out.
  const QStringList& transcript() const { return transcript_; }
  int pendingAnswers() const { return int(answers_.size()); }
  void forget() {
    messages_.clear();
    questions_.clear();
    menus_.clear();
    fileQuestions_.clear();
    transcript_.clear();
  }

 private:
  QString nextAnswer();

  QQueue<QString> answers_;
  QQueue<int> choices_;
  QList<Message> messages_;
  QList<Question> questions_;
  QList<Menu> menus_;
  QList<FileQuestion> fileQuestions_;
  QStringList transcript_;
};
