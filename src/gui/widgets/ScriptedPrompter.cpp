// A Prompter for tests and replays: answers from a queue and records every question.
#include "gui/widgets/ScriptedPrompter.h"

#include <algorithm>

namespace quinkle {
namespace {

QString AskName(ScriptedPrompter::Ask ask) {
    switch (ask) {
        case ScriptedPrompter::Ask::Message:
            return QStringLiteral("Message");
        case ScriptedPrompter::Ask::InputBox:
            return QStringLiteral("InputBox");
        case ScriptedPrompter::Ask::OpenFileName:
            return QStringLiteral("OpenFileName");
        case ScriptedPrompter::Ask::SaveFileName:
            return QStringLiteral("SaveFileName");
        case ScriptedPrompter::Ask::Colour:
            return QStringLiteral("Colour");
        case ScriptedPrompter::Ask::Font:
            return QStringLiteral("Font");
    }
    return QString();
}

}  // namespace

void ScriptedPrompter::AnswerButton(int button) {
    m_answers.push_back({Ask::Message, true, button, {}, {}, {}});
}

void ScriptedPrompter::AnswerInput(const QString& value, bool ok) {
    m_answers.push_back({Ask::InputBox, ok, 0, value, {}, {}});
}

void ScriptedPrompter::AnswerOpenFileName(const QString& fileName, bool ok) {
    m_answers.push_back({Ask::OpenFileName, ok, 0, fileName, {}, {}});
}

void ScriptedPrompter::AnswerSaveFileName(const QString& fileName, bool ok) {
    m_answers.push_back({Ask::SaveFileName, ok, 0, fileName, {}, {}});
}

void ScriptedPrompter::AnswerColour(const QColor& colour, bool ok) {
    m_answers.push_back({Ask::Colour, ok, 0, {}, colour, {}});
}

void ScriptedPrompter::AnswerFont(const QFont& font, bool ok) {
    m_answers.push_back({Ask::Font, ok, 0, {}, {}, font});
}

int ScriptedPrompter::UnexpectedCount() const {
    return static_cast<int>(std::count_if(m_questions.begin(), m_questions.end(),
                                          [](const Question& q) { return !q.expected; }));
}

QString ScriptedPrompter::Transcript() const {
    QStringList lines;
    for (const Question& q : m_questions) {
        QString line = AskName(q.ask) + QStringLiteral(" \"") + q.title + QStringLiteral("\" \"") +
                       q.text + QLatin1Char('"');
        if (q.ask == Ask::Message) line += QStringLiteral(" buttons=%1").arg(q.buttons);
        if (!q.filter.isEmpty()) line += QStringLiteral(" filter=\"%1\"").arg(q.filter);
        if (!q.value.isEmpty()) line += QStringLiteral(" value=\"%1\"").arg(q.value);
        if (!q.expected) line += QStringLiteral(" (unexpected)");
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

void ScriptedPrompter::Clear() {
    m_answers.clear();
    m_questions.clear();
}

const ScriptedPrompter::Answer* ScriptedPrompter::Take(Question question) {
    const bool fits = !m_answers.empty() && m_answers.front().ask == question.ask;
    question.expected = fits;
    m_questions.append(question);
    if (!fits) return nullptr;
    m_taken = m_answers.front();
    m_answers.pop_front();
    return &m_taken;
}

int ScriptedPrompter::Message(Kind kind, const QString& title, const QString& text, int buttons) {
    Question q;
    q.ask = Ask::Message;
    q.kind = kind;
    q.title = title;
    q.text = text;
    q.buttons = buttons;
    if (const Answer* answer = Take(q)) return answer->button;
    if (buttons & Cancel) return Cancel;
    if (buttons & No) return No;
    return Ok;
}

bool ScriptedPrompter::InputBox(const QString& title, const QString& prompt, QString& value) {
    Question q;
    q.ask = Ask::InputBox;
    q.title = title;
    q.text = prompt;
    q.value = value;
    const Answer* answer = Take(q);
    if (answer == nullptr || !answer->ok) return false;
    value = answer->text;
    return true;
}

bool ScriptedPrompter::OpenFileName(const QString& title, const QString& filter,
                                    QString& fileName) {
    Question q;
    q.ask = Ask::OpenFileName;
    q.title = title;
    q.filter = filter;
    q.value = fileName;
    const Answer* answer = Take(q);
    if (answer == nullptr || !answer->ok) return false;
    fileName = answer->text;
    return true;
}

bool ScriptedPrompter::SaveFileName(const QString& title, const QString& filter,
                                    const QString& defaultExtension, QString& fileName) {
    Question q;
    q.ask = Ask::SaveFileName;
    q.title = title;
    q.filter = filter;
    q.defaultExtension = defaultExtension;
    q.value = fileName;
    const Answer* answer = Take(q);
    if (answer == nullptr || !answer->ok) return false;
    fileName = answer->text;
    return true;
}

bool ScriptedPrompter::ChooseColour(QColor& colour) {
    Question q;
    q.ask = Ask::Colour;
    q.colour = colour;
    const Answer* answer = Take(q);
    if (answer == nullptr || !answer->ok) return false;
    colour = answer->colour;
    return true;
}

bool ScriptedPrompter::ChooseFont(QFont& font) {
    Question q;
    q.ask = Ask::Font;
    q.font = font;
    const Answer* answer = Take(q);
    if (answer == nullptr || !answer->ok) return false;
    font = answer->font;
    return true;
}

ScopedAppPrompter::ScopedAppPrompter(Prompter& prompter) : m_previous(&AppPrompter()) {
    SetAppPrompter(&prompter);
}

ScopedAppPrompter::~ScopedAppPrompter() { SetAppPrompter(m_previous); }

}  // namespace quinkle
