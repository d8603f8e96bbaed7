// Scheme images and Parser values: round trips of compiled scripts, versions and damaged data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/scheme/Compressor.h"
#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeDump.h"
#include "engine/scheme/SchemeImage.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<CompiledScheme> Compile(const fs::path& script) {
    auto compiled = std::make_unique<CompiledScheme>();
    SchemeCompiler compiler(*compiled);
    compiler.CompileFile(script.string());
    return compiled;
}

std::unique_ptr<CompiledScheme> ReadImage(std::string_view image, uint16_t version = 51) {
    auto scheme = std::make_unique<CompiledScheme>();
    ReadSchemeImage(image, *scheme, version);
    return scheme;
}

// The scripts that compile: every test case but the error cases and include fragments, and
// the benchmark scheme.
std::vector<fs::path> Scripts() {
    const fs::path data = fs::path(QUINKLE_TEST_DATA_DIR);
    std::vector<fs::path> scripts{data / ".." / ".." / "schemes" / "bench-html.sch"};
    for (const auto& entry : fs::directory_iterator(data / "schemes")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".sch" || name.starts_with("error-") ||
            name.starts_with("inc-"))
            continue;
        scripts.push_back(entry.path());
    }
    return scripts;
}

std::string SampleText(const fs::path& script) {
    fs::path text = script;
    text.replace_extension(".txt");
    return fs::exists(text) ? ReadFile(text) : ReadFile(script);
}

TEST(SchemeImage, CompiledScriptsRoundTripToTheSameBytesAndTokens) {
    const std::vector<fs::path> scripts = Scripts();
    EXPECT_GE(scripts.size(), 7u);
    for (const fs::path& script : scripts) {
        SCOPED_TRACE(script.string());
        auto compiled = Compile(script);
        const std::string image = WriteSchemeImage(*compiled);
        EXPECT_NE(image, WriteSchemeImage(CompiledScheme{}));
        auto read = ReadImage(image);
        EXPECT_EQ(WriteSchemeImage(*read), image);

        const std::string text = SampleText(script);
        EXPECT_EQ(DumpTokens(read->Scheme, read->Settings.Editor.Styles, text),
                  DumpTokens(compiled->Scheme, compiled->Settings.Editor.Styles, text));
        EXPECT_EQ(read->Scheme.HasCustomMatch(), compiled->Scheme.HasCustomMatch());

        // Reading the same bytes twice numbers groups alike, so the whole model must agree.
        auto again = ReadImage(WriteSchemeImage(*read));
        EXPECT_EQ(DumpScheme(*again), DumpScheme(*read));
    }
}

