// The main window's status bar: the caret position, the key state panels and the notice.
#pragma once

#include <QString>
#include <array>

class QKeyEvent;
class QLabel;
class QStatusBar;

namespace quinkle {

class SourceEditor;

/// Five panels: position, insert mode, Num Lock, Caps Lock and a notice (see
/// QuinkleForm::Panel).
class MainStatusBar {
public:
    enum Panel { Position = 0, Insert, NumLock, CapsLock, Message };

    /// Puts the panels on `bar`.
    explicit MainStatusBar(QStatusBar* bar);

    QString Text(int panel) const;
    void SetText(int panel, const QString& text);

    /// "Len:" and the selection's length, or "Line:" and "Col:" of the caret.
    void ShowPosition(const SourceEditor& editor);
    /// The Caps Lock and Num Lock panels as the key of `event` shows them.
    void ShowLockKeys(const QKeyEvent& event);
    /// "INS" or "OVR".
    void ShowInsertMode(bool insert);

private:
    std::array<QLabel*, 5> m_panels{};
};

}  // namespace quinkle
