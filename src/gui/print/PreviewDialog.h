// The print preview window: the pages as they will be printed, and the print commands.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPrinter>

#include <functional>
#include <memory>

#include "engine/print/PageLayout.h"
#include "engine/print/PageNavigator.h"
#include "engine/print/PreviewZoom.h"
#include "engine/print/PrintText.h"
#include "engine/scheme/EditorSettings.h"

class QCheckBox;
class QComboBox;
class QScrollArea;
class QStatusBar;
class QToolBar;

namespace quinkle {

class PreviewPage;
class QtPrintMetrics;

/// What the preview asks of the document and the program.
struct PreviewSource {
    /// The document's text to print, with the scheme's colours and faces or without.
    std::function<PrintText(bool colour)> Text;
    /// The editor's tab stops and its font.
    std::function<EditorSettings()> Tabs;
    std::function<QFont()> Font;
    /// The document's full path; empty for an untitled one.
    std::function<QString()> FileName;
    /// Opens the help at a named topic.
    std::function<void(const QString& topic)> Help;
};

/// "HTML Quinkle - Print Preview" (`frmPreview`): a tool bar "Print Options" (Print, Print
/// Setup, Page Setup, Next, Previous, Help, the zoom list and "Print in colour"), the page and
/// a status bar "Page n of m". The pages are laid out anew each time the window is shown and
/// after the print or page setup dialog is confirmed. Without an installed printer, Print
/// writes a PDF file.
class PreviewDialog : public QDialog {
public:
    PreviewDialog(QWidget* parent, PreviewSource source);
    ~PreviewDialog() override;

    void Print();
    void PrintSetup();
    void PageSetup();
    void NextPage();
    void PreviousPage();
    void ShowHelp();

    int CurrentPage() const { return m_pages.Current(); }
    int PageCount() const { return m_pages.PageCount(); }
    /// The percentage the page is shown at.
    int ZoomPercent() const { return m_percent; }
    QPrinter& Printer() { return m_printer; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildToolBar();
    /// Copies the document and lays it out; `restart` goes back to the first page.
    void PreparePages(bool restart);
    void ShowCurrentPage();
    void ChooseZoom(const QString& text);
    void ApplyZoom();
    void ShowZoomText();

    PreviewSource m_source;
    QPrinter m_printer{QPrinter::HighResolution};
    QToolBar* m_toolBar = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QCheckBox* m_colour = nullptr;
    QScrollArea* m_scroll = nullptr;
    PreviewPage* m_page = nullptr;
    QStatusBar* m_status = nullptr;

    // The layout refers to the text, the metrics and the tab stops: it goes first when they
    // are replaced.
    PrintText m_text;
    EditorSettings m_tabs;
    QFont m_font;
    std::unique_ptr<QtPrintMetrics> m_metrics;
    std::unique_ptr<PageLayout> m_layout;
    PrintStamp m_stamp;
    PageNavigator m_pages;
    Zoom m_zoom = kInitialZoom;
    int m_percent = kInitialZoom.Percent;
};

}  // namespace quinkle
