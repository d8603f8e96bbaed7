// The About window.
#include "gui/dialogs/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/html/AboutTexts.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

AboutDialog::AboutDialog(QWidget* parent, const QPixmap& picture) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("HTML Quinkle - About..."));
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("imgAbout"));
    image->setPixmap(picture);
    m_product = new QLabel(this);
    m_product->setObjectName(QStringLiteral("lblProduct"));
    m_author = new QLabel(this);
    m_author->setObjectName(QStringLiteral("lblAuthor"));
    for (QLabel* label : {m_product, m_author}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_product);
    texts->addWidget(m_author);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    TakeFontName(*this, parent);
}

void AboutDialog::showEvent(QShowEvent* event) {
    // The blocks are written when shown, as the window is kept for the whole run.
    m_product->setText(FromStd(AboutProductText()).trimmed());
    m_author->setText(
        FromStd(AboutAuthorText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QDialog::showEvent(event);
}

}  // namespace quinkle
