// The Quick File Load window.
#include "gui/app/QuickFileLoad.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

#include "engine/store/ProgramSettings.h"
#include "engine/store/QuickButtons.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kPartName = QStringLiteral("QuickFileLoad");
// The masks the list goes back to when show-all is switched off and none are stored.
constexpr std::string_view kShowAllOffMasks = "*.htm;*.html;*.shtm;*.shtml";

bool MoveToTrash(const QString& path) {
    // Qt files a trashed file under the current folder when the user's data folder does not
    // exist yet, so that folder is made first.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (QFile::moveToTrash(path)) return true;
    AppPrompter().Error(QStringLiteral("File Error: \nError Deleting file \"%1\"").arg(path));
    return false;
}

}  // namespace

QuickFileLoad::QuickFileLoad(QuinkleForm& form)
    : QObject(&form),
      m_form(form),
      m_list(form.findChild<QListWidget*>(QStringLiteral("flQFileLoad"))),
      m_showAll(form.findChild<QCheckBox*>(QStringLiteral("cbQFileLoad"))),
      m_selected(form.findChild<QLineEdit*>(QStringLiteral("edQFLoad"))),
      m_watcher(new QFileSystemWatcher(this)) {
    setObjectName(kPartName);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { Refill(); });
    if (m_list != nullptr) {
        m_list->setSortingEnabled(false);
        connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { LoadSelected(); });
        connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& text) {
            if (m_selected != nullptr) m_selected->setText(text);
        });
    }
    if (m_showAll != nullptr)
        connect(m_showAll, &QCheckBox::clicked, this, [this](bool all) { ShowAllChanged(all); });
    Refill();
}

QuickFileLoad& QuickFileLoad::Of(QuinkleForm& form) {
    return WindowPart<QuickFileLoad>(form, kPartName);
}

void QuickFileLoad::Refill() {
    if (m_list == nullptr) return;
    QString folder = QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    if (folder != m_folder) {
        if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
        m_folder = folder;
        m_watcher->addPath(m_folder);
    }
    const QString current = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    m_list->clear();
    QFileIconProvider icons;
    for (const std::string& name : ListQuickFiles(ToStd(m_folder), ToStd(m_form.QuickFileMask()))) {
        const QString text = FromStd(name);
        auto* item = new QListWidgetItem(icons.icon(QFileInfo(m_folder + text)), text, m_list);
        if (text == current) m_list->setCurrentItem(item);
    }
}

void QuickFileLoad::FollowCurrentFolder() {
    QString folder = QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    if (folder != m_folder) Refill();
}

void QuickFileLoad::FollowIn(QuinkleForm& form) {
    if (auto* part = form.findChild<QuickFileLoad*>(kPartName, Qt::FindDirectChildrenOnly))
        part->FollowCurrentFolder();
}

void QuickFileLoad::ShowAllChanged(bool all) {
    m_form.SetQuickFileMask(
        all ? QStringLiteral("*.*")
            : FromStd(QuickFileMask(m_form.Settings(), false, kShowAllOffMasks)));
    Refill();
}

void QuickFileLoad::ToggleShowAll() {
    if (m_showAll == nullptr) return;
    m_showAll->setChecked(!m_showAll->isChecked());
    ShowAllChanged(m_showAll->isChecked());
}

void QuickFileLoad::LoadSelected() {
    if (m_list == nullptr) return;
    QListWidgetItem* item = m_list->currentItem();
    const QString path = item != nullptr ? m_folder + item->text() : QString();
    m_list->setCurrentItem(nullptr);
    m_list->clearSelection();
    // Opening asks the save question about a modified document itself.
    if (!path.isEmpty()) m_form.OpenDocument(path, true);
}

void QuickFileLoad::DeleteSelected() {
    if (m_list == nullptr || m_list->currentItem() == nullptr) return;
    MoveToTrash(m_folder + m_list->currentItem()->text());
    Refill();
}

void QuickFileLoad::DeleteAll() {
    if (m_list == nullptr) return;
    if (m_list->count() > 0 &&
        AppPrompter().Message(Prompter::Kind::Warning, QString(),
                              QStringLiteral("This will Delete all of the Files Shown in the Quick "
                                             "File Load. Are You Sure?"),
                              Prompter::Yes | Prompter::No) == Prompter::Yes) {
        for (int i = 0; i < m_list->count(); ++i) MoveToTrash(m_folder + m_list->item(i)->text());
    }
    Refill();
}

}  // namespace quinkle
