// The Tip Of The Day dialog: the tips file, one tip at a time.
#include "gui/help/TipDialog.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/help/TipList.h"
#include "engine/store/IniFile.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

TipDialog::TipDialog(IniFile& settings, QWidget* parent) : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("TipOfTheDay"));
    setWindowTitle(QStringLiteral("Tip Of The Day"));

    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"), this);
    column->addWidget(heading);
    m_lblTip = new QLabel(this);
    m_lblTip->setObjectName(QStringLiteral("lblTip"));
    m_lblTip->setWordWrap(true);
    m_lblTip->setTextFormat(Qt::PlainText);
    m_lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblTip->setMinimumSize(380, 110);
    m_lblTip->setFrameShape(QFrame::StyledPanel);
    m_lblTip->setMargin(10);
    column->addWidget(m_lblTip, 1);
    m_lblNumber = new QLabel(this);
    m_lblNumber->setObjectName(QStringLiteral("lblNumber"));
    column->addWidget(m_lblNumber);

    auto* row = new QHBoxLayout;
    m_cbShowTips = new QCheckBox(QStringLiteral("&Show tips at start-up"), this);
    m_cbShowTips->setObjectName(QStringLiteral("cbShowTips"));
    m_cbShowTips->setChecked(Read(m_settings, kShowTipsAtStartup));
    row->addWidget(m_cbShowTips);
    row->addStretch(1);
    m_btnPrevious = new QPushButton(QStringLiteral("&Previous"), this);
    m_btnPrevious->setObjectName(QStringLiteral("btnPrevious"));
    m_btnNext = new QPushButton(QStringLiteral("&Next"), this);
    m_btnNext->setObjectName(QStringLiteral("btnNext"));
    m_btnClose = new QPushButton(QStringLiteral("&Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setDefault(true);
    row->addWidget(m_btnPrevious);
    row->addWidget(m_btnNext);
    row->addWidget(m_btnClose);
    column->addLayout(row);

    connect(m_btnPrevious, &QPushButton::clicked, this, &TipDialog::btnPreviousClick);
    connect(m_btnNext, &QPushButton::clicked, this, &TipDialog::btnNextClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TipDialog::LoadTips(const QString& path) {
    m_tips.clear();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        for (const std::string& tip :
             ParseTips(std::string_view(bytes.constData(), size_t(bytes.size()))))
            m_tips << FromStd(tip);
    }
    if (m_tips.isEmpty()) m_tips << QStringLiteral("No tips were found in \"%1\".").arg(path);
    ShowTip(Read(m_settings, kNextTip));
}

QString TipDialog::TipText() const { return m_lblTip->text(); }

void TipDialog::ShowTip(int index) {
    m_current = WrapTipIndex(index, int(m_tips.size()));
    m_lblTip->setText(m_tips.value(m_current));
    m_lblNumber->setText(QStringLiteral("Tip %1 of %2").arg(m_current + 1).arg(m_tips.size()));
}

void TipDialog::btnNextClick() { ShowTip(m_current + 1); }

void TipDialog::btnPreviousClick() { ShowTip(m_current - 1); }

void TipDialog::done(int result) {
    // The next showing starts with the tip after this one.
    Write(m_settings, kShowTipsAtStartup, m_cbShowTips->isChecked());
    Write(m_settings, kNextTip, WrapTipIndex(m_current + 1, int(m_tips.size())));
    QDialog::done(result);
}

}  // namespace quinkle
