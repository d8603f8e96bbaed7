// The font name box and the colour name box of the Font toolbar.
#include "gui/widgets/FontNameBox.h"

#include <QFontDatabase>
#include <QPainter>

namespace quinkle {
namespace {

// The sixteen basic colours of the colour box, by their program names.
constexpr struct {
    const char* name;
    QRgb rgb;
} kColours[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x800000},  {"clGreen", 0x008000}, {"clOlive", 0x808000},
    {"clNavy", 0x000080},   {"clPurple", 0x800080},  {"clTeal", 0x008080},  {"clGray", 0x808080},
    {"clSilver", 0xc0c0c0}, {"clRed", 0xff0000},     {"clLime", 0x00ff00},  {"clYellow", 0xffff00},
    {"clBlue", 0x0000ff},   {"clFuchsia", 0xff00ff}, {"clAqua", 0x00ffff},  {"clWhite", 0xffffff}};

QIcon ColourSwatch(QRgb rgb) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor(rgb));
    QPainter painter(&swatch);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(swatch);
}

}  // namespace

FontNameBox::FontNameBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItem(QStringLiteral("Times New Roman"));
}

void FontNameBox::showPopup() {
    if (!m_filled) {
        m_filled = true;
        const QString current = currentText();
        QStringList names;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isSmoothlyScalable(family)) names << family;
        }
        if (!names.contains(current)) names << current;
        names.sort(Qt::CaseInsensitive);
        clear();
        addItems(names);
        setCurrentText(current);
    }
    QComboBox::showPopup();
}

QComboBox* NewColourNameBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const auto& colour : kColours) {
        box->addItem(ColourSwatch(colour.rgb), QLatin1String(colour.name + 2),
                     QLatin1String(colour.name));
    }
    return box;
}

}  // namespace quinkle