TEST(SchemeImage, SettingsSurviveTheRoundTrip) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "language.sch");
    SchemeSettings& s = compiled->Settings;
    s.GutterFont = {"Line Font", 9, 2, 0x123456, esBold | esItalic};
    s.MarginColor = {0x010203, true};
    s.Editor.SetTabColumns("5 9 17");
    s.Editor.Styles.Effects[200] = {esStrikeout, 0x80000005, 0x00FF00, true, false, true, true};
    s.Editor.Styles.TokenEffect[77] = 200;

    auto read = ReadImage(WriteSchemeImage(*compiled));
    const SchemeSettings& r = read->Settings;
    EXPECT_EQ(r.Name, s.Name);
    EXPECT_EQ(r.ExampleText, s.ExampleText);
    EXPECT_EQ(r.Editor.Options, s.Editor.Options);
    EXPECT_EQ(r.Editor.TabColumns(), s.Editor.TabColumns());
    EXPECT_EQ(r.Editor.TabDefault(), s.Editor.TabDefault());
    EXPECT_EQ(r.Editor.IndentStep(), s.Editor.IndentStep());
    EXPECT_EQ(r.Editor.WrapOverride, s.Editor.WrapOverride);
    EXPECT_TRUE(r.Editor.Styles == s.Editor.Styles);
    EXPECT_EQ(r.MarginColor, s.MarginColor);
    EXPECT_EQ(r.SelTextColor, s.SelTextColor);
    EXPECT_EQ(r.GutterColor, s.GutterColor);
    EXPECT_EQ(r.GutterFont.Name, "Line Font");
    EXPECT_EQ(r.GutterFont.Size, 9);
    EXPECT_EQ(r.GutterFont.Color, 0x123456u);
    EXPECT_EQ(r.GutterFont.Style, esBold | esItalic);
    EXPECT_EQ(r.Font.Name, s.Font.Name);
    ASSERT_FALSE(s.Editor.AutoCorrect.Empty());
    EXPECT_EQ(r.Editor.AutoCorrect.Entries(), s.Editor.AutoCorrect.Entries());
    EXPECT_EQ(r.Editor.AutoCorrect.ActivationKeys(), s.Editor.AutoCorrect.ActivationKeys());
    ASSERT_FALSE(s.Editor.Templates.Empty());
    EXPECT_EQ(r.Editor.Templates.Entries(), s.Editor.Templates.Entries());
    EXPECT_EQ(r.Editor.Templates.HotKey, s.Editor.Templates.HotKey);
    EXPECT_EQ(r.Editor.Keys.Bindings(), s.Editor.Keys.Bindings());
    EXPECT_EQ(r.Editor.Keys.Commands(), s.Editor.Keys.Commands());
    EXPECT_EQ(read->Scheme.KeywordTables().size(), compiled->Scheme.KeywordTables().size());
}

TEST(SchemeImage, HandlerEndsKeepWhetherTheyExist) {
    CompiledScheme scheme;
    SyntaxScheme& s = scheme.Scheme;
    const int32_t digits = s.AddCharGroup(CharGroup::Range('0', '9'));
    s.AddKeyword("a", -1, 5);
    s.AddKeyword("b", -1, 6);
    HandlerDef open;  // no end: the body runs while it matches
    open.Start.Group = digits;
    ASSERT_TRUE(s.SetHandler(5, open));
    HandlerDef closed = open;
    closed.End.Present = true;
    closed.End.Count = 1;
    closed.End.Groups[0] = s.AddCharGroup(CharGroup::Of(";"));
    closed.End.Include = true;
    ASSERT_TRUE(s.SetHandler(6, closed));

    auto read = ReadImage(WriteSchemeImage(scheme));
    ASSERT_NE(read->Scheme.Handler(5), nullptr);
    EXPECT_FALSE(read->Scheme.Handler(5)->End.Present);
    EXPECT_TRUE(read->Scheme.Handler(6)->End.Present);
    const std::string text = "a12x\nb12;x\n";
    EXPECT_EQ(DumpTokens(read->Scheme, read->Settings.Editor.Styles, text),
              DumpTokens(s, scheme.Settings.Editor.Styles, text));
}

TEST(SchemeImage, ParserValueHasVersionSizeAndCompressedImage) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "states.sch");
    const std::string image = WriteSchemeImage(*compiled);
    const std::string value = WriteParserValue(*compiled);
    ASSERT_GT(value.size(), 6u);
    EXPECT_EQ(value.substr(0, 2), std::string("\x33\x00", 2));
    const uint32_t size = static_cast<uint8_t>(value[2]) | static_cast<uint8_t>(value[3]) << 8 |
                          static_cast<uint8_t>(value[4]) << 16 |
                          static_cast<uint32_t>(static_cast<uint8_t>(value[5])) << 24;
    EXPECT_EQ(size, image.size());
    EXPECT_EQ(value.substr(6, 4), Compressor::kKhMagic);
    EXPECT_EQ(Compressor::Decompress(value.substr(6)), image);

    CompiledScheme read;
    EXPECT_EQ(ReadParserValue(value, read, "pStates"), "");
    EXPECT_EQ(WriteSchemeImage(read), image);
}

std::string ParserValue(uint16_t version, std::string_view image) {
    std::string value{static_cast<char>(version & 0xFF), static_cast<char>(version >> 8)};
    value += std::string(4, '\0');
    return value + Compressor::Compress(image);
}

