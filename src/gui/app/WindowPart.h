// The parts of the main window that keep state for its commands: one object of each kind,
// a direct child of the window, made on first use.
#pragma once

#include <QObject>

namespace quinkle {

/// The window `form`'s part of type `Part`, named `name`; made with `Part(form)` when there is
/// none.
template <class Part, class Form>
Part& WindowPart(Form& form, const QString& name) {
    if (auto* part = form.template findChild<Part*>(name, Qt::FindDirectChildrenOnly)) return *part;
    return *new Part(form);
}

}  // namespace quinkle
