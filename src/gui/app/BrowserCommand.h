// The Browser button: shows the document in the configured browser or the desktop's handler.
#pragma once

#include <QIcon>
#include <QObject>

namespace quinkle {

class QuinkleForm;

/// Keeps the button's mode ("Browser" or "Default", chosen from its drop-down menu) and opens
/// the page the engine decides on. Made once, as a child of the window.
class BrowserCommand : public QObject {
public:
    explicit BrowserCommand(QuinkleForm& form);
    static BrowserCommand& Of(QuinkleForm& form);

    /// Shows the document: its file, or a private copy of its text.
    void View();
    /// "Browser" uses the configured browser when one is set; "Default" always the desktop's.
    void SetMode(const QString& caption);

private:
    void Launch(const QString& path);

    QuinkleForm& m_form;
    QIcon m_browserIcon;  // the button's own icon, for Browser mode and untitled documents
};

}  // namespace quinkle
