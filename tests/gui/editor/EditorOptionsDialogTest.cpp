// Options > Properties: the Editor Options dialog changes a scheme, stores it, and Cancel does not.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiTest.h"
#include "app/MainWindowSandbox.h"
#include "engine/scheme/KeyCombination.h"
#include "gui/app/ShippedSchemes.h"
#include "gui/editor/EditorOptionsDialog.h"
#include "gui/editor/KeyAssignDialog.h"
#include "gui/widgets/ScriptedPrompter.h"

namespace quinkle {
namespace {

template <class T>
T* Find(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (!child) qWarning("no control %s", name);
    return child;
}

void Click(QWidget* parent, const char* name) {
    if (auto* button = Find<QAbstractButton>(parent, name)) button->click();
}

void Leave(QWidget* parent, const char* name, const QString& text) {
    if (auto* box = Find<QLineEdit>(parent, name)) {
        box->setText(text);
        emit box->editingFinished();
    }
}

const SchemeSettings& Html(QuinkleForm& form) { return form.Schemes()[0]->Compiled.Settings; }

int Row(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text) return i;
    return -1;
}

// The command a key pair runs in `keys`, or -1.
int32_t CommandOf(const KeyboardActionController& keys, uint16_t first) {
    for (const KeyBinding& binding : keys.Bindings())
        if (binding.FirstKey == first && binding.SecondKey == 0) return binding.Command;
    return -1;
}

const uint16_t kF11 = VK_F11;
constexpr int32_t kDeleteWord = 45;  // "Delete next word"

class EditorOptionsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::MainWindowSandbox> m_sandbox;

    // Binds F11 to "Delete next word" through the key page and the two-step wizard.
    static void AddF11(EditorOptionsDialog* dialog) {
        auto* commands = Find<QListWidget>(dialog, "lbCommands");
        commands->setCurrentRow(Row(commands, QStringLiteral("Delete next word")));
        test::WhenModalShown([](QWidget* modal) {
            auto* wizard = dynamic_cast<KeyAssignDialog*>(modal);
            if (!wizard) {
                modal->close();
                return;
            }
            QVERIFY(!Find<QPushButton>(wizard, "btnNext")->isEnabled());
            QTest::keyClick(Find<QWidget>(wizard, "edtFirstKey"), Qt::Key_F11);
            QCOMPARE(Find<QLineEdit>(wizard, "edtFirstKey")->text(), QStringLiteral("F11"));
            Click(wizard, "btnNext");
            QCOMPARE(wizard->Step(), 2);
            QCOMPARE(Find<QPushButton>(wizard, "btnNext")->text(), QStringLiteral("Finish"));
            Click(wizard, "btnNext");
        });
        Click(dialog, "btnAddKey");
    }

private Q_SLOTS:
    void init() { m_sandbox = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void okAppliesAStyleAnOptionAndAKeyAndTheySurviveARestart() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        QVERIFY(!Html(*form).Editor.Has(smoShowAllChars));
        const uint8_t effect = Html(*form).Editor.Styles.EditableStyles.at(0).Effect;
        bool ran = false;
        test::WhenModalShown([&](QWidget* modal) {
            auto* dialog = dynamic_cast<EditorOptionsDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            ran = true;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Editor Options"));
            const EditorSettings& preview = dialog->Preview()->Editor().Settings();
            Click(dialog, "cbShowAllChars");
            QVERIFY(preview.Has(smoShowAllChars));
            QVERIFY(!form->Memo1()->Editor().Settings().Has(smoShowAllChars));  // a copy
            // Word wrap disables "Smart tab"; the number box shows what was taken.
            Click(dialog, "cbWordWrap");
            QVERIFY(!Find<QCheckBox>(dialog, "cbSmartTab")->isEnabled());
            Click(dialog, "cbWordWrap");
            QVERIFY(Find<QCheckBox>(dialog, "cbSmartTab")->isEnabled());
            Leave(dialog, "edtRightMargin", QStringLiteral("99"));
            Click(dialog, "edtRightMarginUp");  // the spin arrow applies at once
            QCOMPARE(Find<QLineEdit>(dialog, "edtRightMargin")->text(), QStringLiteral("100"));
            Leave(dialog, "edtIndentStep", QStringLiteral("25"));
            QCOMPARE(Find<QLineEdit>(dialog, "edtIndentStep")->text(), QStringLiteral("1"));
            // A faulty tab stop list is reported and the dialog stays.
            prompter.AnswerButton(Prompter::Ok);
            Leave(dialog, "edtTabColumns", QStringLiteral("9 5"));
            QCOMPARE(prompter.Questions().size(), 1);
            QCOMPARE(prompter.Questions().last().text,
                     QStringLiteral("Tab columns must be in order and unique"));

            Find<QListWidget>(dialog, "lbElements")->setCurrentRow(0);
            prompter.AnswerColour(QColor(255, 0, 0));
            Click(dialog, "btnForeground");
            Click(dialog, "cbBold");
            QCOMPARE(dialog->Preview()->Editor().Settings().Styles.Effects[effect].Foreground,
                     0x0000FFu);

            AddF11(dialog);
            QVERIFY(Row(Find<QListWidget>(dialog, "lbUsesKeys"),
                        QStringLiteral("[F11]  [<none>]")) >= 0);
            Click(dialog, "btnOK");
        });
        test::Trigger(*form, "Properties1");
        QVERIFY(ran);
        QCOMPARE(prompter.UnexpectedCount(), 0);

        auto check = [&](QuinkleForm& window) {
            const SchemeSettings& html = Html(window);
            QVERIFY(html.Editor.Has(smoShowAllChars));
            QCOMPARE(html.Editor.RightMargin, 100);
            QCOMPARE(html.Editor.Styles.Effects[effect].Foreground, 0x0000FFu);
            QVERIFY(html.Editor.Styles.Effects[effect].Style & esBold);
            QCOMPARE(CommandOf(html.Editor.Keys, kF11), kDeleteWord);
            // The open editor works with them.
            QCOMPARE(&window.Memo1()->Editor().Settings(), &html.Editor);
        };
        check(*form);
        form.reset();
        auto again = m_sandbox->Start();
        QVERIFY(again);
        check(*again);
    }

