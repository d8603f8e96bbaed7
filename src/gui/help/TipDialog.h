// The Tip Of The Day dialog.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace quinkle {

class IniFile;

/// `TipOfTheDay`: one tip at a time (`lblTip`) with "&Previous", "&Next" and "&Close", and the
/// check box "&Show tips at start-up" (`cbShowTips`). It starts at the tip after the one shown
/// last and keeps its place and the check box in [Config] "Next Tip" and "Show Tips".
class TipDialog : public QDialog {
    Q_OBJECT

public:
    TipDialog(IniFile& settings, QWidget* parent = nullptr);

    /// Reads the tips file; a missing or empty file leaves one tip that says so.
    void LoadTips(const QString& path);
    const QStringList& Tips() const { return m_tips; }
    int CurrentTip() const { return m_current; }
    QString TipText() const;

    void ShowTip(int index);
    void btnNextClick();
    void btnPreviousClick();

protected:
    void done(int result) override;

private:
    IniFile& m_settings;
    QStringList m_tips;
    int m_current = 0;
    QLabel* m_lblTip = nullptr;
    QLabel* m_lblNumber = nullptr;
    QCheckBox* m_cbShowTips = nullptr;
    QPushButton* m_btnPrevious = nullptr;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnClose = nullptr;
};

}  // namespace quinkle
