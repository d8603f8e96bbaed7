// The Options menu's "Default Syntax" radio items, which choose the editor's scheme.
#pragma once

#include <QObject>

class QActionGroup;

namespace quinkle {

class QuinkleForm;

/// Groups the six scheme items as radio items, with HTML checked at the start, and switches
/// the editor's scheme when one is chosen. Made once, as a child of the window.
class SchemeMenu : public QObject {
public:
    explicit SchemeMenu(QuinkleForm& form);
    static SchemeMenu& Of(QuinkleForm& form);

    /// Makes scheme `number` (1 HTML, 2 Pascal, 3 C/C++, 4 SQL, 5 Basic, 6 plain text) the
    /// editor's and checks its item.
    void Choose(int number);
    int Chosen() const { return m_chosen; }
    /// With "Scheme From Extension" on, chooses the scheme the opened file's extension asks
    /// for; untitled documents keep the scheme.
    void FollowDocument();

    /// The items' names, by scheme number - 1.
    static constexpr const char* kItems[] = {"HTML1",  "Pascal1", "CC1",
                                             "mnuSQL", "SQL1",    "PlainText1"};

private:
    QuinkleForm& m_form;
    QActionGroup* m_group;
    int m_chosen = 1;
};

}  // namespace quinkle
