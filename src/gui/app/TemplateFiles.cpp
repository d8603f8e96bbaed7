// The main window's code template and auto-correct files.
#include "gui/app/TemplateFiles.h"

#include "engine/editor/SourceEditor.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

TemplateFiles::TemplateFiles(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("TemplateFiles"));
    SourceEditor& editor = form.Memo1()->Editor();
    editor.OnAutoReplace = [&editor](int32_t start, bool& allow, std::string&,
                                     const std::string& word) {
        allow = AutoReplaceAllowedAt(editor, start + static_cast<int32_t>(word.size()));
    };
    Load();  // the scheme chosen at start-up
}

TemplateFiles& TemplateFiles::Of(QuinkleForm& form) {
    return WindowPart<TemplateFiles>(form, QStringLiteral("TemplateFiles"));
}

void TemplateFiles::Load() {
    EditorSettings& settings = m_form.Memo1()->Editor().Settings();
    const std::string programDir = ToStd(ProgramDir());
    const std::string shippedDir = ToStd(ShippedDataDir());
    const std::string templates = ProgramFileOrShipped(programDir, shippedDir, kTemplatesFileName);
    if (!templates.empty())
        Guarded([&] { settings.Templates.LoadTemplatesFromFile(templates); },
                Prompter::Kind::Warning);
    const std::string corrections =
        ProgramFileOrShipped(programDir, shippedDir, kAutoReplaceFileName);
    if (!corrections.empty())
        Guarded([&] { settings.AutoCorrect.LoadTemplatesFromFile(corrections); },
                Prompter::Kind::Warning);
}

void TemplateFiles::Save() {
    const EditorSettings& settings = m_form.Memo1()->Editor().Settings();
    const std::string programDir = ToStd(ProgramDir());
    if (programDir.empty()) return;
    Guarded([&] {
        settings.Templates.SaveTemplatesToFile(programDir + std::string(kTemplatesFileName));
        settings.AutoCorrect.SaveTemplatesToFile(programDir + std::string(kAutoReplaceFileName));
    });
}

}  // namespace quinkle
