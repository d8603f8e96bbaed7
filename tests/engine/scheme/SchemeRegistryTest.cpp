// Saving and loading a scheme's styles and key assignments in the user store.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeImage.h"
#include "engine/scheme/StyleString.h"
#include "engine/store/SchemeRegistry.h"

namespace quinkle {
namespace {

constexpr const char* kKey = "\\Software\\HTML Quinkle\\HTML";

std::unique_ptr<CompiledScheme> Html() {
    auto compiled = std::make_unique<CompiledScheme>();
    SchemeCompiler compiler(*compiled);
    compiler.CompileFile(std::string(QUINKLE_TEST_DATA_DIR) + "/../../schemes/bench-html.sch");
    compiled->Settings.Name = "HTML";
    return compiled;
}

SchemeStoreLink Link() { return {"pHTML", true, kKey}; }

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESourceEditor& error) {
        return error.what();
    }
    return "no error";
}

TEST(SchemeRegistry, SaveNeedsTheStoreSwitchedOnAndAKey) {
    auto html = Html();
    UserStore store;
    SchemeStoreLink off = Link();
    off.UseRegistry = false;
    EXPECT_EQ(ErrorOf([&] { SaveSchemeStyles(*html, store, off); }),
              "Registry interface disabled in: pHTML");
    SchemeStoreLink noKey = Link();
    noKey.RegistryKey.clear();
    EXPECT_EQ(ErrorOf([&] { LoadSchemeStyles(*html, store, noKey); }),
              "Registry interface disabled in: pHTML");
    EXPECT_FALSE(store.Modified());
}

TEST(SchemeRegistry, SavedStylesAndKeysLoadIntoAnotherCopy) {
    auto html = Html();
    html->Settings.Editor.Styles.Effects[3].Foreground = 0x123456;
    html->Settings.Editor.Gutter = 51;
    html->Settings.Editor.Keys.AddBinding(0xC000 | 0x7B, 0, 7);
    html->Settings.Editor.Templates.HotKey = 0x2000 | 0x74;  // Shift+F5
    html->Settings.Editor.AutoCorrect.SetActivationKeys(".\\{Tab}");
    UserStore store;
    SaveSchemeStyles(*html, store, Link());

    EXPECT_EQ(store.ValueType(kKey, "Highlighting - HTML"), UserValueType::Text);
    EXPECT_EQ(store.ReadString(kKey, "Highlighting - HTML", ""), WriteStyleString(html->Settings));
    const std::optional<std::string> blob = store.ReadBinary(kKey, "Key Assignments - HTML");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->substr(0, 9), std::string("\x08Marvox6:"));

    auto other = Html();
    ASSERT_TRUE(LoadSchemeStyles(*other, store, Link()));
    EXPECT_EQ(WriteStyleString(other->Settings), WriteStyleString(html->Settings));
    EXPECT_EQ(other->Settings.Editor.Keys.Bindings(), html->Settings.Editor.Keys.Bindings());
    EXPECT_EQ(other->Settings.Editor.Templates.HotKey, 0x2074);
    EXPECT_EQ(other->Settings.Editor.AutoCorrect.ActivationKeys(), ".\\{Tab}");
    EXPECT_EQ(WriteSchemeImage(*other), WriteSchemeImage(*html));

    // Through the text file of the store as well.
    UserStore reloaded = UserStore::LoadFromText(store.ToText());
    auto third = Html();
    ASSERT_TRUE(LoadSchemeStylesFrom(*third, reloaded, "software\\html quinkle\\html"));
    EXPECT_EQ(WriteSchemeImage(*third), WriteSchemeImage(*html));
}

