// The main window's code template and auto-correct files and its rule for auto-correct.
#pragma once

#include <QObject>

namespace quinkle {

class QuinkleForm;

/// Loads "templates.tpl" and "autoreplace.tpl" into the active scheme's tables whenever the
/// scheme changes, writes them back when the user leaves through Exit, and lets auto-correct
/// replace a word only outside text the scheme shows as a comment (Memo1AutoReplace). Made
/// once, as a child of the window.
class TemplateFiles : public QObject {
public:
    explicit TemplateFiles(QuinkleForm& form);
    static TemplateFiles& Of(QuinkleForm& form);

    /// Reads each file, the per-user copy or else the shipped one, into the editor's active
    /// tables; a missing file leaves the scheme's own table.
    void Load();
    /// Writes the active tables to the program folder.
    void Save();

private:
    QuinkleForm& m_form;
};

}  // namespace quinkle
