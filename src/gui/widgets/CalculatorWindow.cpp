// A small calculator tool window whose result can be inserted into the document or copied.
#include "gui/widgets/CalculatorWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QChar kTimes(0x00D7);
const QChar kDivide(0x00F7);
const QChar kMinus(0x2212);

bool IsBinarySign(QChar c) { return c == u'+' || c == kMinus || c == kTimes || c == kDivide; }

bool IsNumberChar(QChar c) { return c.isDigit() || c == u'.'; }

/// A number as the expression shows it: a leading minus as the key's sign.
QString NumberText(double value) {
    QString text = FromStd(FormatCalcNumber(value));
    if (text.startsWith(u'-')) text[0] = kMinus;
    return text;
}

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent, InsertText insert)
    : QWidget(parent, Qt::Tool), m_insert(std::move(insert)) {
    setObjectName(QStringLiteral("CalculatorWindow"));
    setWindowTitle(QStringLiteral("Calculator"));
    CreateControls();
    Refresh();
}

QPushButton* CalculatorWindow::AddKey(const char* name, const QString& caption,
                                      std::function<void()> action) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    // The window takes the keyboard; a focused button would swallow Enter and Space.
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(44, 32);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { Guarded(action); });
    return button;
}

void CalculatorWindow::CreateControls() {
    m_edExpression = new QLineEdit(this);
    m_edExpression->setObjectName(QStringLiteral("edCalcExpression"));
    m_edDisplay = new QLineEdit(this);
    m_edDisplay->setObjectName(QStringLiteral("edCalcDisplay"));
    for (QLineEdit* line : {m_edExpression, m_edDisplay}) {
        line->setReadOnly(true);
        line->setFocusPolicy(Qt::NoFocus);
        line->setAlignment(Qt::AlignRight);
    }
    QFont big = m_edDisplay->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_edDisplay->setFont(big);
    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblCalcMemory"));
    m_lblMemory->setMinimumWidth(16);

    auto* keys = new QGridLayout;
    keys->setSpacing(4);
    auto add = [&](int row, int column, QPushButton* button, int rows = 1, int columns = 1) {
        keys->addWidget(button, row, column, rows, columns);
    };
    add(0, 0, AddKey("btnCalcMC", QStringLiteral("MC"), [this] { MemoryClear(); }));
    add(0, 1, AddKey("btnCalcMR", QStringLiteral("MR"), [this] { MemoryRecall(); }));
    add(0, 2, AddKey("btnCalcMPlus", QStringLiteral("M+"), [this] { MemoryAdd(1); }));
    add(0, 3, AddKey("btnCalcMMinus", QStringLiteral("M") + kMinus, [this] { MemoryAdd(-1); }));
    add(0, 4, AddKey("btnCalcClear", QStringLiteral("C"), [this] { Clear(); }));
    add(1, 0, AddKey("btnCalcOpen", QStringLiteral("("), [this] { OpenParenthesis(); }));
    add(1, 1, AddKey("btnCalcClose", QStringLiteral(")"), [this] { CloseParenthesis(); }));
    add(1, 2, AddKey("btnCalcPercent", QStringLiteral("%"), [this] { Percent(); }));
    add(1, 3, AddKey("btnCalcBack", QString(QChar(0x232B)), [this] { Backspace(); }));
    add(1, 4, AddKey("btnCalcClearEntry", QStringLiteral("CE"), [this] { ClearEntry(); }));
    static const char* const kDigitNames[] = {"btnCalc0", "btnCalc1", "btnCalc2", "btnCalc3",
                                              "btnCalc4", "btnCalc5", "btnCalc6", "btnCalc7",
                                              "btnCalc8", "btnCalc9"};
    for (int digit = 1; digit <= 9; ++digit) {
        const QChar c(u'0' + digit);
        add(4 - (digit - 1) / 3, (digit - 1) % 3,
            AddKey(kDigitNames[digit], QString(c), [this, c] { Digit(c); }));
    }
    add(5, 0, AddKey(kDigitNames[0], QStringLiteral("0"), [this] { Digit(u'0'); }), 1, 2);
    add(5, 2, AddKey("btnCalcPoint", QStringLiteral("."), [this] { Point(); }));
    add(2, 3, AddKey("btnCalcDivide", QString(kDivide), [this] { Operator(kDivide); }));
    add(3, 3, AddKey("btnCalcTimes", QString(kTimes), [this] { Operator(kTimes); }));
    add(4, 3, AddKey("btnCalcMinus", QString(kMinus), [this] { Operator(kMinus); }));
    add(5, 3, AddKey("btnCalcPlus", QStringLiteral("+"), [this] { Operator(u'+'); }));
    add(2, 4, AddKey("btnCalcSign", QStringLiteral("\u00B1"), [this] { ToggleSign(); }));
    QPushButton* equals = AddKey("btnCalcEquals", QStringLiteral("="), [this] { Equals(); });
    equals->setMinimumHeight(3 * 32 + 2 * 4);
    add(3, 4, equals, 3, 1);

    auto* insert = AddKey("btnCalcInsert", QStringLiteral("Insert"), [this] { btnInsertClick(); });
    insert->setToolTip(QStringLiteral("Insert the result at the caret"));
    auto* copy = AddKey("btnCalcCopy", QStringLiteral("Copy"), [this] { btnCopyClick(); });
    copy->setToolTip(QStringLiteral("Copy the result to the clipboard"));

    auto* display = new QHBoxLayout;
    display->addWidget(m_lblMemory);
    display->addWidget(m_edDisplay, 1);
    auto* actions = new QHBoxLayout;
    actions->addStretch(1);
    actions->addWidget(insert);
    actions->addWidget(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edExpression);
    layout->addLayout(display);
    layout->addLayout(keys);
    layout->addLayout(actions);
    setFocusPolicy(Qt::StrongFocus);
}

