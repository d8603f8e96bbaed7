// The help viewer window: contents, keyword index, full-text search and the page browser.
#include "gui/help/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "engine/text/AsciiText.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

constexpr int kTopicRole = Qt::UserRole;

QString TopicOf(const QListWidgetItem* item) {
    return item != nullptr ? item->data(kTopicRole).toString() : QString();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help"));
    resize(900, 620);
    CreateWidgets();
}

void HelpWindow::CreateWidgets() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("HelpToolbar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    column->addWidget(m_toolbar);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    column->addWidget(splitter, 1);

    m_tabs = new QTabWidget(splitter);
    m_tabs->setObjectName(QStringLiteral("tsHelp"));

    m_tvContents = new QTreeWidget(m_tabs);
    m_tvContents->setObjectName(QStringLiteral("tvContents"));
    m_tvContents->setHeaderHidden(true);
    m_tabs->addTab(m_tvContents, QStringLiteral("&Contents"));
    connect(m_tvContents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenContentsItem(item); });
    connect(m_tvContents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OpenContentsItem(item); });

    auto* indexPage = new QWidget(m_tabs);
    auto* indexColumn = new QVBoxLayout(indexPage);
    indexColumn->addWidget(
        new QLabel(QStringLiteral("&Type the first letters of a keyword:"), indexPage));
    m_edKeyword = new QLineEdit(indexPage);
    m_edKeyword->setObjectName(QStringLiteral("edKeyword"));
    static_cast<QLabel*>(indexColumn->itemAt(0)->widget())->setBuddy(m_edKeyword);
    indexColumn->addWidget(m_edKeyword);
    m_lbIndex = new QListWidget(indexPage);
    m_lbIndex->setObjectName(QStringLiteral("lbIndex"));
    indexColumn->addWidget(m_lbIndex, 1);
    m_btnDisplay = new QPushButton(QStringLiteral("&Display"), indexPage);
    m_btnDisplay->setObjectName(QStringLiteral("btnDisplay"));
    indexColumn->addWidget(m_btnDisplay);
    m_tabs->addTab(indexPage, QStringLiteral("&Index"));
    connect(m_edKeyword, &QLineEdit::textEdited, this, &HelpWindow::edKeywordChange);
    connect(m_edKeyword, &QLineEdit::returnPressed, this,
            [this] { OpenIndexEntry(m_lbIndex->currentItem()); });
    connect(m_lbIndex, &QListWidget::itemActivated, this, &HelpWindow::OpenIndexEntry);
    connect(m_btnDisplay, &QPushButton::clicked, this,
            [this] { OpenIndexEntry(m_lbIndex->currentItem()); });

    auto* searchPage = new QWidget(m_tabs);
    auto* searchColumn = new QVBoxLayout(searchPage);
    auto* searchLabel = new QLabel(QStringLiteral("Type the &words to find:"), searchPage);
    searchColumn->addWidget(searchLabel);
    auto* searchRow = new QHBoxLayout;
    m_edSearch = new QLineEdit(searchPage);
    m_edSearch->setObjectName(QStringLiteral("edSearch"));
    searchLabel->setBuddy(m_edSearch);
    m_btnSearch = new QPushButton(QStringLiteral("&List Topics"), searchPage);
    m_btnSearch->setObjectName(QStringLiteral("btnSearch"));
    searchRow->addWidget(m_edSearch, 1);
    searchRow->addWidget(m_btnSearch);
    searchColumn->addLayout(searchRow);
    m_lbResults = new QListWidget(searchPage);
    m_lbResults->setObjectName(QStringLiteral("lbResults"));
    searchColumn->addWidget(m_lbResults, 1);
    m_lblFound = new QLabel(searchPage);
    m_lblFound->setObjectName(QStringLiteral("lblFound"));
    searchColumn->addWidget(m_lblFound);
    m_tabs->addTab(searchPage, QStringLiteral("&Search"));
    connect(m_edSearch, &QLineEdit::returnPressed, this, &HelpWindow::btnSearchClick);
    connect(m_btnSearch, &QPushButton::clicked, this, &HelpWindow::btnSearchClick);
    connect(m_lbResults, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowTopic(TopicOf(item)); });
    connect(m_lbResults, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowTopic(TopicOf(item)); });

    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(QStringLiteral("Browser"));
    m_browser->setOpenExternalLinks(true);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::BrowserSourceChanged);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    QAction* back = m_toolbar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")),
                                         QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("actBack"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = m_toolbar->addAction(QIcon::fromTheme(QStringLiteral("go-next")),
                                            QStringLiteral("&Forward"));
    forward->setObjectName(QStringLiteral("actForward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* contents = m_toolbar->addAction(QIcon::fromTheme(QStringLiteral("go-home")),
                                             QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("actContents"));
    connect(contents, &QAction::triggered, this, &HelpWindow::ShowContents);
    QAction* howTo = m_toolbar->addAction(QIcon::fromTheme(QStringLiteral("help-faq")),
                                          QStringLiteral("&How to use Help"));
    howTo->setObjectName(QStringLiteral("actHowToUse"));
    connect(howTo, &QAction::triggered, this, &HelpWindow::ShowHowToUse);
}

void HelpWindow::Open(const QString& indexPath) {
    const QString path = QFileInfo(indexPath).absoluteFilePath();
    if (path == m_indexPath) return;
    m_index = HelpIndex::Load(ToStd(path));
    m_indexPath = path;
    m_folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    m_text = HelpTextIndex();
    m_textBuilt = false;
    m_currentTopic.clear();
    m_browser->clearHistory();
    m_browser->setSearchPaths({m_folder});
    setWindowTitle(FromStd(m_index.Title()));
    FillContents();
    FillIndex();
    m_lbResults->clear();
    m_lblFound->clear();
}

QString HelpWindow::PagePath(const HelpTopic& topic) const {
    return m_folder + FromStd(topic.Page);
}

void HelpWindow::FillContents() {
    m_tvContents->clear();
    auto topicItem = [this](QTreeWidgetItem* parent, const HelpTopic& topic) {
        auto* item =
            parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tvContents);
        item->setText(0, FromStd(topic.Title));
        item->setData(0, kTopicRole, FromStd(topic.Name));
        item->setIcon(0, QIcon::fromTheme(QStringLiteral("text-html")));
    };
    std::vector<bool> listed(m_index.Topics().size(), false);
    for (const HelpChapter& chapter : m_index.Chapters()) {
        auto* book = new QTreeWidgetItem(m_tvContents);
        book->setText(0, FromStd(chapter.Title));
        book->setIcon(0, QIcon::fromTheme(QStringLiteral("folder")));
        for (const std::string& name : chapter.Topics) {
            const HelpTopic* topic = m_index.Topic(name);
            topicItem(book, *topic);
            listed[static_cast<size_t>(topic - m_index.Topics().data())] = true;
        }
    }
    // A topic no chapter names still has a line of its own.
    for (size_t i = 0; i < listed.size(); ++i) {
        if (!listed[i]) topicItem(nullptr, m_index.Topics()[i]);
    }
    m_tvContents->expandAll();
}

