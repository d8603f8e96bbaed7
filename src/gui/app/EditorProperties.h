// Options > Properties: the Editor Options dialog over the active scheme, and the scheme's look.
#pragma once

#include <QObject>

namespace quinkle {

class EditorOptionsDialog;
class QuinkleForm;

/// Opens the Editor Options dialog (made on first use, kept for the run) on a copy of the
/// active scheme's settings. OK puts the copy in the scheme, re-applies it to the editor and
/// stores the styles, options and keys in the per-user store and the templates and
/// auto-correct entries in the program folder; Cancel changes nothing. Also gives the editor
/// the font and colours of each scheme when it becomes active. Made once, as a child of the
/// window.
class EditorProperties : public QObject {
public:
    explicit EditorProperties(QuinkleForm& form);
    static EditorProperties& Of(QuinkleForm& form);

    void Open();
    /// The dialog, null before the first Open.
    EditorOptionsDialog* Dialog() const { return m_dialog; }

private:
    // Takes the look of the active scheme when it is not the one taken last.
    void FollowScheme();
    void TakeSchemeLook();

    QuinkleForm& m_form;
    EditorOptionsDialog* m_dialog = nullptr;
    int m_lookOf = 0;  // the scheme whose font and colours the editor has
};

}  // namespace quinkle
