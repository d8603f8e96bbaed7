// A band with a title bar that opens and closes the controls beneath it.
#pragma once

#include <QWidget>

class QToolButton;

namespace quinkle {

/// A titled band: clicking its title bar shows or hides its body. Closed when created. Put the
/// band's controls in a layout on Body().
class CollapsibleSection : public QWidget {
    Q_OBJECT

public:
    explicit CollapsibleSection(const QString& title, QWidget* parent = nullptr);

    QString Title() const;
    QToolButton* TitleBar() const { return m_titleBar; }
    QWidget* Body() const { return m_body; }

    bool IsExpanded() const;
    void SetExpanded(bool expanded);

Q_SIGNALS:
    void ExpandedChanged(bool expanded);

private:
    void titleBarToggled(bool expanded);

    QToolButton* m_titleBar;
    QWidget* m_body;
};

}  // namespace quinkle