void HelpWindow::FillIndex() {
    m_lbIndex->clear();
    const std::vector<HelpKeyword>& keywords = m_index.Keywords();
    for (size_t i = 0; i < keywords.size(); ++i) {
        const HelpKeyword& entry = keywords[i];
        // A keyword of several topics names each topic on its line.
        const bool shared =
            (i > 0 && EqualsNoCase(keywords[i - 1].Keyword, entry.Keyword)) ||
            (i + 1 < keywords.size() && EqualsNoCase(keywords[i + 1].Keyword, entry.Keyword));
        QString text = FromStd(entry.Keyword);
        if (shared) text += QStringLiteral(" - ") + FromStd(m_index.Topic(entry.Topic)->Title);
        auto* item = new QListWidgetItem(text, m_lbIndex);
        item->setData(kTopicRole, FromStd(entry.Topic));
    }
}

bool HelpWindow::ShowTopic(const QString& name) {
    const HelpTopic* topic = m_index.Topic(ToStd(name));
    if (topic == nullptr || !QFileInfo(PagePath(*topic)).isFile()) return false;
    m_browser->setSource(QUrl::fromLocalFile(PagePath(*topic)));
    m_currentTopic = FromStd(topic->Name);
    return true;
}

void HelpWindow::BrowserSourceChanged(const QUrl& source) {
    // Links between pages arrive as file addresses or, written by hand, as relative ones.
    const HelpTopic* topic = m_index.TopicOfPage(ToStd(QFileInfo(source.path()).fileName()));
    m_currentTopic = topic != nullptr ? FromStd(topic->Name) : QString();
    if (topic == nullptr) return;
    // The contents follow the page, so the reader sees where it stands.
    const QList<QTreeWidgetItem*> items =
        m_tvContents->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : items) {
        if (item->data(0, kTopicRole).toString() == m_currentTopic) {
            m_tvContents->setCurrentItem(item);
            break;
        }
    }
}

