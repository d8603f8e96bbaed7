// Gives an editor widget the font and colours a scheme carries.
#include "gui/editor/SchemeLook.h"

#include <QFont>

#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

void ApplySchemeLook(SourceEditorWidget& widget, const SchemeSettings& settings) {
    const QPalette& palette = widget.palette();
    auto colour = [&](const SchemeColor& value, const QColor& fallback) {
        return value.UseDefault ? fallback : ToQColor(value.Color, palette);
    };
    widget.SelTextColor = colour(settings.SelTextColor, QColor(Qt::white));
    widget.SelTextBack = colour(settings.SelTextBack, QColor(0, 0, 128));
    widget.GutterColor = colour(settings.GutterColor, QColor());
    widget.MarginColor = colour(settings.MarginColor, QColor());
    const EffectDef& plain = settings.Editor.Styles.Effects[0];
    widget.DefaultTextColor =
        plain.Defined && !plain.ForegroundDefault ? ToQColor(plain.Foreground, palette) : QColor();
    widget.DefaultBackColor =
        plain.Defined && !plain.BackgroundDefault ? ToQColor(plain.Background, palette) : QColor();
    if (!settings.Font.Name.empty() && settings.Font.Size > 0) {
        QFont font(FromStd(settings.Font.Name), settings.Font.Size);
        font.setStyleHint(QFont::TypeWriter);
        if (font != widget.EditorFont()) widget.SetEditorFont(font);
    }
    widget.viewport()->update();
}

}  // namespace quinkle