TEST(SchemeImage, Version50HasNoLineNumberFont) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "language.sch");
    compiled->Settings.GutterFont = {"LineFontX", 11, 3, 0x00AA00, esUnderline};
    std::string image = WriteSchemeImage(*compiled);
    // Cut the font out: lstr name, i32 size, u8, i32 colour, u8 style.
    const size_t name = image.find("LineFontX");
    ASSERT_NE(name, std::string::npos);
    image.erase(name - 4, 4 + 9 + 4 + 1 + 4 + 1);

    CompiledScheme read;
    EXPECT_EQ(ReadParserValue(ParserValue(50, image), read, "pHTML"), "");
    EXPECT_EQ(read.Settings.GutterFont.Name, SchemeSettings{}.GutterFont.Name);
    EXPECT_EQ(read.Settings.GutterFont.Size, SchemeSettings{}.GutterFont.Size);
    EXPECT_EQ(read.Settings.Name, compiled->Settings.Name);
    // Read as the current version the same bytes run short.
    EXPECT_THROW(ReadParserValue(ParserValue(51, image), read, "pHTML"), ESourceEditor);
}

TEST(SchemeImage, OldVersionsGiveTheMessageAndAnEmptyScheme) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "states.sch");
    CompiledScheme read;
    AssignScheme(read, *compiled);
    ASSERT_FALSE(read.Scheme.Keywords().Empty());

    EXPECT_EQ(ReadParserValue(ParserValue(49, WriteSchemeImage(*compiled)), read, "pHTML"),
              "pHTML: DFM file saved by different version of TSyntaxScheme.\n\rRecompile script "
              "to update DFM file.\n\rExpected version was 51 read version was 49");
    EXPECT_TRUE(read.Scheme.Keywords().Empty());
    EXPECT_EQ(WriteSchemeImage(read), WriteSchemeImage(CompiledScheme{}));
}

TEST(SchemeImage, DamagedValuesFailAndLeaveTheSchemeEmpty) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "handlers.sch");
    const std::string image = WriteSchemeImage(*compiled);
    const std::string empty = WriteSchemeImage(CompiledScheme{});

    CompiledScheme read;
    for (size_t length = 0; length < image.size(); length += 1 + length / 16) {
        AssignScheme(read, *compiled);
        EXPECT_THROW(ReadSchemeImage(image.substr(0, length), read), ESourceEditor) << length;
        EXPECT_EQ(WriteSchemeImage(read), empty) << length;
    }
    EXPECT_THROW(ReadSchemeImage(image + '\0', read), ESourceEditor);

    std::string value = WriteParserValue(*compiled);
    value[6] = 'X';
    try {
        ReadParserValue(value, read, "pHTML");
        FAIL() << "a bad magic was read";
    } catch (const ECompressorException& error) {
        EXPECT_STREQ(error.what(), compressor_message::kNoHeader);
    }
    EXPECT_THROW(ReadParserValue(std::string(1, '\x33'), read, "pHTML"), EStreamError);

    // A count far beyond the bytes left is refused before anything is allocated.
    std::string huge = image;
    const size_t effects = 3 * 4 + compiled->Settings.ExampleText.size() +
                           compiled->Settings.Name.size() +
                           compiled->Settings.Editor.WrapOverride.size() + 11 * 4;
    huge[effects + 3] = '\x7F';
    EXPECT_THROW(ReadSchemeImage(huge, read), ESourceEditor);
}

TEST(SchemeImage, AssignCopiesThroughTheImage) {
    auto compiled = Compile(fs::path(QUINKLE_TEST_DATA_DIR) / "schemes" / "containers.sch");
    CompiledScheme copy;
    AssignScheme(copy, *compiled);
    EXPECT_EQ(WriteSchemeImage(copy), WriteSchemeImage(*compiled));
    AssignScheme(copy, copy);
    EXPECT_EQ(WriteSchemeImage(copy), WriteSchemeImage(*compiled));
}

}  // namespace
}  // namespace quinkle
