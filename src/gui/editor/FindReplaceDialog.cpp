// Layout and flag word of the Find and Replace windows.
#include "gui/editor/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/search/SearchState.h"

namespace quinkle {
namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(Mode mode, QWidget* parent) : QDialog(parent), m_mode(mode) {
    const bool replacing = mode == Mode::Replace;
    setObjectName(replacing ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    setModal(false);

    auto* fields = new QGridLayout;
    m_findText = Named(new QLineEdit(this), "edtFindWhat");
    auto* findLabel = Named(new QLabel(tr("Fi&nd what:"), this), "lblFindWhat");
    findLabel->setBuddy(m_findText);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findText, 0, 1);
    if (replacing) {
        m_replaceText = Named(new QLineEdit(this), "edtReplaceWith");
        auto* replaceLabel = Named(new QLabel(tr("Re&place with:"), this), "lblReplaceWith");
        replaceLabel->setBuddy(m_replaceText);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replaceText, 1, 1);
    }

    m_matchCase = Named(new QCheckBox(tr("Match &case"), this), "chkMatchCase");
    m_wholeWord = Named(new QCheckBox(tr("Match &whole word only"), this), "chkWholeWord");
    m_regExpShown = Named(new QCheckBox(tr("Regular expression"), this), "chkRegExp");
    m_regExpShown->setEnabled(false);  // the caller decides; shown so the user knows
    auto* options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    options->addWidget(m_regExpShown);

    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    if (!replacing) {
        auto* direction = Named(new QGroupBox(tr("Direction"), this), "grpDirection");
        m_up = Named(new QRadioButton(tr("&Up"), direction), "rbUp");
        m_down = Named(new QRadioButton(tr("&Down"), direction), "rbDown");
        m_down->setChecked(true);
        auto* directionLayout = new QHBoxLayout(direction);
        directionLayout->addWidget(m_up);
        directionLayout->addWidget(m_down);
        lower->addWidget(direction);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);
    left->addStretch(1);

    m_findNext = Named(new QPushButton(tr("&Find Next"), this), "btnFindNext");
    m_findNext->setDefault(true);
    m_cancel = Named(new QPushButton(tr("Cancel"), this), "btnCancel");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    if (replacing) {
        m_replace = Named(new QPushButton(tr("&Replace"), this), "btnReplace");
        m_replaceAll = Named(new QPushButton(tr("Replace &All"), this), "btnReplaceAll");
        buttons->addWidget(m_replace);
        buttons->addWidget(m_replaceAll);
        connect(m_replace, &QPushButton::clicked, this, [this] { emit ReplaceClicked(false); });
        connect(m_replaceAll, &QPushButton::clicked, this, [this] { emit ReplaceClicked(true); });
    }
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::FindNextClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findText, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
}

void FindReplaceDialog::SetFlags(uint32_t flags) {
    m_matchCase->setChecked((flags & sflMatchCase) != 0);
    m_regExp = (flags & sflRegExp) != 0;
    m_regExpShown->setChecked(m_regExp);
}

uint32_t FindReplaceDialog::Flags() const {
    uint32_t flags = 0;
    if (m_matchCase->isChecked()) flags |= sflMatchCase;
    if (m_wholeWord->isChecked()) flags |= sflWholeWord;
    if (m_up && m_up->isChecked()) flags |= sflBackwards;
    if (m_regExp) flags |= sflRegExp;
    return flags;
}

void FindReplaceDialog::SetFindText(const QString& text) {
    m_findText->setText(text);
    m_findText->selectAll();
}

QString FindReplaceDialog::FindText() const { return m_findText->text(); }

QString FindReplaceDialog::ReplaceText() const {
    return m_replaceText ? m_replaceText->text() : QString();
}

void FindReplaceDialog::UpdateButtons() {
    bool any = !m_findText->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replace) m_replace->setEnabled(any);
    if (m_replaceAll) m_replaceAll->setEnabled(any);
}

}  // namespace quinkle
