// Switches tool tips on and off for the whole application.
#pragma once

#include <QObject>

namespace quinkle {

/// An application-wide event filter that swallows tool tip requests while hints are off.
class HintSwitch : public QObject {
    Q_OBJECT

public:
    /// The switch of the running program, installed on the application at first use.
    static HintSwitch& Instance();

    bool HintsShown() const { return m_shown; }
    void SetHintsShown(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintSwitch() = default;
    bool m_shown = true;
};

}  // namespace quinkle
