// Field behaviours the HTML dialogs share: colour fields with a picker button, and file names
// browsed from a remembered folder.
#include "gui/dialogs/DialogFields.h"

#include <QCheckBox>
#include <QColor>
#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

#include "engine/html/FilePaths.h"
#include "engine/html/HtmlHelpers.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

void PickColourInto(InsertHost& host, QLineEdit* field) {
    Guarded([&] {
        QColor colour(FromStd(HtmlColour(ToStd(field->text()))));
        if (!host.PickColour(colour)) return;
        field->setText(FromStd(ColourToHtml(FromQColor(colour))));
    });
}

QLineEdit* AddColourField(InsertHost& host, QWidget* owner, QGridLayout* grid, int row, int column,
                          const char* name, const QString& text) {
    auto* field = new QLineEdit(text, owner);
    field->setObjectName(QString::fromLatin1(name));
    auto* button = new QToolButton(owner);
    button->setObjectName(QStringLiteral("btn") + QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Choose a colour"));
    grid->addWidget(field, row, column);
    grid->addWidget(button, row, column + 1);
    QObject::connect(button, &QToolButton::clicked, field,
                     [&host, field] { PickColourInto(host, field); });
    return field;
}

void ConnectFileBrowse(QObject* owner, InsertHost& host, FileNameEdit* edit, QCheckBox* useFileDir,
                       const QString& key) {
    QObject::connect(edit, &FileNameEdit::BeforeBrowse, owner,
                     [&host, edit, key] { edit->SetBrowseStart(host.LastFolder(key)); });
    QObject::connect(edit, &FileNameEdit::FileChosen, owner,
                     [&host, edit, useFileDir, key](const QString& fileName) {
                         Guarded([&] {
                             host.RememberFolder(key, fileName);
                             if (!useFileDir->isChecked()) CutToFileName(edit);
                         });
                     });
}

void CutToFileName(FileNameEdit* edit) {
    // Quotes go first, so that a quoted name does not keep its closing quote.
    edit->SetFileName(FromStd(FileNameOnly(StripQuotes(ToStd(edit->FileName())))));
}

}  // namespace quinkle
