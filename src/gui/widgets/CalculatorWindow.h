// A small calculator tool window whose result can be inserted into the document or copied.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "engine/html/Calculator.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quinkle {

/// Keys and keyboard build an expression (digits, ".", + − × ÷, parentheses, %); the upper
/// line shows the expression typed so far, the lower one its value, or after "=" the result or
/// the error. The arithmetic is the engine's Evaluate. Memory keys MC, MR, M+ and M− keep one
/// value for the run. "Insert" hands the result to the callback given at construction, "Copy"
/// puts it on the clipboard; both finish a pending calculation first.
///
/// Keyboard: digits, "." or ",", + - * / x, ( ) %, Enter or = for the result, Backspace, Delete
/// clears the entry, Escape clears everything and, with nothing entered, closes the window.
class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    using InsertText = std::function<void(const QString& text)>;

    /// A tool window over `parent`; `insert` receives the result text on "Insert".
    CalculatorWindow(QWidget* parent, InsertText insert);

    /// The expression typed so far, as the upper line shows it.
    QString Expression() const;
    /// What the lower line shows: the value so far, a result or an error message.
    QString Display() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    QPushButton* AddKey(const char* name, const QString& caption, std::function<void()> action);

    void Digit(QChar digit);
    void Point();
    void Operator(QChar sign);
    void OpenParenthesis();
    void CloseParenthesis();
    void Percent();
    void Equals();
    void Clear();
    void ClearEntry();
    void Backspace();
    void ToggleSign();
    void MemoryAdd(int sign);
    void MemoryRecall();
    void MemoryClear();
    void btnInsertClick();
    void btnCopyClick();

    /// Starts a new expression from the last result when an operator follows "=".
    void ContinueFromResult();
    /// Leaves the shown result, so that the next entry starts a new expression.
    void StartNewAfterResult();
    /// Where the number at the end of the expression starts (its sign excluded).
    qsizetype TrailingNumberStart() const;
    /// The current value: the result after "=", otherwise the expression's value.
    CalcResult Current() const;
    /// Finishes the calculation; the result text, or an empty string after an error.
    QString FinishedText();
    void Refresh();

    InsertText m_insert;
    QString m_expression;  // with the signs the keys show
    QString m_finished;    // the upper line after "=": "expression ="
    CalcResult m_result;   // valid while m_done
    bool m_done = false;
    QString m_shown = QStringLiteral("0");  // the last complete value shown while typing
    double m_memory = 0;
    bool m_hasMemory = false;

    QLineEdit* m_edExpression;
    QLineEdit* m_edDisplay;
    QLabel* m_lblMemory;
};

}  // namespace quinkle
