// The scheme radio items of the Options menu.
#include "gui/app/SchemeMenu.h"

#include <QAction>
#include <QActionGroup>

#include "engine/document/SchemeChoice.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/TemplateFiles.h"
#include "gui/app/WindowPart.h"

namespace quinkle {

SchemeMenu::SchemeMenu(QuinkleForm& form)
    : QObject(&form), m_form(form), m_group(new QActionGroup(this)) {
    setObjectName(QStringLiteral("SchemeMenu"));
    m_group->setExclusive(true);
    for (const char* name : kItems) {
        if (QAction* item = form.Command(QLatin1String(name))) {
            item->setCheckable(true);
            m_group->addAction(item);
        }
    }
    if (QAction* html = form.Command(QLatin1String(kItems[0]))) html->setChecked(true);
    FollowDocument();  // the file named on the command line
}

SchemeMenu& SchemeMenu::Of(QuinkleForm& form) {
    return WindowPart<SchemeMenu>(form, QStringLiteral("SchemeMenu"));
}

void SchemeMenu::Choose(int number) {
    if (number < 1 || number > static_cast<int>(std::size(kItems))) return;
    if (number > static_cast<int>(m_form.Schemes().size())) return;
    m_chosen = number;
    if (QAction* item = m_form.Command(QLatin1String(kItems[number - 1]))) item->setChecked(true);
    m_form.SetActiveParser(number);
    TemplateFiles::Of(m_form).Load();
}

void SchemeMenu::FollowDocument() {
    const QString document = m_form.CurrentFileName();
    if (document.isEmpty() || !Read(m_form.Settings(), kSchemeFromExtension)) return;
    Choose(SchemeForFileName(document.toStdString()));
}

}  // namespace quinkle
