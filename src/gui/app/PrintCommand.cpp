// The print preview of the main window's document.
#include "gui/app/PrintCommand.h"

#include <QFileInfo>

#include "engine/print/DocumentPrintText.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/print/PreviewDialog.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// The document's name in the header: its file name, or "(Untitled)".
QString DocumentName(const QuinkleForm& form) {
    const QString name = QFileInfo(form.CurrentFileName()).fileName();
    if (!name.isEmpty()) return name;
    QString title = form.DocumentTitle();
    if (title.endsWith(QLatin1Char('*'))) title.chop(1);  // the mark of a modified document
    return title;
}

// The document as the preview prints it, in the active scheme's colours and faces.
PrintText DocumentText(QuinkleForm& form, bool colour) {
    SourceEditorWidget& memo = *form.Memo1();
    PrintColours colours;
    const QPalette palette = memo.palette();
    colours.Resolve = [palette](uint32_t value) { return FromQColor(ToQColor(value, palette)); };
    // Paper is white whatever the desktop's colours: default text prints black.
    colours.DefaultText = 0x000000;
    return MakePrintText(memo.Editor().Store(), colour ? memo.ActiveHighlighter() : nullptr,
                         &memo.Editor().Settings().Styles, colours, memo.TextCharset(),
                         PrintTitle(ToStd(DocumentName(form))));
}

}  // namespace

void ShowPrintPreview(QuinkleForm& form) {
    auto* preview = form.findChild<PreviewDialog*>(QStringLiteral("frmPreview"));
    if (preview == nullptr) {
        PreviewSource source;
        source.Text = [&form](bool colour) { return DocumentText(form, colour); };
        source.Tabs = [&form] { return form.Memo1()->Editor().Settings(); };
        source.Font = [&form] { return form.Memo1()->EditorFont(); };
        source.FileName = [&form] { return form.CurrentFileName(); };
        source.Help = [&form](const QString& topic) { form.ShowHelpTopic(topic); };
        preview = new PreviewDialog(&form, std::move(source));
    }
    form.UpdateCommandState();
    preview->exec();
}

}  // namespace quinkle
