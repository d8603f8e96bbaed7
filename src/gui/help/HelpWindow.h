// The help viewer: the help folder's pages with Contents, Index and Search tabs.
#pragma once

#include <QString>
#include <QWidget>

#include "engine/help/HelpIndex.h"
#include "engine/help/HelpSearch.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace quinkle {

/// A window over one help index (`HelpWindow`): a tab column (`tsHelp`: Contents, Index,
/// Search) beside the page (`Browser`, a QTextBrowser), with Back, Forward, Contents and
/// "How to use Help" on its toolbar. Links between pages are followed; links to web
/// addresses open in the system's browser.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    enum Tab { ContentsTab = 0, IndexTab, SearchTab };

    explicit HelpWindow(QWidget* parent = nullptr);

    /// Loads the index file `indexPath` and lists its contents and keywords (again only when
    /// the path differs from the one loaded). Raises EHelpError when it cannot be read.
    void Open(const QString& indexPath);
    QString IndexPath() const { return m_indexPath; }
    const HelpIndex& Index() const { return m_index; }

    /// Shows the page of the topic; false (and nothing changes) when the index has no such
    /// topic or its page file is missing.
    bool ShowTopic(const QString& name);
    /// The Contents tab and the contents page.
    void ShowContents();
    /// The Index tab with `keyword` typed into its box, the list at the first match.
    void ShowIndex(const QString& keyword);
    /// The Search tab, its box ready for words.
    void ShowSearch();
    /// The page that tells how to use the help.
    void ShowHowToUse();
    /// Opens the topic a keyword leads to; without one, the Index tab at the keyword.
    bool ShowKeyword(const QString& keyword);
    /// Lists the pages holding the words, most hits first; returns their topics.
    QStringList Search(const QString& words);

    /// The topic whose page is shown, or "" before any.
    QString CurrentTopic() const { return m_currentTopic; }
    QTextBrowser* Browser() const { return m_browser; }
    int CurrentTab() const;

private:
    void CreateWidgets();
    void FillContents();
    void FillIndex();
    /// Reads every page's text for the search the first time it is needed.
    void BuildTextIndex();
    void BrowserSourceChanged(const QUrl& source);
    void edKeywordChange(const QString& text);
    void OpenIndexEntry(QListWidgetItem* item);
    void OpenContentsItem(QTreeWidgetItem* item);
    void btnSearchClick();
    QString PagePath(const HelpTopic& topic) const;

    HelpIndex m_index;
    HelpTextIndex m_text;
    bool m_textBuilt = false;
    QString m_indexPath;
    QString m_folder;
    QString m_currentTopic;

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_tvContents = nullptr;
    QLineEdit* m_edKeyword = nullptr;
    QListWidget* m_lbIndex = nullptr;
    QPushButton* m_btnDisplay = nullptr;
    QLineEdit* m_edSearch = nullptr;
    QPushButton* m_btnSearch = nullptr;
    QListWidget* m_lbResults = nullptr;
    QLabel* m_lblFound = nullptr;
    QTextBrowser* m_browser = nullptr;
    QToolBar* m_toolbar = nullptr;
};

}  // namespace quinkle
