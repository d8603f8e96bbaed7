// The scheme images built into the program: complete, exact, and readable back to themselves.
#include <QTest>

#include "GuiTest.h"
#include "engine/scheme/SchemeImage.h"
#include "engine/store/UserStore.h"
#include "gui/app/ShippedSchemes.h"

namespace quinkle {
namespace {

class ShippedSchemeImagesTest : public QObject {
    Q_OBJECT

private slots:
    void everyImageReadsWhollyAndWritesBackTheSameBytes() {
        QCOMPARE(int(kShippedSchemeImageCount), 6);
        for (size_t i = 0; i < kShippedSchemeImageCount; ++i) {
            const ShippedSchemeImage& image = kShippedSchemeImages[i];
            CompiledScheme scheme;
            QVERIFY(ReadParserValue(image.Value, scheme, image.Name).empty());
            QCOMPARE(WriteParserValue(scheme), std::string(image.Value));
        }
    }

    void storedStylesAreAppliedWhenLoading() {
        UserStore store;
        std::vector<std::string> problems;
        auto schemes = LoadShippedSchemes(store, problems);
        QVERIFY(problems.empty());
        SchemeSettings& html = schemes[0]->Compiled.Settings;
        html.Editor.Options ^= smoLineNumbers;
        html.Editor.Styles.Effects[4].Foreground = 0x123456;
        SaveSchemeStyles(schemes[0]->Compiled, store, schemes[0]->Link);

        auto again = LoadShippedSchemes(store, problems);
        QVERIFY(problems.empty());
        QCOMPARE(again[0]->Compiled.Settings.Editor.Options, html.Editor.Options);
        QCOMPARE(again[0]->Compiled.Settings.Editor.Styles.Effects[4].Foreground, 0x123456u);
        QVERIFY(again[1]->Compiled.Settings.Editor.Styles.Effects[4].Foreground != 0x123456u);
    }
};

QUINKLE_GUI_TEST(ShippedSchemeImagesTest);

}  // namespace
}  // namespace quinkle

#include "ShippedSchemeImagesTest.moc"
