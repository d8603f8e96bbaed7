// A box of font names that asks the font system for them only when first opened.
#pragma once

#include <QComboBox>

namespace quinkle {

/// An editable box listing the scalable fonts. It asks the font system only when its list is
/// first opened, which keeps the program's start quick.
class FontNameBox : public QComboBox {
public:
    explicit FontNameBox(QWidget* parent);

    void showPopup() override;

private:
    bool m_filled = false;
};

/// A box of the sixteen basic colours by their program names ("Black" shown, "clBlack" as
/// its data), each with a swatch.
QComboBox* NewColourNameBox(QWidget* parent);

}  // namespace quinkle
