// Tests of the key map: key texts, bindings and conflicts, key processing, defaults and streams.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/KeyboardActionController.h"

namespace quinkle {
namespace {

uint16_t Key(std::string_view text) {
    uint16_t key = TextToKeyCombination(text);
    EXPECT_NE(key, 0) << text;
    return key;
}

std::string Stream(const KeyboardActionController& controller) {
    std::string data;
    controller.WriteTo(data);
    return data;
}

// The message of the conflict AddBinding raises, or "" when it raises none.
std::string Conflict(KeyboardActionController& controller, uint16_t first, uint16_t second,
                     int32_t command) {
    try {
        controller.AddBinding(first, second, command);
    } catch (const EAmbiguousKeyPair& error) {
        return error.what();
    }
    return "";
}

std::string Duplicate(const std::string& bound, const std::string& added) {
    return "Duplicate key sequence definition for\r\n\"" + bound + "\" and \"" + added + "\"";
}

TEST(KeyCombinationText, NamesModifiersInFixedOrder) {
    EXPECT_EQ(KeyCombinationToText(VK_BACK), "BkSp");
    EXPECT_EQ(KeyCombinationToText(VK_PRIOR | kShiftKey), "Shift+PgUp");
    EXPECT_EQ(KeyCombinationToText(kAltKey | kCtrlKey | kShiftKey | VK_DELETE),
              "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(KeyCombinationToText(kCtrlKey | 'K'), "Ctrl+K");
    EXPECT_EQ(KeyCombinationToText(VK_F12), "F12");
    EXPECT_EQ(KeyCombinationToText(VK_OEM_1 | kCtrlKey), "Ctrl+;");
    EXPECT_EQ(KeyCombinationToText(0x92), "VK92");
    EXPECT_EQ(KeyCombinationToText(0), "");
    EXPECT_EQ(KeyCombinationToText(kCtrlKey), "");  // modifiers without a key are no key
}

TEST(KeyCombinationText, EveryKeyAndModifierSetRoundTrips) {
    const char* tableNames[] = {"BkSp", "Tab",  "Esc", "Enter", "Space", "PgUp", "PgDn", "End",
                                "Home", "Left", "Up",  "Right", "Down",  "Ins",  "Del"};
    for (const char* name : tableNames) EXPECT_EQ(KeyCombinationToText(Key(name)), name);
    for (uint16_t code = 1; code <= 0xFF; ++code) {
        for (int modifiers = 0; modifiers <= kModifierKeys; modifiers += kShiftKey) {
            auto key = static_cast<uint16_t>(code | modifiers);
            std::string text = KeyCombinationToText(key);
            ASSERT_EQ(TextToKeyCombination(text), key) << text;
        }
    }
}

TEST(KeyCombinationText, ParsingIgnoresCaseAndModifierOrder) {
    EXPECT_EQ(TextToKeyCombination("ctrl+shift+z"), kCtrlKey | kShiftKey | 'Z');
    EXPECT_EQ(TextToKeyCombination("  ALT+pgdn "), kAltKey | VK_NEXT);
    EXPECT_EQ(TextToKeyCombination("f7"), VK_F7);
    EXPECT_EQ(TextToKeyCombination("Shift+Shift"), kShiftKey | VK_SHIFT);
    EXPECT_EQ(TextToKeyCombination("Ctrl+Num +"), kCtrlKey | VK_ADD);
    for (const char* bad : {"", "Ctrl+", "Shift+Shift+A", "Ctrl+Shift+Ctrl+A", "Hyper+A", "AB",
                            "F0", "F25", "F01", "VK", "VK00", "VK100", "+", "Ctrl+ "})
        EXPECT_EQ(TextToKeyCombination(bad), 0) << bad;
}

// Every command of the default map, with its name and the keys that run it.
struct DefaultKeys {
    const char* Name;
    const char* First;
    const char* Second;
};

const DefaultKeys kDefaults[] = {
    {"Cursor left", "Left", ""},
    {"Cursor right", "Right", ""},
    {"Line start", "Home", ""},
    {"Line end", "End", ""},
    {"Up one line", "Up", ""},
    {"Down one line", "Down", ""},
    {"Up one page", "PgUp", ""},
    {"Down one page", "PgDn", ""},
    {"Move to word before", "Ctrl+Left", ""},
    {"Move to word after", "Ctrl+Right", ""},
    {"Document start", "Ctrl+Home", ""},
    {"Document end", "Ctrl+End", ""},
    {"Cut to clipboard", "Ctrl+X", ""},
    {"Copy to clipboard", "Ctrl+C", ""},
    {"Paste from clipboard", "Ctrl+V", ""},
    {"Delete character at cursor", "Del", ""},
    {"Delete character before caret", "BkSp", ""},
    {"Indent selected block", "Ctrl+K", "I"},
    {"Un-indent selected block", "Ctrl+K", "U"},
    {"Toggle insert/overwrite mode", "Ins", ""},
    {"Set Bookmark 0", "Ctrl+K", "0"},
    {"Set Bookmark 1", "Ctrl+K", "1"},
    {"Set Bookmark 2", "Ctrl+K", "2"},
    {"Set Bookmark 3", "Ctrl+K", "3"},
    {"Set Bookmark 4", "Ctrl+K", "4"},
    {"Set Bookmark 5", "Ctrl+K", "5"},
    {"Set Bookmark 6", "Ctrl+K", "6"},
    {"Set Bookmark 7", "Ctrl+K", "7"},
    {"Set Bookmark 8", "Ctrl+K", "8"},
    {"Set Bookmark 9", "Ctrl+K", "9"},
    {"Goto Bookmark 0", "Ctrl+Q", "0"},
    {"Goto Bookmark 1", "Ctrl+Q", "1"},
    {"Goto Bookmark 2", "Ctrl+Q", "2"},
    {"Goto Bookmark 3", "Ctrl+Q", "3"},
    {"Goto Bookmark 4", "Ctrl+Q", "4"},
    {"Goto Bookmark 5", "Ctrl+Q", "5"},
    {"Goto Bookmark 6", "Ctrl+Q", "6"},
    {"Goto Bookmark 7", "Ctrl+Q", "7"},
    {"Goto Bookmark 8", "Ctrl+Q", "8"},
    {"Goto Bookmark 9", "Ctrl+Q", "9"},
    {"Delete current line", "Ctrl+Y", ""},
    {"Undo", "Ctrl+Z", ""},
    {"Redo", "Ctrl+Shift+Z", ""},
    {"Delete previous word", "Ctrl+BkSp", ""},
    {"Print selection", "Ctrl+K", "P"},
    {"Delete next word", "Ctrl+Del", ""},
};

TEST(DefaultKeyMap, EveryCommandIsNamedAndRunsFromItsKeys) {
    KeyboardActionController keys = KeyboardActionController::Default();
    ASSERT_EQ(keys.Commands().size(), 46u);
    EXPECT_EQ(keys.Bindings().size(), 46u);
    for (int32_t code = 0; code < 46; ++code) {
        const DefaultKeys& expected = kDefaults[code];
        SCOPED_TRACE(expected.Name);
        EXPECT_EQ(keys.Commands()[code].Code, code);
        EXPECT_EQ(keys.CommandName(code), expected.Name);

        KeyMatch match = keys.ProcessKey(Key(expected.First));
        if (*expected.Second) {
            EXPECT_TRUE(match.Handled && match.Command == -1 && keys.InSequence());
            match = keys.ProcessKey(Key(expected.Second));
        }
        EXPECT_TRUE(match.Handled);
        EXPECT_EQ(match.Command, code);
        EXPECT_FALSE(keys.InSequence());

        KeyPair pair{Key(expected.First), *expected.Second ? Key(expected.Second) : uint16_t(0)};
        EXPECT_EQ(keys.FirstBinding(code), pair);
        EXPECT_EQ(keys.NextBinding(code), KeyPair{});
    }
}

TEST(KeyProcessing, SecondKeyMatchesByKeyCodeAlone) {
    KeyboardActionController keys = KeyboardActionController::Default();
    for (const char* second : {"I", "Ctrl+I", "Shift+Alt+I"}) {
        EXPECT_TRUE(keys.ProcessKey(Key("Ctrl+K")).Handled);
        KeyMatch match = keys.ProcessKey(Key(second));
        EXPECT_TRUE(match.Handled) << second;
        EXPECT_EQ(match.Command, 17) << second;
    }
}

TEST(KeyProcessing, UnboundSecondKeyEndsTheSequenceUnhandled) {
    KeyboardActionController keys = KeyboardActionController::Default();
    keys.ProcessKey(Key("Ctrl+K"));
    KeyMatch match = keys.ProcessKey(Key("Ctrl+Z"));  // bound at the first level, not under Ctrl+K
    EXPECT_FALSE(match.Handled);
    EXPECT_EQ(match.Command, -1);
    EXPECT_FALSE(keys.InSequence());
    EXPECT_FALSE(keys.ProcessKey(Key("I")).Handled);  // back at the first level
    EXPECT_EQ(keys.ProcessKey(Key("Ctrl+Z")).Command, 41);

    keys.ProcessKey(Key("Ctrl+Q"));
    keys.ResetMatching();
    EXPECT_FALSE(keys.ProcessKey(Key("1")).Handled);
}

TEST(KeyProcessing, ModifierPressedAloneKeepsTheSequence) {
    KeyboardActionController keys = KeyboardActionController::Default();
    keys.ProcessKey(Key("Ctrl+K"));
    EXPECT_FALSE(keys.ProcessKey(kShiftKey | VK_SHIFT).Handled);
    EXPECT_FALSE(keys.ProcessKey(kCtrlKey | VK_CONTROL).Handled);
    EXPECT_TRUE(keys.InSequence());
    EXPECT_EQ(keys.ProcessKey(Key("Shift+U")).Command, 18);
}

TEST(KeyProcessing, ShiftExtendsForMovementKeysAndStaysPartOfOthers) {
    KeyboardActionController keys = KeyboardActionController::Default();
    struct {
        const char* Key;
        bool Handled;
        int32_t Command;
        bool Extend;
    } cases[] = {
        {"Shift+End", true, 3, true},
        {"End", true, 3, false},
        {"Shift+Ctrl+Left", true, 8, true},
        {"Shift+BkSp", true, 16, true},
        {"Ctrl+Shift+Z", true, 42, true},
        {"Shift+Del", false, -1, true},
        {"A", false, -1, false},
        {"Shift+A", false, -1, true},
    };
    for (const auto& c : cases) {
        KeyMatch match = keys.ProcessKey(Key(c.Key));
        EXPECT_EQ(match.Handled, c.Handled) << c.Key;
        EXPECT_EQ(match.Command, c.Command) << c.Key;
        EXPECT_EQ(match.Extend, c.Extend) << c.Key;
    }
}

TEST(KeyBindings, ConflictsNameBothCommandsAndChangeNothing) {
    KeyboardActionController keys = KeyboardActionController::Default();
    const std::string before = Stream(keys);
    EXPECT_EQ(Conflict(keys, Key("Ctrl+K"), 0, 41), Duplicate("Indent selected block", "Undo"));
    EXPECT_EQ(Conflict(keys, Key("Ctrl+K"), Key("Ctrl+Shift+I"), 41),
              Duplicate("Indent selected block", "Undo"));
    EXPECT_EQ(Conflict(keys, Key("Ctrl+Y"), Key("I"), 41),
              Duplicate("Delete current line", "Undo"));
    EXPECT_EQ(Conflict(keys, Key("Ctrl+Z"), 0, 99), Duplicate("Undo", ""));
    EXPECT_EQ(Stream(keys), before);
    EXPECT_TRUE(keys.Store().Check());

    EXPECT_THROW(keys.AddBinding(0, Key("I"), 1), ESourceEditor);
    EXPECT_THROW(keys.AddBinding(VK_F5, 0, -1), ESourceEditor);
    EXPECT_EQ(Stream(keys), before);
}

TEST(KeyBindings, EnumerationFollowsTreeOrder) {
    KeyboardActionController keys;
    keys.AddBinding(Key("Ctrl+Q"), Key("1"), 50);
    keys.AddBinding(VK_F2, 0, 50);
    keys.AddBinding(Key("Ctrl+K"), Key("1"), 50);
    keys.AddBinding(Key("Ctrl+Q"), Key("2"), 51);
    keys.AddBinding(Key("Ctrl+Q"), Key("3"), 50);
    keys.AddBinding(VK_F3, kShiftKey, 50);  // a second key without a key code is none
    EXPECT_TRUE(keys.Store().Check());

    std::vector<KeyPair> expected = {
        {VK_F2, 0}, {VK_F3, 0}, {Key("Ctrl+Q"), '1'}, {Key("Ctrl+Q"), '3'}, {Key("Ctrl+K"), '1'}};
    std::vector<KeyPair> listed;
    for (KeyPair pair = keys.FirstBinding(50); pair != KeyPair{}; pair = keys.NextBinding(50))
        listed.push_back(pair);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(keys.NextBinding(50), KeyPair{});
    EXPECT_EQ(keys.FirstBinding(52), KeyPair{});

    keys.FirstBinding(50);
    keys.Clear();
    EXPECT_EQ(keys.NextBinding(50), KeyPair{});
    EXPECT_TRUE(keys.Bindings().empty());
    EXPECT_TRUE(keys.Commands().empty());
}

TEST(KeyCommands, AddingANameAgainReplacesItInPlace) {
    KeyboardActionController keys;
    keys.AddCommand(60, "Sixty");
    keys.AddCommand(3, "Three");
    keys.AddCommand(60, "Other");
    ASSERT_EQ(keys.Commands().size(), 2u);
    EXPECT_EQ(keys.Commands()[0], (KeyboardActionController::CommandEntry{60, "Other"}));
    EXPECT_EQ(keys.CommandName(4), "");
    EXPECT_NO_THROW(keys.AddCommand(1, std::string(255, 'x')));
    EXPECT_THROW(keys.AddCommand(1, std::string(256, 'x')), ESourceEditor);
    EXPECT_THROW(keys.AddCommand(-1, "None"), ESourceEditor);
}

TEST(KeyStream, LayoutIsLittleEndianWithSecondKeysStoredBare) {
    KeyboardActionController keys;
    keys.AddCommand(7, "Go");
    keys.AddBinding(Key("Ctrl+K"), Key("Shift+I"), 7);
    const std::string expected(
        "\1\0\0\0"
        "\7\0\0\0\2Go"
        "\1\0\0\0"
        "\x4B\x40\x49\0\7\0\0\0",
        23);
    EXPECT_EQ(Stream(keys), expected);
}

TEST(KeyStream, RoundTripKeepsTreeOrderAndAdvancesInsideALargerStream) {
    KeyboardActionController keys = KeyboardActionController::Default();
    keys.AddCommand(46, "Host command");
    keys.AddBinding(Key("Ctrl+Q"), Key("X"), 46);
    keys.AddBinding(Key("Alt+F1"), 0, 46);
    const std::string data = "head" + Stream(keys) + "tail";

    KeyboardActionController read;
    size_t pos = 4;
    read.ReadFrom(data, pos);
    EXPECT_EQ(pos, data.size() - 4);
    EXPECT_EQ(read.Commands(), keys.Commands());
    EXPECT_EQ(read.Bindings(), keys.Bindings());
    EXPECT_EQ(Stream(read), Stream(keys));
    EXPECT_TRUE(read.Store().Check());

    // Copies and moves keep naming the commands in conflict messages.
    KeyboardActionController copy(read);
    KeyboardActionController moved(std::move(copy));
    EXPECT_EQ(Conflict(moved, Key("Alt+F1"), 0, 0), Duplicate("Host command", "Cursor left"));
}

TEST(KeyStream, DamagedStreamsLeaveTheMapAndPositionAsTheyWere) {
    const std::string good = Stream(KeyboardActionController::Default());
    KeyboardActionController keys;
    keys.AddCommand(5, "Five");
    keys.AddBinding(VK_F5, 0, 5);
    const std::string before = Stream(keys);

    auto expectRejected = [&](std::string_view data, const char* message) {
        size_t pos = 0;
        try {
            keys.ReadFrom(data, pos);
            ADD_FAILURE() << "accepted " << data.size() << " bytes";
        } catch (const ESourceEditor& error) {
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_EQ(pos, 0u);
        EXPECT_EQ(Stream(keys), before);
    };
    const char* invalid = "Invalid key assignment data";
    for (size_t size = 0; size < good.size(); ++size)
        expectRejected(std::string_view(good).substr(0, size), invalid);
    expectRejected(std::string("\xFF\xFF\xFF\x7F\0\0\0\0", 8), invalid);  // absurd name count
    expectRejected(std::string("\0\0\0\0\xFF\xFF\xFF\xFF", 8), invalid);  // absurd binding count
    expectRejected(std::string("\0\0\0\0\1\0\0\0\0\0\0\0\1\0\0\0", 16), invalid);  // no first key
    expectRejected(std::string("\0\0\0\0\1\0\0\0\x70\0\0\0\xFF\xFF\xFF\xFF", 16), invalid);
    expectRejected(std::string("\1\0\0\0\xFF\xFF\xFF\xFF\0\0\0\0\0", 13), invalid);
    expectRejected(std::string("\1\0\0\0\1\0\0\0\1A"
                               "\2\0\0\0\x70\0\0\0\1\0\0\0\x70\0\x30\0\1\0\0\0",
                               30),
                   "Duplicate key sequence definition for\r\n\"A\" and \"A\"");
    size_t pastTheEnd = good.size() + 1;
    EXPECT_THROW(keys.ReadFrom(good, pastTheEnd), ESourceEditor);
}

TEST(KeyStream, RandomDamageIsRejectedOrReadsBackStable) {
    const std::string good = Stream(KeyboardActionController::Default());
    std::mt19937 random(7);
    for (int round = 0; round < 1000; ++round) {
        std::string data = good;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            data[random() % data.size()] = static_cast<char>(random());
        KeyboardActionController keys = KeyboardActionController::Default();
        size_t pos = 0;
        try {
            keys.ReadFrom(data, pos);
        } catch (const ESourceEditor&) {
            ASSERT_EQ(Stream(keys), good);
            continue;
        }
        ASSERT_TRUE(keys.Store().Check());
        KeyboardActionController again;
        again.Assign(keys);
        ASSERT_EQ(Stream(again), Stream(keys));
    }
}

}  // namespace
}  // namespace quinkle
