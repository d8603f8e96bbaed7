// A Prompter for tests and replays: answers from a queue and records every question.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

#include <deque>

#include "gui/widgets/Prompter.h"

namespace quinkle {

/// Answers each question with the next queued answer and records the question. A question
/// whose sort differs from the next answer's, or that finds the queue empty, is recorded as
/// unexpected and answered as if the user had cancelled (Cancel or No for a message box,
/// whichever its buttons hold, else Ok; false for the others); the queue is left as it was.
/// Nothing ever waits for the user.
class ScriptedPrompter : public Prompter {
public:
    enum class Ask { Message, InputBox, OpenFileName, SaveFileName, Colour, Font };

    struct Question {
        Ask ask = Ask::Message;
        Kind kind = Kind::Information;  ///< message boxes only
        QString title;
        QString text;     ///< the message, or the input box's prompt
        int buttons = 0;  ///< message boxes only
        QString filter;   ///< file dialogs, in the program's form
        QString defaultExtension;
        QString value;  ///< the initial text or file name the dialog was given
        QColor colour;  ///< the initial colour
        QFont font;     ///< the initial font
        bool expected = true;
    };

    /// Queue answers, in the order the questions will come.
    void AnswerButton(int button);
    void AnswerInput(const QString& value, bool ok = true);
    void AnswerOpenFileName(const QString& fileName, bool ok = true);
    void AnswerSaveFileName(const QString& fileName, bool ok = true);
    void AnswerColour(const QColor& colour, bool ok = true);
    void AnswerFont(const QFont& font, bool ok = true);

    /// Every question so far, oldest first.
    const QList<Question>& Questions() const { return m_questions; }
    /// How many questions found no fitting answer.
    int UnexpectedCount() const;
    /// Answers queued but not used yet.
    int PendingAnswers() const { return static_cast<int>(m_answers.size()); }
    /// One line per question, for failure messages.
    QString Transcript() const;
    /// Forgets the questions and the queued answers.
    void Clear();

    int Message(Kind kind, const QString& title, const QString& text, int buttons) override;
    bool InputBox(const QString& title, const QString& prompt, QString& value) override;
    bool OpenFileName(const QString& title, const QString& filter, QString& fileName) override;
    bool SaveFileName(const QString& title, const QString& filter, const QString& defaultExtension,
                      QString& fileName) override;
    bool ChooseColour(QColor& colour) override;
    bool ChooseFont(QFont& font) override;

private:
    struct Answer {
        Ask ask;
        bool ok = true;
        int button = 0;
        QString text;
        QColor colour;
        QFont font;
    };

    /// Records `question` and hands out the next answer when it is of the same sort; null
    /// (and the question marked unexpected) otherwise.
    const Answer* Take(Question question);

    std::deque<Answer> m_answers;
    Answer m_taken;
    QList<Question> m_questions;
};

/// Installs a prompter as AppPrompter() for the life of this object, then puts back the one
/// that was there before.
class ScopedAppPrompter {
public:
    explicit ScopedAppPrompter(Prompter& prompter);
    ~ScopedAppPrompter();
    ScopedAppPrompter(const ScopedAppPrompter&) = delete;
    ScopedAppPrompter& operator=(const ScopedAppPrompter&) = delete;

private:
    Prompter* m_previous;
};

}  // namespace quinkle
