// The recent-files entries of the File menu and the two items that follow them.
#include <QAction>
#include <QFontMetrics>
#include <QMenu>

#include "engine/document/Document.h"
#include "engine/store/RecentFiles.h"
#include "gui/app/QuinkleForm.h"
#include "gui/widgets/CommandGuard.h"

namespace quinkle {

int QuinkleForm::RecentFilesMax() const { return RecentFiles().Max(); }

void QuinkleForm::SetRecentFilesMax(int max) { m_document->RecentFiles().SetMax(max); }

void QuinkleForm::RebuildRecentMenu() {
    QMenu* file = findChild<QMenu*>(QStringLiteral("File1"));
    QAction* before = findChild<QAction*>(QStringLiteral("RecentSeparator"));
    for (QAction* action : m_recentActions) {
        file->removeAction(action);
        // The entry may be running its own trigger, so it goes later; it gives up its name
        // now, so that Command() finds only the entries the menu shows.
        action->setObjectName(QString());
        action->deleteLater();
    }
    m_recentActions.clear();
    const RecentFileList& recent = m_document->RecentFiles().List();
    if (recent.Count() == 0 || before == nullptr) return;

    const auto add = [&](QAction* action) {
        file->insertAction(before, action);
        m_recentActions << action;
    };
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    add(separator);
    const QFontMetrics metrics(file->font());
    const auto measure = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    };
    const std::vector<std::string>& items = recent.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string shown = ShortenPath(items[i], m_recentCaptionWidth, measure);
        auto* entry = new QAction(QString::fromStdString(RecentFileCaption(i, shown)), this);
        entry->setObjectName(QStringLiteral("MRUList1_%1").arg(i + 1));
        const QString path = QString::fromStdString(items[i]);
        connect(entry, &QAction::triggered, this,
                [this, path] { Guarded([&] { OpenDocument(path, true); }); });
        add(entry);
    }
    auto* clear = new QAction(QStringLiteral("&Clear MRU List"), this);
    clear->setObjectName(QStringLiteral("ClearMRUList1"));
    connect(clear, &QAction::triggered, this,
            [this] { Guarded([this] { m_document->RecentFiles().Clear(); }); });
    add(clear);
    auto* obsolete = new QAction(QStringLiteral("&Remove Obsolete"), this);
    obsolete->setObjectName(QStringLiteral("RemoveObsolete1"));
    connect(obsolete, &QAction::triggered, this,
            [this] { Guarded([this] { m_document->RecentFiles().RemoveObsolete(); }); });
    add(obsolete);
}

}  // namespace quinkle