    void cancelAndConflictingKeysLeaveTheSchemeAsItWas() {
        auto form = m_sandbox->Start();
        QVERIFY(form);
        ScriptedPrompter prompter;
        ScopedAppPrompter scope(prompter);
        const uint32_t options = Html(*form).Editor.Options;
        const int32_t gutter = Html(*form).Editor.Gutter;
        const std::vector<KeyBinding> keys = Html(*form).Editor.Keys.Bindings();
        test::WhenModalShown([&](QWidget* modal) {
            auto* dialog = dynamic_cast<EditorOptionsDialog*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            Click(dialog, "cbShowAllChars");
            Leave(dialog, "edtGutterWidth", QStringLiteral("60"));
            AddF11(dialog);
            // F11 twice: OK reports the conflict and the dialog stays open.
            AddF11(dialog);
            prompter.AnswerButton(Prompter::Ok);
            Click(dialog, "btnOK");
            QVERIFY(dialog->isVisible());
            QVERIFY(prompter.Questions().last().text.startsWith(
                QStringLiteral("Duplicate key sequence definition for\r\n\"Delete next word\"")));
            // Pictures of the pages, for a look by eye.
            auto* tabs = Find<QTabWidget>(dialog, "PageControl1");
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                QCoreApplication::processEvents();
                dialog->grab().save(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/editor-options-%1.png").arg(page + 1));
            }
            Click(dialog, "btnCancel");
        });
        test::Trigger(*form, "Properties1");
        QCOMPARE(prompter.UnexpectedCount(), 0);
        QCOMPARE(Html(*form).Editor.Options, options);
        QCOMPARE(Html(*form).Editor.Gutter, gutter);
        QVERIFY(Html(*form).Editor.Keys.Bindings() == keys);

        // Opened again, the dialog shows the scheme as it is, not the cancelled changes.
        test::WhenModalShown([&](QWidget* modal) {
            QVERIFY(!Find<QCheckBox>(modal, "cbShowAllChars")->isChecked());
            QCOMPARE(Find<QLineEdit>(modal, "edtGutterWidth")->text(), QString::number(gutter));
            Click(modal, "btnCancel");
        });
        test::Trigger(*form, "Properties1");
        form.reset();
        auto again = m_sandbox->Start();
        QVERIFY(again);
        QCOMPARE(Html(*again).Editor.Options, options);
    }
};

}  // namespace

QUINKLE_GUI_TEST(EditorOptionsDialogTest);

}  // namespace quinkle

#include "EditorOptionsDialogTest.moc"
