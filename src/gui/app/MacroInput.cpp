// Translating between Qt's key and mouse events and macro records.
#include "gui/app/MacroInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "engine/scheme/KeyCombination.h"
#include "gui/editor/KeyTranslation.h"

// The platform input entry points Qt's own test library feeds events through: they deliver an
// event as if the window system had sent it (shortcuts first, then the window's widgets).
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key,
                                    Qt::KeyboardModifiers mods, const QString& text, bool autorep,
                                    ushort count);

namespace quinkle {
namespace {

uint16_t KeyFlags(Qt::KeyboardModifiers modifiers) {
    uint16_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= kShiftKey;
    if (modifiers & Qt::ControlModifier) flags |= kCtrlKey;
    if (modifiers & Qt::AltModifier) flags |= kAltKey;
    return flags;
}

Qt::KeyboardModifiers Modifiers(uint16_t flags) {
    Qt::KeyboardModifiers modifiers;
    if (flags & kShiftKey) modifiers |= Qt::ShiftModifier;
    if (flags & kCtrlKey) modifiers |= Qt::ControlModifier;
    if (flags & kAltKey) modifiers |= Qt::AltModifier;
    return modifiers;
}

struct ButtonMessages {
    Qt::MouseButton Button;
    uint32_t Down, Up, Double;
};
constexpr ButtonMessages kButtons[] = {
    {Qt::LeftButton, mmLeftDown, mmLeftUp, mmLeftDouble},
    {Qt::RightButton, mmRightDown, mmRightUp, mmRightDouble},
    {Qt::MiddleButton, mmMiddleDown, mmMiddleUp, mmMiddleDouble},
};

QWidget* WidgetOf(const QWindow* window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window) return widget;
    }
    return nullptr;
}

QString NameOf(const QWidget* widget) {
    if (!widget->objectName().isEmpty()) return widget->objectName();
    return widget->isWindow() ? QLatin1String(widget->metaObject()->className()) : QString();
}

std::optional<CapturedInput> CaptureKey(QWidget* top, const QKeyEvent& key) {
    const bool down = key.type() == QEvent::KeyPress;
    const bool system = key.modifiers() & Qt::AltModifier;
    uint16_t combination = KeyToVirtualKey(key.key(), key.modifiers());
    if (combination == 0) combination = KeyFlags(key.modifiers());
    const QList<uint> text = key.text().toUcs4();
    MacroEvent event;
    event.Message = down ? (system ? mmSysKeyDown : mmKeyDown) : (system ? mmSysKeyUp : mmKeyUp);
    event.ParamL = combination;
    event.ParamH = text.isEmpty() ? 0 : int32_t(text.front());
    return CapturedInput{event, WidgetPath(top)};
}

std::optional<CapturedInput> CaptureMouse(QWidget* top, const QMouseEvent& mouse) {
    MacroEvent event;
    if (mouse.type() == QEvent::MouseMove) {
        event.Message = mmMouseMove;
    } else {
        for (const ButtonMessages& b : kButtons) {
            if (b.Button == mouse.button())
                event.Message = mouse.type() == QEvent::MouseButtonPress ? b.Down : b.Up;
        }
        if (event.Message == 0) return std::nullopt;  // a button macros do not keep
    }
    const QPoint at = mouse.position().toPoint();
    QWidget* target = top->childAt(at);
    if (target == nullptr) target = top;
    while (target != top && target->objectName().isEmpty()) target = target->parentWidget();
    const QPoint local = target->mapFrom(top, at);
    event.ParamL = local.x();
    event.ParamH = local.y();
    event.Window = uint32_t(KeyFlags(mouse.modifiers())) << 16;
    return CapturedInput{event, WidgetPath(target)};
}

}  // namespace

QString WidgetPath(const QWidget* widget) {
    QStringList names;
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QString name = NameOf(widget);
        if (!name.isEmpty()) names.prepend(name);
    }
    return names.join(QLatin1Char('/'));
}

QWidget* FindWidgetPath(const QString& path) {
    const QStringList names = path.split(QLatin1Char('/'));
    QWidget* found = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->parentWidget() == nullptr && top->isVisible() && NameOf(top) == names.front()) {
            found = top;
            break;
        }
    }
    for (qsizetype i = 1; found != nullptr && i < names.size(); ++i) {
        QWidget* next = nullptr;
        for (QWidget* child : found->findChildren<QWidget*>(names[i])) {
            if (child->isVisible()) {
                next = child;
                break;
            }
        }
        // A window without a name is found by its class.
        if (next == nullptr) {
            for (QWidget* child : found->findChildren<QWidget*>()) {
                if (child->isWindow() && child->isVisible() && NameOf(child) == names[i]) {
                    next = child;
                    break;
                }
            }
        }
        found = next;
    }
    return found;
}

std::optional<CapturedInput> CaptureInput(QWindow* window, const QEvent& event) {
    const QEvent::Type type = event.type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    const bool mouse = type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
                       type == QEvent::MouseButtonRelease;
    if (!key && !mouse) return std::nullopt;
    QWidget* top = WidgetOf(window);
    if (top == nullptr) return std::nullopt;
    return key ? CaptureKey(top, static_cast<const QKeyEvent&>(event))
               : CaptureMouse(top, static_cast<const QMouseEvent&>(event));
}

bool ReplayInput(const MacroEvent& event, const QString& path, Qt::MouseButtons& buttons,
                 unsigned long timestamp) {
    QWidget* target = FindWidgetPath(path);
    if (target == nullptr) return false;
    QWindow* window = target->window()->windowHandle();
    if (window == nullptr) return false;
    if (IsKeyMessage(event.Message)) {
        const uint16_t combination = uint16_t(event.ParamL);
        const QKeyCombination key = VirtualKeyToKey(combination);
        const QString text =
            event.ParamH > 0
                ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&event.ParamH), 1)
                : QString();
        const bool down = event.Message == mmKeyDown || event.Message == mmSysKeyDown;
        const int code = (combination & 0xFF) == 0 ? int(Qt::Key_unknown) : int(key.key());
        qt_handleKeyEvent(window, down ? QEvent::KeyPress : QEvent::KeyRelease, code,
                          Modifiers(combination) | (key.keyboardModifiers() & Qt::KeypadModifier),
                          text, false, 1);
        return true;
    }
    const QPoint global = target->mapToGlobal(QPoint(event.ParamL, event.ParamH));
    const QPointF local = window->mapFromGlobal(global);
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    for (const ButtonMessages& b : kButtons) {
        if (event.Message == b.Down || event.Message == b.Double) {
            type = QEvent::MouseButtonPress;
            button = b.Button;
            buttons |= button;
        } else if (event.Message == b.Up) {
            type = QEvent::MouseButtonRelease;
            button = b.Button;
            buttons &= ~button;
        }
    }
    qt_handleMouseEvent(window, local, global, buttons, button, type, Modifiers(event.MouseFlags()),
                        int(timestamp));
    return true;
}

}  // namespace quinkle
