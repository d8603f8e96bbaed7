// The two-step key capture wizard of the key assignments page.
#include "gui/editor/KeyAssignDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "engine/scheme/KeyCombination.h"
#include "gui/editor/KeyTranslation.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
}

void KeyCaptureField::SetKey(uint16_t key) {
    m_key = key;
    setText(FromStd(KeyCombinationToText(key)));
    if (OnChange) OnChange();
}

bool KeyCaptureField::event(QEvent* event) {
    // Tab and Shift+Tab are keys to capture here, not moves to the next control.
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void KeyCaptureField::keyPressEvent(QKeyEvent* event) {
    uint16_t key = KeyToVirtualKey(event->key(), event->modifiers());
    if (key == 0 || IsModifierOnlyKey(key)) return;  // wait for the key the modifiers go with
    SetKey(key);
}

KeyAssignDialog::KeyAssignDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeyAssignDialog"));
    m_stepLabel = new QLabel(this);
    m_stepLabel->setObjectName(QStringLiteral("lblStep"));
    QFont bold = m_stepLabel->font();
    bold.setBold(true);
    m_stepLabel->setFont(bold);
    m_pages = new QStackedWidget(this);
    auto page = [&](const char* text, KeyCaptureField*& field, const char* name,
                    const char* clearName) {
        auto* box = new QWidget(m_pages);
        auto* label = new QLabel(QString::fromUtf8(text), box);
        label->setWordWrap(true);
        field = new KeyCaptureField(box);
        field->setObjectName(QLatin1String(name));
        auto* clear = new QPushButton(QStringLiteral("Clear"), box);
        clear->setObjectName(QLatin1String(clearName));
        connect(clear, &QPushButton::clicked, field, [field] {
            field->SetKey(0);
            field->setFocus();
        });
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(clear);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(label);
        layout->addLayout(row);
        layout->addStretch();
        m_pages->addWidget(box);
    };
    page(
        "Press the first key combination until the correct key sequence appears then press "
        "the NEXT button",
        m_first, "edtFirstKey", "btnClear1");
    page(
        "If the key sequence requires a 2nd key press then enter the key now. Press the "
        "FINISH button to accept changes",
        m_second, "edtSecondKey", "btnClear2");
    m_back = new QPushButton(QStringLiteral("< Back"), this);
    m_back->setObjectName(QStringLiteral("btnBack"));
    m_next = new QPushButton(QStringLiteral("Next >"), this);
    m_next->setObjectName(QStringLiteral("btnNext"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* button : {m_back, m_next, cancel}) button->setAutoDefault(false);
    connect(m_back, &QPushButton::clicked, this, [this] { ShowStep(1); });
    connect(m_next, &QPushButton::clicked, this, &KeyAssignDialog::btnNextClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_first->OnChange = [this] { m_next->setEnabled(Step() == 2 || m_first->Key() != 0); };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stepLabel);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    resize(420, 200);
}

int KeyAssignDialog::Step() const { return m_pages->currentIndex() + 1; }

void KeyAssignDialog::Start(const QString& caption, uint16_t first, uint16_t second) {
    setWindowTitle(caption);
    m_first->SetKey(first);
    m_second->SetKey(second);
    ShowStep(1);
}

void KeyAssignDialog::ShowStep(int step) {
    m_pages->setCurrentIndex(step - 1);
    m_stepLabel->setText(QStringLiteral("Step") +
                         (step == 1 ? QStringLiteral(" 1") : QStringLiteral(" 2")));
    m_back->setEnabled(step == 2);
    m_next->setText(step == 2 ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    m_next->setEnabled(step == 2 || m_first->Key() != 0);
    (step == 1 ? m_first : m_second)->setFocus();
}

void KeyAssignDialog::btnNextClick() {
    if (Step() == 1)
        ShowStep(2);
    else
        accept();
}

}  // namespace quinkle
