// Tests of the options dialog's rules: number boxes, option boxes, hot keys and key pairs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/editor/EditorOptionsModel.h"
#include "engine/scheme/KeyCombination.h"

namespace quinkle {
namespace {

TEST(EditorOptionsModel, NumberBoxesShowTheValueActuallyTaken) {
    struct Case {
        OptionNumber Which;
        const char* Text;
        int32_t Shown;
    };
    // Defaults: indent step 1, wrap column 0, tab stop 4, right margin 80, gutter 34.
    const std::vector<Case> cases{
        {OptionNumber::IndentStep, "3", 3},
        {OptionNumber::IndentStep, "19", 19},
        {OptionNumber::IndentStep, "20", 1},
        {OptionNumber::IndentStep, "0", 1},
        {OptionNumber::IndentStep, "", 1},
        {OptionNumber::WrapColumn, "72", 72},
        {OptionNumber::WrapColumn, "0", 0},
        {OptionNumber::WrapColumn, "65536", 0},
        {OptionNumber::TabStop, " 8 ", 8},
        {OptionNumber::TabStop, "8x", 4},
        {OptionNumber::TabStop, "-2", 4},
        {OptionNumber::RightMargin, "100", 100},
        {OptionNumber::RightMargin, "1001", 80},
        {OptionNumber::GutterWidth, "0", 0},
        {OptionNumber::GutterWidth, "99999999999999999999", 34},
    };
    for (const Case& c : cases) {
        EditorSettings settings;
        EXPECT_EQ(ApplyOptionNumber(settings, c.Which, c.Text), c.Shown) << c.Text;
        EXPECT_EQ(OptionNumberValue(settings, c.Which), c.Shown) << c.Text;
    }
    EditorSettings settings;
    EXPECT_THROW(ApplyOptionNumber(settings, OptionNumber::TabStop, "0"), ESourceEditor);
    EXPECT_EQ(settings.TabDefault(), 4);
}

TEST(EditorOptionsModel, NumberBoxesTakeDigitsAndEditingKeysOnly) {
    struct Case {
        const char* Key;
        bool Accepted;
    };
    const std::vector<Case> cases{
        {"0", true},      {"9", true},      {"Num 5", true}, {"BkSp", true},     {"Tab", true},
        {"End", true},    {"Home", true},   {"Left", true},  {"Right", true},    {"Del", true},
        {"A", false},     {"Space", false}, {"Up", false},   {"Shift+5", false}, {"Ctrl+V", false},
        {"Alt+1", false}, {"Num -", false},
    };
    for (const Case& c : cases) {
        uint16_t key = TextToKeyCombination(c.Key);
        ASSERT_NE(key, 0) << c.Key;
        EXPECT_EQ(NumberBoxAcceptsKey(key), c.Accepted) << c.Key;
    }
}

TEST(EditorOptionsModel, SmartTabIsDisabledWhileWordWrapIsOn) {
    EXPECT_TRUE(OptionCheckEnabled(kDefaultEditorOptions, smoTabToColumn));
    EXPECT_FALSE(OptionCheckEnabled(kDefaultEditorOptions | smoWordWrap, smoTabToColumn));
    EXPECT_TRUE(OptionCheckEnabled(kDefaultEditorOptions | smoWordWrap, smoAutoIndent));
    // Every box stands for a bit of its own.
    uint32_t seen = 0;
    for (const OptionCheckBox& box : OptionCheckBoxes()) {
        EXPECT_EQ(seen & box.Bit, 0u) << box.Caption;
        seen |= box.Bit;
    }
}

TEST(EditorOptionsModel, TemplateHotKeyIsEmptyOrAKey) {
    EXPECT_EQ(ParseTemplateHotKey(""), 0);
    EXPECT_EQ(ParseTemplateHotKey(" Ctrl+J "), kCtrlKey | 'J');
    EXPECT_EQ(ParseTemplateHotKey("shift+f5"), kShiftKey | VK_F5);
    for (const char* bad : {"Ctrl+", "Ctrl+Nothing", "Shift"}) {
        try {
            ParseTemplateHotKey(bad);
            ADD_FAILURE() << bad;
        } catch (const ESourceEditor& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Invalid hot key: ", 0), 0u) << bad;
        }
    }
}

size_t CommandIndex(const KeyAssignmentModel& model, int32_t code) {
    for (size_t i = 0; i < model.Commands().size(); ++i)
        if (model.Commands()[i].Code == code) return i;
    ADD_FAILURE() << code;
    return 0;
}

TEST(EditorOptionsModel, KeyPageListsEditsAndRebuildsTheKeyMap) {
    const KeyboardActionController& defaults = KeyboardActionController::Default();
    KeyAssignmentModel model(defaults);
    ASSERT_EQ(model.Commands().size(), defaults.Commands().size());
    // The model reads the map it was made from: rebuilding unchanged gives the same map.
    EXPECT_EQ(model.Build().Bindings(), defaults.Bindings());

    const uint16_t ctrlK = TextToKeyCombination("Ctrl+K");
    const uint16_t f11 = TextToKeyCombination("F11");
    EXPECT_EQ(KeyAssignmentModel::PairCaption({ctrlK, 'I'}), "[Ctrl+K]  [I]");
    EXPECT_EQ(KeyAssignmentModel::PairCaption({f11, 0}), "[F11]  [<none>]");

    const size_t first = 0;
    const size_t before = model.Pairs(first).size();
    model.AddPair(first, {f11, 0});
    model.AddPair(first, {0, 'X'});  // no first key: nothing to add
    ASSERT_EQ(model.Pairs(first).size(), before + 1);
    KeyboardActionController built = model.Build();
    EXPECT_EQ(built.Store().Bindings().size(), defaults.Bindings().size() + 1);
    bool found = false;
    for (const KeyBinding& b : built.Bindings())
        found |= b.FirstKey == f11 && b.Command == model.Commands()[first].Code;
    EXPECT_TRUE(found);

    model.ReplacePair(first, before, {0, 0});  // emptied: removed
    EXPECT_EQ(model.Pairs(first).size(), before);
    EXPECT_EQ(model.Build().Bindings(), defaults.Bindings());
}

TEST(EditorOptionsModel, ConflictingPairsFailWithBothCommandNames) {
    struct Case {
        const char* First;
        const char* Second;
    };
    // Ctrl+K alone while Ctrl+K sequences exist; a pair bound to another command already.
    const uint16_t ctrlK = TextToKeyCombination("Ctrl+K");
    KeyAssignmentModel probe(KeyboardActionController::Default());
    std::string owner;
    for (const auto& command : probe.Commands())
        for (KeyPair pair : probe.Pairs(CommandIndex(probe, command.Code)))
            if (pair.First == ctrlK && owner.empty()) owner = command.Name;
    ASSERT_FALSE(owner.empty());

    const std::vector<Case> cases{{"Ctrl+K", ""}, {"Ctrl+K", "I"}};
    for (const Case& c : cases) {
        KeyAssignmentModel model(KeyboardActionController::Default());
        const size_t last = model.Commands().size() - 1;
        uint16_t second = *c.Second ? TextToKeyCombination(c.Second) : 0;
        model.AddPair(last, {TextToKeyCombination(c.First), second});
        try {
            model.Build();
            ADD_FAILURE() << c.First << " " << c.Second;
        } catch (const EAmbiguousKeyPair& error) {
            std::string message = error.what();
            EXPECT_EQ(message.rfind("Duplicate key sequence definition for\r\n\"", 0), 0u);
            EXPECT_NE(message.find("\"" + model.Commands()[last].Name + "\""), std::string::npos)
                << message;
        }
    }
    // Deleting the pair that was added makes the map buildable again.
    KeyAssignmentModel model(KeyboardActionController::Default());
    const size_t last = model.Commands().size() - 1;
    model.AddPair(last, {ctrlK, 0});
    model.DeletePair(last, model.Pairs(last).size() - 1);
    EXPECT_NO_THROW(model.Build());
}

}  // namespace
}  // namespace quinkle