TEST(SchemeRegistry, MissingEntriesChangeNothing) {
    auto html = Html();
    const std::string before = WriteSchemeImage(*html);
    UserStore store;
    EXPECT_FALSE(LoadSchemeStyles(*html, store, Link()));
    store.WriteBinary(kKey, "Key Assignments - HTML", WriteKeyBlob(KeyboardActionController{}));
    store.WriteBinary(kKey, "Highlighting - HTML", "Marvox6:GWD#2#99");  // not a text value
    EXPECT_FALSE(LoadSchemeStyles(*html, store, Link()));
    EXPECT_EQ(WriteSchemeImage(*html), before);

    // A blob without the magic is not read; the style string still is.
    store.WriteString(kKey, "Highlighting - HTML", "Marvox6:GWD#2#99");
    store.WriteBinary(kKey, "Key Assignments - HTML", "junk");
    EXPECT_TRUE(LoadSchemeStyles(*html, store, Link()));
    EXPECT_EQ(html->Settings.Editor.Gutter, 99);
    EXPECT_EQ(html->Settings.Editor.Keys.Bindings(), Html()->Settings.Editor.Keys.Bindings());

    // A hot key or an activation text that cannot be read keeps the scheme's own.
    store.WriteString(kKey, "Template Hot Key - HTML", "Ctrl+Nothing");
    store.WriteString(kKey, "Auto Correct Keys - HTML", "\\{Tab");
    EXPECT_TRUE(LoadSchemeStyles(*html, store, Link()));
    EXPECT_EQ(html->Settings.Editor.Templates.HotKey, Html()->Settings.Editor.Templates.HotKey);
    EXPECT_EQ(html->Settings.Editor.AutoCorrect.ActivationKeys(),
              Html()->Settings.Editor.AutoCorrect.ActivationKeys());
}

TEST(SchemeRegistry, BadEntriesAreReportedAndResetWhatTheyTouched) {
    const std::string message =
        "Invalid data in registry entry \"\\Software\\HTML Quinkle\\HTML\\Highlighting - HTML\"";
    UserStore store;

    // A bad tagged string: settings back to defaults, the scanner and the name kept.
    auto tagged = Html();
    tagged->Settings.Editor.Gutter = 12;
    store.WriteString(kKey, "Highlighting - HTML", "Marvox6:RMG#2#70GWD#3#abc");
    EXPECT_EQ(ErrorOf([&] { LoadSchemeStyles(*tagged, store, Link()); }), message);
    EXPECT_EQ(tagged->Settings.Name, "HTML");
    EXPECT_EQ(tagged->Settings.Editor.Gutter, SchemeSettings{}.Editor.Gutter);
    EXPECT_EQ(tagged->Settings.Editor.RightMargin, SchemeSettings{}.Editor.RightMargin);
    EXPECT_FALSE(tagged->Scheme.Keywords().Empty());

    // A bad older string clears the whole scheme.
    auto positional = Html();
    store.WriteString(kKey, "Highlighting - HTML", "Marvox2:1,2,3,4,0,0,10,1,999,;");
    EXPECT_EQ(ErrorOf([&] { LoadSchemeStyles(*positional, store, Link()); }), message);
    EXPECT_TRUE(positional->Scheme.Keywords().Empty());
    EXPECT_EQ(positional->Settings.Name, "");

    // No style string at all: nothing is changed before the report.
    auto foreign = Html();
    const std::string before = WriteSchemeImage(*foreign);
    store.WriteString(kKey, "Highlighting - HTML", "Marvox0:");
    EXPECT_EQ(ErrorOf([&] { LoadSchemeStyles(*foreign, store, Link()); }), message);
    EXPECT_EQ(WriteSchemeImage(*foreign), before);

    // A damaged key store after the magic: reported, the keys as they were.
    auto keys = Html();
    store.WriteString(kKey, "Highlighting - HTML", "Marvox6:GWD#2#77");
    store.WriteBinary(kKey, "Key Assignments - HTML", std::string("\x08Marvox6:\x05", 10));
    EXPECT_EQ(ErrorOf([&] { LoadSchemeStyles(*keys, store, Link()); }), message);
    EXPECT_EQ(keys->Settings.Editor.Gutter, 77);
    EXPECT_EQ(keys->Settings.Editor.Keys.Bindings(), Html()->Settings.Editor.Keys.Bindings());
}

}  // namespace
}  // namespace quinkle