void HelpWindow::ShowContents() {
    m_tabs->setCurrentIndex(ContentsTab);
    if (!m_index.ContentsTopic().empty()) ShowTopic(FromStd(m_index.ContentsTopic()));
}

void HelpWindow::ShowIndex(const QString& keyword) {
    m_tabs->setCurrentIndex(IndexTab);
    m_edKeyword->setText(keyword);
    edKeywordChange(keyword);
    m_edKeyword->setFocus();
    m_edKeyword->selectAll();
}

void HelpWindow::ShowSearch() {
    m_tabs->setCurrentIndex(SearchTab);
    m_edSearch->setFocus();
    m_edSearch->selectAll();
}

void HelpWindow::ShowHowToUse() {
    if (!m_index.HowToUseTopic().empty()) ShowTopic(FromStd(m_index.HowToUseTopic()));
}

bool HelpWindow::ShowKeyword(const QString& keyword) {
    const HelpTopic* topic = m_index.ResolveKeyword(ToStd(keyword));
    if (topic == nullptr || !ShowTopic(FromStd(topic->Name))) {
        ShowIndex(keyword);
        return false;
    }
    // A topic's own name leads to its place in the contents; a keyword to the index.
    if (topic == m_index.Topic(ToStd(keyword.trimmed()))) {
        m_tabs->setCurrentIndex(ContentsTab);
    } else {
        m_tabs->setCurrentIndex(IndexTab);
        m_edKeyword->setText(keyword);
        edKeywordChange(keyword);
    }
    return true;
}

void HelpWindow::edKeywordChange(const QString& text) {
    const size_t row = m_index.FindKeyword(ToStd(text.trimmed()));
    if (row >= m_index.Keywords().size()) {
        m_lbIndex->clearSelection();
        return;
    }
    m_lbIndex->setCurrentRow(static_cast<int>(row));
    m_lbIndex->scrollToItem(m_lbIndex->currentItem(), QAbstractItemView::PositionAtTop);
}

void HelpWindow::OpenIndexEntry(QListWidgetItem* item) {
    if (item != nullptr) ShowTopic(TopicOf(item));
}

void HelpWindow::OpenContentsItem(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const QString topic = item->data(0, kTopicRole).toString();
    if (!topic.isEmpty()) ShowTopic(topic);
}

void HelpWindow::BuildTextIndex() {
    if (m_textBuilt) return;
    m_textBuilt = true;
    for (const HelpTopic& topic : m_index.Topics()) {
        QFile page(PagePath(topic));
        if (!page.open(QIODevice::ReadOnly)) continue;
        const QByteArray html = page.readAll();
        m_text.Add(topic.Name, PageText(std::string_view(html.constData(), size_t(html.size()))));
    }
}

QStringList HelpWindow::Search(const QString& words) {
    m_tabs->setCurrentIndex(SearchTab);
    m_edSearch->setText(words);
    BuildTextIndex();
    m_lbResults->clear();
    QStringList topics;
    for (const HelpSearchHit& hit : m_text.Search(ToStd(words))) {
        const HelpTopic* topic = m_index.Topic(hit.Topic);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)").arg(FromStd(topic->Title)).arg(hit.Hits), m_lbResults);
        item->setData(kTopicRole, FromStd(topic->Name));
        topics << FromStd(topic->Name);
    }
    m_lblFound->setText(topics.size() == 1 ? QStringLiteral("1 topic found")
                                           : QStringLiteral("%1 topics found").arg(topics.size()));
    if (!topics.isEmpty()) m_lbResults->setCurrentRow(0);
    return topics;
}

void HelpWindow::btnSearchClick() { Search(m_edSearch->text()); }

int HelpWindow::CurrentTab() const { return m_tabs->currentIndex(); }

}  // namespace quinkle
