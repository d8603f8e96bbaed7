// Pop-up menus with a vertical banner strip down their left side.
#pragma once

#include <QMenu>

namespace quinkle {

/// A menu that paints its banner text upwards in a coloured strip on its left. The look
/// follows the program's menu setting: 0 "Office97" (dark blue), 1 "IE4" (grey-green) and
/// 2 "None" (a plain menu without the strip).
class BannerMenu : public QMenu {
    Q_OBJECT

public:
    enum Look { Office97 = 0, IE4 = 1, None = 2 };

    explicit BannerMenu(const QString& title, QWidget* parent = nullptr);

    QString Banner() const { return m_banner; }
    void SetBanner(const QString& banner);
    int MenuLook() const { return m_look; }
    /// Values outside 0..2 count as "None".
    void SetMenuLook(int look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void UpdateMargins();

    QString m_banner;
    int m_look = Office97;
};

}  // namespace quinkle
