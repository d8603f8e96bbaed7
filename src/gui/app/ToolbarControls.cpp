// The toolbar controls: macro name, heading box, and the Font toolbar's ticks and boxes.
#include "gui/app/ToolbarControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "gui/widgets/FontNameBox.h"

namespace quinkle {
namespace {

// One of the Font toolbar's ticks, ticked.
QCheckBox* NewTick(const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setChecked(true);
    return box;
}

QComboBox* NewNumberBox(int from, int to, int current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int value = from; value <= to; ++value) box->addItem(QString::number(value));
    box->setCurrentText(QString::number(current));
    return box;
}

}  // namespace

QWidget* ToolbarControls::Make(const QString& name, QWidget* bar) {
    QWidget* control = nullptr;
    if (name == QLatin1String("edMacro")) {
        control = Macro = new QLineEdit(QStringLiteral("No Macros Found"), bar);
        Macro->setFixedWidth(120);
    } else if (name == QLatin1String("obHeading")) {
        control = Heading = new QComboBox(bar);
        for (int level = 1; level <= 6; ++level)
            Heading->addItem(QStringLiteral("<H%1>").arg(level));
    } else if (name == QLatin1String("chAddFont")) {
        control = AddFont = NewTick(QStringLiteral("Face"), bar);
    } else if (name == QLatin1String("chAddColour")) {
        control = AddColour = NewTick(QStringLiteral("Colour"), bar);
    } else if (name == QLatin1String("chAddSize")) {
        control = AddSize = NewTick(QStringLiteral("Size"), bar);
    } else if (name == QLatin1String("cbSize")) {
        control = Size = NewNumberBox(-6, 6, 0, bar);
    } else if (name == QLatin1String("cbColour")) {
        control = Colour = NewColourNameBox(bar);
    } else {
        control = Font = new FontNameBox(bar);
        Font->setMinimumWidth(150);
    }
    control->setObjectName(name);
    return control;
}

}  // namespace quinkle
