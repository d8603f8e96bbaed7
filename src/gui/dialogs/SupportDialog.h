// The Support window: the home page, updates, suggestions, bug reports, and Close.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace quinkle {

/// One clickable area: a title that lights up in yellow while the mouse is over it, an
/// explanation under it, a hand cursor, and what a click does.
class SupportArea : public QWidget {
public:
    SupportArea(const QString& name, const QString& title, const QString& explanation,
                std::function<void()> click, QWidget* parent);
    bool LitUp() const { return m_lit; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Light(bool on);

    QLabel* m_title;
    std::function<void()> m_click;
    bool m_lit = false;
};

/// "HTML Quinkle - Support Form". Links open through the desktop's handlers.
class SupportDialog : public QDialog {
public:
    explicit SupportDialog(QWidget* parent);
};

}  // namespace quinkle