QString CalculatorWindow::Expression() const { return m_edExpression->text(); }

QString CalculatorWindow::Display() const { return m_edDisplay->text(); }

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    Guarded([&] {
        if (event->matches(QKeySequence::Copy)) return btnCopyClick();
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                return Equals();
            case Qt::Key_Backspace:
                return Backspace();
            case Qt::Key_Delete:
                return ClearEntry();
            case Qt::Key_Escape:
                if (m_expression.isEmpty() && !m_done) return static_cast<void>(close());
                return Clear();
            default:
                break;
        }
        const QString text = event->text();
        if (text.size() != 1) return event->ignore();
        const QChar c = text[0];
        if (c.isDigit() && c.unicode() < 0x80) return Digit(c);
        switch (c.unicode()) {
            case u'.':
            case u',':
                return Point();
            case u'+':
                return Operator(u'+');
            case u'-':
                return Operator(kMinus);
            case u'*':
            case u'x':
            case u'X':
                return Operator(kTimes);
            case u'/':
                return Operator(kDivide);
            case u'(':
                return OpenParenthesis();
            case u')':
                return CloseParenthesis();
            case u'%':
                return Percent();
            case u'=':
                return Equals();
            default:
                if (c == kTimes || c == kDivide || c == kMinus) return Operator(c);
                return event->ignore();
        }
    });
}

void CalculatorWindow::StartNewAfterResult() {
    if (!m_done) return;
    m_done = false;
    m_expression.clear();
}

void CalculatorWindow::ContinueFromResult() {
    if (!m_done) return;
    m_done = false;
    m_expression = m_result.Ok() ? NumberText(m_result.Value) : QString();
}

void CalculatorWindow::Digit(QChar digit) {
    StartNewAfterResult();
    if (m_expression.endsWith(u')') || m_expression.endsWith(u'%')) return;
    // "07" is just "7".
    const qsizetype start = TrailingNumberStart();
    if (m_expression.size() - start == 1 && m_expression.endsWith(u'0')) m_expression.chop(1);
    m_expression += digit;
    Refresh();
}

void CalculatorWindow::Point() {
    StartNewAfterResult();
    if (m_expression.endsWith(u')') || m_expression.endsWith(u'%')) return;
    const qsizetype start = TrailingNumberStart();
    if (m_expression.indexOf(u'.', start) >= 0) return;
    if (start == m_expression.size()) m_expression += u'0';
    m_expression += u'.';
    Refresh();
}

void CalculatorWindow::Operator(QChar sign) {
    ContinueFromResult();
    if (m_expression.isEmpty() || m_expression.endsWith(u'(')) {
        // Only a minus can start an operand; the others work on zero.
        if (sign == kMinus)
            m_expression += sign;
        else if (m_expression.isEmpty())
            m_expression = QStringLiteral("0") + sign;
        Refresh();
        return;
    }
    const QChar last = m_expression.back();
    if (IsBinarySign(last)) {
        // A minus after × or ÷ is the next operand's sign; otherwise the new sign replaces
        // the last one.
        if (sign == kMinus && (last == kTimes || last == kDivide)) {
            m_expression += sign;
        } else {
            m_expression.chop(1);
            while (!m_expression.isEmpty() && IsBinarySign(m_expression.back()))
                m_expression.chop(1);
            if (m_expression.isEmpty() || m_expression.endsWith(u'('))
                m_expression += sign == kMinus ? QString(sign) : QString();
            else
                m_expression += sign;
        }
    } else {
        if (m_expression.endsWith(u'.')) m_expression.chop(1);
        m_expression += sign;
    }
    Refresh();
}

