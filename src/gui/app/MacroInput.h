// Key and mouse input of the program's windows as macro records, and back.
#pragma once

#include <QString>
#include <optional>

#include "engine/store/MacroFile.h"

class QEvent;
class QWidget;
class QWindow;

namespace quinkle {

/// An input event as recorded: the record (its time not yet set) and the path of the widget it
/// belongs to.
struct CapturedInput {
    MacroEvent Event;
    QString Window;
};

/// The record of a key press or release, mouse press, release or move that reached `window`
/// from the platform; nullopt for other events. A mouse position is stored relative to the
/// named widget under the pointer, a key event names the window's own widget, so replaying
/// does not depend on where the windows are or how large they are.
std::optional<CapturedInput> CaptureInput(QWindow* window, const QEvent& event);

/// A widget's path: the object names of it and its named ancestors, outermost first, joined
/// by "/"; a window without a name stands in by its class name.
QString WidgetPath(const QWidget* widget);
/// The visible widget at `path`, or null.
QWidget* FindWidgetPath(const QString& path);

/// Feeds `event` to the widget at `path` through the platform's input path (so shortcuts,
/// mouse grabs and double clicks behave as for real input). `buttons` carries the mouse
/// buttons held from one event to the next; `timestamp` is the event's time for double
/// clicks. False when the widget is not there (nothing is fed then).
bool ReplayInput(const MacroEvent& event, const QString& path, Qt::MouseButtons& buttons,
                 unsigned long timestamp);

}  // namespace quinkle
