// The two-step key capture wizard of the key assignments page.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quinkle {

/// A field that shows the key combination last pressed in it, as its display text.
class KeyCaptureField : public QLineEdit {
public:
    explicit KeyCaptureField(QWidget* parent = nullptr);
    uint16_t Key() const { return m_key; }
    void SetKey(uint16_t key);
    /// Called after each change of the key.
    std::function<void()> OnChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    uint16_t m_key = 0;
};

/// TKeyAssignDialog: step 1 captures the first key combination, step 2 an optional second
/// key. "Next >" becomes "Finish" on step 2 and closes with OK.
class KeyAssignDialog : public QDialog {
public:
    explicit KeyAssignDialog(QWidget* parent = nullptr);

    /// Starts at step 1 with `caption` as the title and the two keys in the fields.
    void Start(const QString& caption, uint16_t first, uint16_t second);
    uint16_t FirstKey() const { return m_first->Key(); }
    uint16_t SecondKey() const { return m_second->Key(); }
    int Step() const;

private:
    void ShowStep(int step);
    void btnNextClick();

    QStackedWidget* m_pages;
    QLabel* m_stepLabel;
    KeyCaptureField* m_first;
    KeyCaptureField* m_second;
    QPushButton* m_back;
    QPushButton* m_next;
};

}  // namespace quinkle
