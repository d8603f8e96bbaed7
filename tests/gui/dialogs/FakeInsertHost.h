// A stand-in for the main window's side of the HTML dialogs, and helpers to drive them.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/Prompter.h"

namespace quinkle::test {

/// Records what the dialogs hand to the main window. The colour picker asks the prompter and
/// starts on the colour chosen last, like the main window's.
class FakeInsertHost : public InsertHost {
public:
    struct Insertion {
        QString text;
        int stepBack;
        int code;
    };

    void InsertGeneratedText(const QString& text, int stepBack, int code) override {
        insertions.append({text, stepBack, code});
    }
    QString LastFolder(const QString& key) const override {
        return folders.value(key, QStringLiteral("/program/"));
    }
    void RememberFolder(const QString& key, const QString& path) override {
        remembered.append(key + QLatin1Char('=') + path);
    }
    bool PickColour(QColor& colour) override {
        if (!colour.isValid()) colour = lastColour;
        if (!AppPrompter().ChooseColour(colour)) return false;
        lastColour = colour;
        return true;
    }
    void ShowHelpTopic(const QString& topic) override { helpTopics.append(topic); }

    QList<Insertion> insertions;
    QMap<QString, QString> folders;
    QStringList remembered;
    QColor lastColour = Qt::black;
    QStringList helpTopics;
};

template <typename T>
T* Find(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qWarning("no control named %s", name);
    return widget;
}

inline void Click(QWidget& dialog, const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(dialog, button), Qt::LeftButton);
}

}  // namespace quinkle::test
