// The splash window that reports the progress of the start-up.
#pragma once

#include <QWidget>

class QLabel;

namespace quinkle {

/// A frameless window with the program's artwork, its name and version, the author line and
/// a progress label `u` that the start-up sets before each step.
class SplashForm : public QWidget {
    Q_OBJECT

public:
    explicit SplashForm(QWidget* parent = nullptr);

    /// Sets the progress label and repaints the window at once.
    void SetProgress(const QString& text);
    QString Progress() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_title;
    QLabel* m_toolLine;
    QLabel* m_author;
    QLabel* m_progress;
};

}  // namespace quinkle
