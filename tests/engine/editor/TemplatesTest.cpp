// Code templates and auto-correct in the editor, driven through its key path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/KeyCombination.h"
#include "engine/text/UndoStack.h"

namespace quinkle {
namespace {

constexpr uint16_t kCtrlJ = kCtrlKey | 'J';

std::string Raw(const SourceEditor& editor) {
    return editor.Store().GetText(0, editor.Store().CharCount());
}

// Types `text` as the editor widget does: each character's key goes through the key path
// first, and a key it does not take is typed.
void Type(SourceEditor& editor, std::string_view text) {
    for (char c : text) {
        uint16_t key = CharToKeyCombination(static_cast<uint8_t>(c));
        if (key != 0 && editor.ProcessKey(key)) continue;
        editor.TypeText(std::string(1, c));
    }
}

// The text with "^" where the caret is.
std::string WithCaret(const SourceEditor& editor) {
    std::string text = Raw(editor);
    return text.insert(static_cast<size_t>(editor.Caret()), "^");
}

class Templates : public ::testing::Test {
protected:
    void SetUp() override {
        CodeTemplates& templates = editor.Settings().Templates;
        templates.AddTemplate("if", "if statement", "if (|)");
        templates.AddTemplate("for", "for loop", "for (|;;) {\r}");
        templates.AddTemplate("forall", "every element", "forall");
        templates.AddTemplate("block", "", "begin\r\n  |\r\nend");
        AutoReplace& correct = editor.Settings().AutoCorrect;
        correct.AddTemplate("teh", "", "the");
        correct.AddTemplate("(c)", "", "\xC2\xA9");
        correct.AddTemplate("-", "", "dash");
    }

    SourceEditor editor;
};

TEST_F(Templates, AutoCorrectReplacesWholeWordsWhenAnActivationKeyIsTyped) {
    struct Case {
        const char* Typed;
        const char* Result;
    } cases[] = {
        {"teh ", "the "},
        {"teh.", "the."},
        {"say teh,", "say the,"},
        {"Teh\r", "the\r"},
        {"steh ", "steh "},
        {"teh", "teh"},
        {"tehx ", "tehx "},
        {"(c) ", "\xC2\xA9 "},
        {"x- ", "x- "},
        {"x - ", "x dash "},
        {"teh!", "teh!"},  // "!" is no activation key
        // A replacement that starts a word is not glued to the word before it.
        {"a(c) ", "a(c) "},
    };
    for (const Case& c : cases) {
        editor.Clear();
        Type(editor, c.Typed);
        EXPECT_EQ(Raw(editor), c.Result) << c.Typed;
    }
}

TEST_F(Templates, ACorrectionIsOneUndoStepBeforeTheTypedKey) {
    Type(editor, "teh ");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "the");
    EXPECT_EQ(UndoGroupName(ucTemplate), "Template");
    editor.Undo();
    EXPECT_EQ(WithCaret(editor), "teh^");
    editor.Redo();
    EXPECT_EQ(WithCaret(editor), "the^");
}

TEST_F(Templates, TheHostMayVetoOrChangeACorrection) {
    std::vector<std::string> asked;
    bool allow = false;
    editor.OnAutoReplace = [&](int32_t start, bool& allowed, std::string& replacement,
                               const std::string& word) {
        asked.push_back(std::to_string(start) + ":" + word);
        allowed = allow;
        replacement = "THE";
    };
    Type(editor, "a teh ");
    EXPECT_EQ(Raw(editor), "a teh ");
    allow = true;
    Type(editor, "teh ");
    EXPECT_EQ(Raw(editor), "a teh THE ");
    EXPECT_EQ(asked, (std::vector<std::string>{"2:teh", "6:teh"}));
}

TEST_F(Templates, TheMainWindowAllowsNoCorrectionInsideCommentStyledText) {
    // Token 40 is shown as a comment, token 12 is not.
    editor.Settings().Styles.TokenEffect[40] = kNoAutoCorrectStyle;
    editor.SetText("<!-- teh");
    std::vector<uint8_t> styles(8, 40);
    styles[0] = 12;
    EXPECT_TRUE(AutoReplaceAllowedAt(editor, 8));  // not scanned yet
    editor.SetRowStyles(0, styles.data());
    EXPECT_FALSE(AutoReplaceAllowedAt(editor, 8));
    EXPECT_TRUE(AutoReplaceAllowedAt(editor, 1));
    editor.OnAutoReplace = [&](int32_t start, bool& allow, std::string&, const std::string& word) {
        allow = AutoReplaceAllowedAt(editor, start + static_cast<int32_t>(word.size()));
    };
    editor.SetSel(8, 8);
    Type(editor, " ");
    EXPECT_EQ(Raw(editor), "<!-- teh ");
}

TEST_F(Templates, CtrlJExpandsTheNameBeforeTheCaret) {
    struct Case {
        const char* Before;  // typed before Ctrl+J
        const char* After;   // the text with "^" at the caret
    } cases[] = {
        {"if", "if (^)"},
        {"x = if", "x = if (^)"},
        {"forall", "forall^"},
        // Continuation lines are indented to the word's column (8), CR LF kept as one.
        {"        block", "        begin\r          ^\r        end"},
        {"\tblock", "\tbegin\r      ^\r    end"},
    };
    for (const Case& c : cases) {
        editor.Clear();
        Type(editor, c.Before);
        EXPECT_TRUE(editor.ProcessKey(kCtrlJ)) << c.Before;
        EXPECT_EQ(WithCaret(editor), c.After) << c.Before;
        editor.Undo();
        EXPECT_EQ(Raw(editor), c.Before);
    }
}

TEST_F(Templates, TheTemplateEventMayChangeTheExpansion) {
    editor.OnTemplateEvent = [](const std::string& name, std::string& expansion) {
        expansion = "<" + name + ">|" + expansion;
    };
    Type(editor, "if");
    editor.ProcessKey(kCtrlJ);
    EXPECT_EQ(WithCaret(editor), "<if>^if (|)");
}

TEST_F(Templates, AnIncompleteNameShowsThePickListAndAChoiceReplacesIt) {
    std::vector<SourceEditor::TemplatePick> shown;
    editor.OnTemplatePickList = [&](const SourceEditor::TemplatePick& pick) {
        shown.push_back(pick);
    };
    Type(editor, "x FO");
    EXPECT_TRUE(editor.ProcessKey(kCtrlJ));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Partial, "fo");
    EXPECT_EQ(editor.Settings().Templates.Entries()[shown[0].Preselected].Name, "for");
    EXPECT_EQ(shown[0].Caret, 4);
    EXPECT_EQ(editor.SelText(), "FO");

    EXPECT_TRUE(editor.ExpandPicked("forall"));
    EXPECT_EQ(WithCaret(editor), "x forall^");
    // A name that does not contain the partial word goes after it.
    Type(editor, " fo");
    editor.ProcessKey(kCtrlJ);
    EXPECT_TRUE(editor.ExpandPicked("if"));
    EXPECT_EQ(WithCaret(editor), "x forall foif (^)");

    // Nothing to offer in an empty document, and no pick list without entries.
    editor.Clear();
    EXPECT_FALSE(editor.ProcessKey(kCtrlJ));
    Type(editor, "zz");
    editor.Settings().Templates.Clear();
    EXPECT_FALSE(editor.ProcessKey(kCtrlJ));
    EXPECT_EQ(shown.size(), 2u);
}

}  // namespace
}  // namespace quinkle
