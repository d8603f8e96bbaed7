// The print preview window.
#include "gui/print/PreviewDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/help/HelpTopics.h"
#include "engine/print/PageRange.h"
#include "gui/app/ProgramIcons.h"
#include "gui/print/PreviewPage.h"
#include "gui/print/PrintPainter.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

constexpr double kInitialMargin = 72;  // points: one inch on every side
constexpr int kZoomTextDelay = 50;     // milliseconds

PrintStamp Now() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
            now.time().minute()};
}

// Where a document's PDF goes by default: beside it, named after it.
QString DefaultPdfName(const QString& document) {
    if (document.isEmpty()) return QStringLiteral("Untitled.pdf");
    const QFileInfo info(document);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace

PreviewDialog::PreviewDialog(QWidget* parent, PreviewSource source)
    : QDialog(parent), m_source(std::move(source)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Print Preview"));
    // Without a printer, a PDF file is the printer.
    if (QPrinterInfo::availablePrinters().isEmpty()) m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setFullPage(true);
    m_printer.setPageMargins(
        QMarginsF(kInitialMargin, kInitialMargin, kInitialMargin, kInitialMargin),
        QPageLayout::Point);

    BuildToolBar();
    m_page = new PreviewPage(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PreviewArea"));
    m_scroll->setWidget(m_page);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);
    resize(900, 700);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::BuildToolBar() {
    // The desktop theme's arrow, else the style's own (our artwork has none).
    auto Arrow = [this](const char* themeName, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QLatin1String(themeName), style()->standardIcon(fallback));
    };
    m_toolBar = new QToolBar(QStringLiteral("Print Options"), this);
    m_toolBar->setObjectName(QStringLiteral("PrintOptions"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setMovable(false);
    struct Button {
        const char* name;
        const char* text;
        QIcon icon;
        void (PreviewDialog::*handler)();
    };
    const Button buttons[] = {
        {"btnPrint", "Print", ProgramIcon("document-print", "print"), &PreviewDialog::Print},
        {"btnPrintSetup", "Print Setup", ProgramIcon("document-properties", "setupfiles"),
         &PreviewDialog::PrintSetup},
        {"btnPageSetup", "Page Setup", ProgramIcon("document-page-setup", "setupformats"),
         &PreviewDialog::PageSetup},
        {"btnNext", "Next", Arrow("go-next", QStyle::SP_ArrowRight), &PreviewDialog::NextPage},
        {"btnPrevious", "Previous", Arrow("go-previous", QStyle::SP_ArrowLeft),
         &PreviewDialog::PreviousPage},
        {"btnHelp", "Help", ProgramIcon("help-contents", "help"), &PreviewDialog::ShowHelp},
    };
    for (const Button& button : buttons) {
        QAction* action = m_toolBar->addAction(button.icon, QString::fromLatin1(button.text));
        m_toolBar->widgetForAction(action)->setObjectName(QLatin1String(button.name));
        connect(action, &QAction::triggered, this,
                [this, handler = button.handler] { Guarded([&] { (this->*handler)(); }); });
    }

    m_zoomBox = new QComboBox(m_toolBar);
    m_zoomBox->setObjectName(QStringLiteral("cbZoom"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view entry : kZoomEntries) m_zoomBox->addItem(FromStd(entry));
    m_zoomBox->setCurrentIndex(-1);
    m_zoomBox->setEditText(FromStd(kInitialZoomText));
    m_zoomBox->setMinimumContentsLength(12);
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int index) { ChooseZoom(m_zoomBox->itemText(index)); });
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { ChooseZoom(m_zoomBox->currentText()); });
    m_toolBar->addWidget(m_zoomBox);

    m_colour = new QCheckBox(QStringLiteral("Print in colour"), m_toolBar);
    m_colour->setObjectName(QStringLiteral("cbColour"));
    m_colour->setChecked(true);
    connect(m_colour, &QCheckBox::toggled, this, [this] { Guarded([&] { PreparePages(false); }); });
    m_toolBar->addWidget(m_colour);
}

// ---- the pages ----

void PreviewDialog::PreparePages(bool restart) {
    m_layout.reset();
    m_font = m_source.Font();
    m_tabs = m_source.Tabs();
    m_text = m_source.Text(m_colour->isChecked());
    m_metrics = std::make_unique<QtPrintMetrics>(m_font, m_printer);
    m_stamp = Now();

    const QPageLayout page = m_printer.pageLayout();
    const QRectF paper = page.fullRect(QPageLayout::Point);
    const QMarginsF margins = page.margins(QPageLayout::Point);
    quinkle::PageSetup setup;
    setup.Width = paper.width();
    setup.Height = paper.height();
    setup.Margins = {margins.left(), margins.top(), margins.right(), margins.bottom()};
    m_page->SetPaper(paper.size());
    int count = 0;
    try {
        m_layout = std::make_unique<PageLayout>(m_text, setup, *m_metrics, m_tabs);
        count = m_layout->PageCount();
    } catch (const EQuinkleError& error) {
        AppPrompter().Error(QString::fromUtf8(error.what()));
    }
    if (restart)
        m_pages.Restart(count);
    else
        m_pages.SetPageCount(count);
    ApplyZoom();
    ShowCurrentPage();
}

void PreviewDialog::ShowCurrentPage() {
    m_page->SetPage(m_layout.get(), m_pages.Current(), m_font, m_stamp);
    m_status->showMessage(FromStd(m_pages.StatusText()));
}

void PreviewDialog::NextPage() {
    if (m_pages.Next()) ShowCurrentPage();
}

void PreviewDialog::PreviousPage() {
    if (m_pages.Previous()) ShowCurrentPage();
}

// ---- zoom ----

void PreviewDialog::ChooseZoom(const QString& text) {
    const std::optional<Zoom> zoom = ParseZoom(ToStd(text));
    if (!zoom) {
        ShowZoomText();
        return;
    }
    m_zoom = *zoom;
    ApplyZoom();
    // The list shows the percentage in use once the choice is over.
    QTimer::singleShot(kZoomTextDelay, this, [this] { ShowZoomText(); });
}

void PreviewDialog::ApplyZoom() {
    // A fit leaves room for the scroll bar across the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    const QSize room = m_scroll->maximumViewportSize();
    const QSizeF paper = m_page->Paper();
    ZoomView view{paper.width(), paper.height(), double(room.width() - 2 * PreviewPage::kGap),
                  double(room.height() - 2 * PreviewPage::kGap), m_page->PixelsPerPoint()};
    if (m_zoom.Mode == ZoomMode::FitToWidth) view.ViewWidth -= bar;
    if (m_zoom.Mode == ZoomMode::FitToHeight) view.ViewHeight -= bar;
    m_percent = quinkle::ZoomPercent(m_zoom, view);
    m_page->SetPercent(m_percent);
}

void PreviewDialog::ShowZoomText() { m_zoomBox->setEditText(FromStd(ZoomText(m_percent))); }

// ---- printing ----

void PreviewDialog::Print() {
    std::vector<int> pages;
    if (m_layout) {
        PageRange range;
        if (m_printer.printRange() == QPrinter::PageRange)
            range = {m_printer.fromPage(), m_printer.toPage()};
        // A printer that makes the copies itself is sent each page once.
        const int copies = m_printer.supportsMultipleCopies() ? 1 : m_printer.copyCount();
        pages = PagesToPrint(range, m_layout->PageCount(), copies, m_printer.collateCopies());
    }
    if (pages.empty()) {
        AppPrompter().Information(QStringLiteral("There is nothing to print."));
        return;
    }
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        QString name = DefaultPdfName(m_source.FileName());
        if (!AppPrompter().SaveFileName(QStringLiteral("Print to PDF File"),
                                        QStringLiteral("PDF Files (*.pdf)|*.pdf"),
                                        QStringLiteral("pdf"), name))
            return;
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(name);
    }
    if (PrintPages(m_printer, *m_layout, m_font, pages, m_stamp) == PrintOutcome::Cancelled)
        AppPrompter().Information(QStringLiteral("Printing Cancelled."));
}

void PreviewDialog::PrintSetup() {
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, std::max(1, m_pages.PageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() == QDialog::Accepted) PreparePages(false);
}

void PreviewDialog::PageSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) PreparePages(false);
}

void PreviewDialog::ShowHelp() { m_source.Help(FromStd(kTopicPrinting)); }

// ---- events ----

void PreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Guarded([&] {
        PreparePages(true);
        ShowZoomText();
    });
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_zoom.Mode != ZoomMode::Percent && m_page) ApplyZoom();
}

void PreviewDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        Guarded([&] { ShowHelp(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quinkle
