// Options > Properties: the Editor Options dialog over the active scheme, and the scheme's look.
#include "gui/app/EditorProperties.h"

#include "gui/app/QuinkleForm.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/app/TemplateFiles.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/EditorOptionsDialog.h"
#include "gui/editor/SchemeLook.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle {

EditorProperties::EditorProperties(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("EditorProperties"));
    connect(form.Memo1(), &SourceEditorWidget::SettingsApplied, this,
            &EditorProperties::FollowScheme);
    FollowScheme();
}

EditorProperties& EditorProperties::Of(QuinkleForm& form) {
    return WindowPart<EditorProperties>(form, QStringLiteral("EditorProperties"));
}

void EditorProperties::FollowScheme() {
    // Only a change of scheme brings its font: a font chosen for the editor stays until then.
    if (m_form.ActiveParser() != m_lookOf) TakeSchemeLook();
}

void EditorProperties::TakeSchemeLook() {
    const int index = m_form.ActiveParser();
    if (index < 1 || index > static_cast<int>(m_form.Schemes().size())) return;
    m_lookOf = index;
    ApplySchemeLook(*m_form.Memo1(), m_form.Schemes()[index - 1]->Compiled.Settings);
}

void EditorProperties::Open() {
    const int index = m_form.ActiveParser();
    if (index < 1 || index > static_cast<int>(m_form.Schemes().size())) return;
    ShippedScheme& scheme = *m_form.Schemes()[index - 1];
    if (!m_dialog) m_dialog = new EditorOptionsDialog(&m_form);
    m_dialog->Edit(scheme.Compiled.Settings, &scheme.Compiled.Scheme);
    if (m_dialog->exec() != QDialog::Accepted) return;
    scheme.Compiled.Settings = m_dialog->Edited();
    m_form.SetActiveParser(index);
    TakeSchemeLook();
    m_form.StoreParserStyles(index);
    TemplateFiles::Of(m_form).Save();
    m_form.Memo1()->ScrollCaret();
}

}  // namespace quinkle
