// The Prompter that asks the user with Qt's message boxes and standard dialogs.
#include "gui/widgets/QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include <utility>

namespace quinkle {
namespace {

QWidget* DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

QString DefaultTitle(Prompter::Kind kind) {
    switch (kind) {
        case Prompter::Kind::Error:
            return QStringLiteral("Error");
        case Prompter::Kind::Warning:
            return QStringLiteral("Warning");
        case Prompter::Kind::Information:
            return QStringLiteral("Information");
        case Prompter::Kind::Confirmation:
            return QStringLiteral("Confirm");
    }
    return QString();
}

QMessageBox::Icon KindIcon(Prompter::Kind kind) {
    switch (kind) {
        case Prompter::Kind::Error:
            return QMessageBox::Critical;
        case Prompter::Kind::Warning:
            return QMessageBox::Warning;
        case Prompter::Kind::Information:
            return QMessageBox::Information;
        case Prompter::Kind::Confirmation:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Our buttons in the order the box shows them, with their Qt twins.
constexpr std::pair<int, QMessageBox::StandardButton> kButtons[] = {
    {Prompter::Yes, QMessageBox::Yes},       {Prompter::YesToAll, QMessageBox::YesToAll},
    {Prompter::No, QMessageBox::No},         {Prompter::Ok, QMessageBox::Ok},
    {Prompter::Cancel, QMessageBox::Cancel}, {Prompter::Abort, QMessageBox::Abort},
    {Prompter::Retry, QMessageBox::Retry},   {Prompter::Ignore, QMessageBox::Ignore},
};

/// What a box closed without a button counts as.
int ClosedAnswer(int buttons) {
    if (buttons & Prompter::Cancel) return Prompter::Cancel;
    if (buttons & Prompter::No) return Prompter::No;
    return Prompter::Ok;
}

// The pattern list of a Qt name filter: the text inside its last parentheses.
QString FilterPatterns(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = nameFilter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return QString();
    return nameFilter.mid(open + 1, close - open - 1).trimmed();
}

// Programs here carry no ".exe", so a filter that opens on ".exe" program files starts on its
// all-files entry instead, which is the one that finds them.
QString InitialNameFilter(const QStringList& filters) {
    if (filters.isEmpty()) return QString();
    if (FilterPatterns(filters.first()).compare(QStringLiteral("*.exe"), Qt::CaseInsensitive) ==
        0) {
        for (const QString& filter : filters) {
            if (FilterPatterns(filter) == QStringLiteral("*")) return filter;
        }
    }
    return filters.first();
}

}  // namespace

QStringList QtNameFilters(const QString& programFilter) {
    QStringList result;
    if (programFilter.trimmed().isEmpty()) return result;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = programFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& raw : parts[i + 1].split(QLatin1Char(';'))) {
                const QString pattern = raw.trimmed();
                if (pattern.isEmpty()) continue;
                patterns.append(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
            }
        }
        if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
        const QString joined = patterns.join(QLatin1Char(' '));
        QString description = parts[i].trimmed();
        description.remove(trailingPatterns);
        if (description.isEmpty()) description = joined;
        result.append(description + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return result;
}

int QtPrompter::Message(Kind kind, const QString& title, const QString& text, int buttons) {
    if (buttons == 0) buttons = Ok;
    QMessageBox box(KindIcon(kind), title.isEmpty() ? DefaultTitle(kind) : title, text,
                    QMessageBox::NoButton, DialogParent());
    for (const auto& [ours, theirs] : kButtons) {
        if (buttons & ours) box.addButton(theirs);
    }
    const int closed = ClosedAnswer(buttons);
    for (const auto& [ours, theirs] : kButtons) {
        if (ours == closed && (buttons & ours)) box.setEscapeButton(theirs);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto& [ours, theirs] : kButtons) {
        if (theirs == clicked) return ours;
    }
    return closed;
}

bool QtPrompter::InputBox(const QString& title, const QString& prompt, QString& value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(DialogParent(), title, prompt, QLineEdit::Normal, value, &ok);
    if (ok) value = text;
    return ok;
}

bool QtPrompter::OpenFileName(const QString& title, const QString& filter, QString& fileName) {
    const QStringList filters = QtNameFilters(filter);
    QString selected = InitialNameFilter(filters);
    const QString chosen = QFileDialog::getOpenFileName(
        DialogParent(), title, fileName, filters.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty()) return false;
    fileName = chosen;
    return true;
}

bool QtPrompter::SaveFileName(const QString& title, const QString& filter,
                              const QString& defaultExtension, QString& fileName) {
    QFileDialog dialog(DialogParent(), title, fileName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(InitialNameFilter(filters));
    }
    QString suffix = defaultExtension;
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().first();
    return true;
}

bool QtPrompter::ChooseColour(QColor& colour) {
    const QColor chosen = QColorDialog::getColor(colour, DialogParent());
    if (!chosen.isValid()) return false;
    colour = chosen;
    return true;
}

bool QtPrompter::ChooseFont(QFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, DialogParent());
    if (ok) font = chosen;
    return ok;
}

}  // namespace quinkle
