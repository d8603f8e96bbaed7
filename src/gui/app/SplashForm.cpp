// The splash window that reports the progress of the start-up.
#include "gui/app/SplashForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/app/ProgramIcons.h"
#include "gui/app/ProgramInfo.h"

namespace quinkle {
namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 200;
constexpr int kTextLeft = 176;

}  // namespace

SplashForm::SplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("Loading..."));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kTextLeft, 22, 16, 14);
    layout->setSpacing(6);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Arial"), 12, QFont::Bold);
    m_title->setFont(titleFont);

    m_toolLine = new QLabel(QStringLiteral("A Quick HTML Editing tool by"), this);
    m_toolLine->setObjectName(QStringLiteral("Label2"));

    m_author = new QLabel(this);
    m_author->setObjectName(QStringLiteral("Label3"));
    QFont authorFont(QStringLiteral("Arial"), 10, QFont::Bold);
    authorFont.setItalic(true);
    m_author->setFont(authorFont);

    m_progress = new QLabel(QStringLiteral("Update Caption"), this);
    m_progress->setObjectName(QStringLiteral("u"));

    for (QLabel* label : {m_title, m_toolLine, m_author, m_progress}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0x10, 0x20, 0x50));
        label->setPalette(palette);
        layout->addWidget(label);
    }
    layout->insertStretch(3, 1);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

void SplashForm::showEvent(QShowEvent* event) {
    m_title->setText(QStringLiteral("%1 %2 %3")
                         .arg(QLatin1String(kProductName.data()), QLatin1String(kVersion),
                              QLatin1String(kFreeware)));
    m_author->setText(QString::fromUtf8(kAuthorLine));
    QWidget::showEvent(event);
}

void SplashForm::SetProgress(const QString& text) {
    m_progress->setText(text);
    repaint();
}

QString SplashForm::Progress() const { return m_progress->text(); }

void SplashForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap art = ArtworkPixmap("splash");
    if (art.isNull()) {
        painter.fillRect(rect(), QColor(0xf4, 0xf6, 0xfb));
    } else {
        painter.drawPixmap(rect(), art);
    }
    painter.setPen(QColor(0x10, 0x30, 0x70));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quinkle