void CalculatorWindow::OpenParenthesis() {
    StartNewAfterResult();
    if (!m_expression.isEmpty() && !IsBinarySign(m_expression.back()) &&
        !m_expression.endsWith(u'('))
        return;
    m_expression += u'(';
    Refresh();
}

void CalculatorWindow::CloseParenthesis() {
    if (m_done) return;
    if (m_expression.count(u'(') <= m_expression.count(u')')) return;
    if (m_expression.isEmpty() || IsBinarySign(m_expression.back()) || m_expression.endsWith(u'('))
        return;
    m_expression += u')';
    Refresh();
}

void CalculatorWindow::Percent() {
    ContinueFromResult();
    if (m_expression.isEmpty()) return;
    const QChar last = m_expression.back();
    if (!last.isDigit() && last != u')' && last != u'.') return;
    m_expression += u'%';
    Refresh();
}

void CalculatorWindow::Equals() {
    if (m_done || m_expression.isEmpty()) return;
    m_result = Evaluate(ToStd(m_expression));
    m_finished = m_expression + QStringLiteral(" =");
    m_done = true;
    m_shown = QStringLiteral("0");
    Refresh();
}

void CalculatorWindow::Clear() {
    m_expression.clear();
    m_done = false;
    m_shown = QStringLiteral("0");
    Refresh();
}

void CalculatorWindow::ClearEntry() {
    if (m_done) return Clear();
    m_expression.truncate(TrailingNumberStart());
    Refresh();
}

void CalculatorWindow::Backspace() {
    if (m_done || m_expression.isEmpty()) return;
    m_expression.chop(1);
    Refresh();
}

qsizetype CalculatorWindow::TrailingNumberStart() const {
    qsizetype start = m_expression.size();
    while (start > 0 && IsNumberChar(m_expression[start - 1])) --start;
    return start;
}

void CalculatorWindow::ToggleSign() {
    ContinueFromResult();
    const qsizetype start = TrailingNumberStart();
    if (start == m_expression.size()) return;
    // The minus before the number is its sign when nothing or an operator stands before it.
    const bool negative =
        start > 0 && m_expression[start - 1] == kMinus &&
        (start == 1 || IsBinarySign(m_expression[start - 2]) || m_expression[start - 2] == u'(');
    if (negative)
        m_expression.remove(start - 1, 1);
    else
        m_expression.insert(start, kMinus);
    Refresh();
}

CalcResult CalculatorWindow::Current() const {
    return m_done ? m_result : Evaluate(ToStd(m_expression));
}

void CalculatorWindow::MemoryAdd(int sign) {
    const CalcResult current = Current();
    if (!current.Ok()) return;
    const double sum = m_memory + sign * current.Value;
    if (!std::isfinite(sum)) return;
    m_memory = sum;
    m_hasMemory = true;
    Refresh();
}

void CalculatorWindow::MemoryRecall() {
    if (!m_hasMemory) return;
    StartNewAfterResult();
    if (m_expression.endsWith(u')') || m_expression.endsWith(u'%')) return;
    ClearEntry();
    // A recalled negative value after an operator is bracketed: "2×(−5)", not "2×−5".
    QString number = NumberText(m_memory);
    if (number.startsWith(kMinus) && !m_expression.isEmpty() && IsBinarySign(m_expression.back()))
        number = QStringLiteral("(") + number + QStringLiteral(")");
    m_expression += number;
    Refresh();
}

void CalculatorWindow::MemoryClear() {
    m_memory = 0;
    m_hasMemory = false;
    Refresh();
}

QString CalculatorWindow::FinishedText() {
    Equals();
    if (!m_done || !m_result.Ok()) {
        QApplication::beep();
        return QString();
    }
    return FromStd(FormatCalcNumber(m_result.Value));
}

void CalculatorWindow::btnInsertClick() {
    const QString text = FinishedText();
    if (!text.isEmpty() && m_insert) m_insert(text);
}

void CalculatorWindow::btnCopyClick() {
    const QString text = FinishedText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void CalculatorWindow::Refresh() {
    if (m_done) {
        m_edExpression->setText(m_finished);
        m_edDisplay->setText(m_result.Ok() ? NumberText(m_result.Value) : FromStd(m_result.Error));
    } else {
        m_edExpression->setText(m_expression);
        // While typing, the display keeps the last value the expression had when complete.
        const CalcResult value = Evaluate(ToStd(m_expression));
        if (value.Ok()) m_shown = NumberText(value.Value);
        if (m_expression.isEmpty()) m_shown = QStringLiteral("0");
        m_edDisplay->setText(m_shown);
    }
    m_lblMemory->setText(m_hasMemory ? QStringLiteral("M") : QString());
}

}  // namespace quinkle
