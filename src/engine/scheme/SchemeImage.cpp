// Writing and reading scheme images, and the compressed Parser value around them.
#include "engine/scheme/SchemeImage.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "engine/scheme/Compressor.h"
#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/SchemeErrors.h"
#include "engine/scheme/ScriptStrings.h"

namespace quinkle {
namespace {

constexpr int kTabColumnSlots = 32;
constexpr size_t kSetBytes = 32;
constexpr size_t kGroupBytes = kSetBytes + 4 + 1;

[[noreturn]] void Invalid() { throw ESourceEditor(scheme_image_message::kInvalidData); }

// ---- writing ----

class ImageWriter {
public:
    void U8(uint32_t value) { m_out.push_back(static_cast<char>(value & 0xFF)); }
    void Bool(bool value) { U8(value ? 1 : 0); }
    void U16(uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void I32(int64_t value) {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) U8(bits >> shift);
    }
    /// A u8 length and the bytes; longer texts are cut to 255 bytes.
    void SStr(std::string_view text) {
        text = text.substr(0, 255);
        U8(static_cast<uint32_t>(text.size()));
        m_out.append(text);
    }
    void LStr(std::string_view text) {
        I32(static_cast<int64_t>(text.size()));
        m_out.append(text);
    }
    void Set(const StateSet& set) { Words(set.Words()); }
    void Words(const std::array<uint64_t, 4>& words) {
        for (uint64_t word : words)
            for (int shift = 0; shift < 64; shift += 8) U8(static_cast<uint32_t>(word >> shift));
    }
    void Group(const CharGroupManager& groups, int32_t id) {
        const CharGroup group = groups.Valid(id) ? groups.Get(id) : CharGroup{};
        Words(group.Bits);
        I32(0);
        Bool(group.Negated);
    }
    std::string& Out() { return m_out; }

private:
    std::string m_out;
};

void WritePart(ImageWriter& w, const CharGroupManager& groups, const TokenPart& part) {
    w.Bool(part.Star);
    w.Group(groups, part.Group);
    w.Bool(part.IsRecognizer || part.Match);
    if (part.IsRecognizer || part.Match) {
        w.Bool(part.Match);
        w.I32(part.Number);
    }
}

void WriteEnd(ImageWriter& w, const CharGroupManager& groups, const TokenEnd& end) {
    w.Bool(end.Include);
    w.Bool(end.IsRecognizer || end.Match);
    if (end.IsRecognizer || end.Match) {
        w.Bool(end.Match);
        w.I32(end.Number);
        return;
    }
    const int count = end.Present ? std::min<int>(end.Count, 4) : 0;
    w.U8(static_cast<uint32_t>(count));
    for (int i = 0; i < count; ++i) w.Group(groups, end.Groups[i]);
}

void WriteTokenDef(ImageWriter& w, const CharGroupManager& groups, const TokenDef& def) {
    WritePart(w, groups, def.Start);
    w.Set(def.Valid);
    WritePart(w, groups, def.Body);
    WriteEnd(w, groups, def.End);
    w.U8(def.Value);
}

void WriteStartTable(ImageWriter& w, const SyntaxScheme& scheme, int32_t state) {
    int32_t count = 0;
    for (int c = 0; c < 256; ++c)
        if (scheme.StartEntry(state, static_cast<uint8_t>(c))) ++count;
    w.I32(count);
    for (int c = 0; c < 256; ++c) {
        if (const TokenDef* def = scheme.StartEntry(state, static_cast<uint8_t>(c))) {
            w.U8(static_cast<uint32_t>(c));
            WriteTokenDef(w, scheme.Groups(), *def);
        }
    }
}

// A word table: its entries, its hot key's display text and its option byte.
void WriteTable(ImageWriter& w, const CodeTemplates& table) {
    w.I32(static_cast<int64_t>(table.Entries().size()));
    for (const CodeTemplate& entry : table.Entries()) {
        w.SStr(entry.Name);
        w.SStr(entry.Description);
        w.LStr(entry.Text);
    }
    w.LStr(KeyCombinationToText(table.HotKey));
    w.I32(table.StoredFlag & 0x7F);
}

void WriteSettings(ImageWriter& w, const CompiledScheme& compiled) {
    const SchemeSettings& s = compiled.Settings;
    const EditorSettings& e = s.Editor;
    w.LStr(s.ExampleText);
    w.LStr(s.Name);
    w.LStr(e.WrapOverride);

    w.I32(static_cast<int32_t>(e.Options));
    w.I32(e.Margin);
    w.I32(e.RightMargin);
    w.I32(e.WrapAtColumn);
    w.I32(e.Gutter);
    w.I32(e.IndentStep());
    w.I32(static_cast<int32_t>(s.MarginColor.Color));
    w.I32(static_cast<int32_t>(s.GutterColor.Color));
    w.I32(static_cast<int32_t>(s.SelTextColor.Color));
    w.I32(static_cast<int32_t>(s.SelTextBack.Color));
    w.I32(e.TabDefault());

    const SchemeStyles& styles = e.Styles;
    w.I32(std::count_if(styles.Effects.begin(), styles.Effects.end(),
                        [](const EffectDef& effect) { return effect.Defined; }));
    for (int n = 0; n < 256; ++n) {
        const EffectDef& effect = styles.Effects[n];
        if (!effect.Defined) continue;
        w.U8(static_cast<uint32_t>(n));
        w.U8(effect.Style);
        w.I32(static_cast<int32_t>(effect.Foreground));
        w.I32(static_cast<int32_t>(effect.Background));
        w.Bool(effect.ForegroundDefault);
        w.Bool(effect.BackgroundDefault);
        w.Bool(effect.Hotspot);
        w.I32(1);
    }
    w.I32(std::count_if(styles.TokenEffect.begin(), styles.TokenEffect.end(),
                        [](uint8_t effect) { return effect != 0; }));
    for (int value = 0; value < 256; ++value) {
        if (styles.TokenEffect[value] == 0) continue;
        w.U8(static_cast<uint32_t>(value));
        w.U8(styles.TokenEffect[value]);
    }
    w.I32(static_cast<int64_t>(styles.EditableStyles.size()));
    for (const EditableStyle& style : styles.EditableStyles) {
        w.LStr(style.Name);
        w.U8(style.Effect);
    }

    const std::vector<int32_t>& columns = e.TabColumns();
    for (int i = 0; i < kTabColumnSlots; ++i)
        w.I32(i < static_cast<int>(columns.size()) ? columns[i] : -1);

    w.LStr(s.Font.Name);
    w.I32(s.Font.Size);
    w.U8(s.Font.CharSet);
    w.Bool(s.MarginColor.UseDefault);
    w.Bool(s.SelTextColor.UseDefault);
    w.Bool(s.SelTextBack.UseDefault);
    w.Bool(s.GutterColor.UseDefault);

    const std::vector<KeywordTableDef>& tables = compiled.Scheme.KeywordTables();
    w.I32(static_cast<int64_t>(tables.size()));
    for (const KeywordTableDef& table : tables) {
        w.Set(table.States);
        w.LStr(table.EndSpec);
        w.I32(table.CaseSensitive ? 1 : 0);
        w.I32(static_cast<int64_t>(table.Words.size()));
        for (const KeywordTableDef::Word& word : table.Words) {
            w.LStr(word.Text);
            w.I32(word.Value);
        }
    }

    WriteTable(w, e.AutoCorrect);
    w.SStr(e.AutoCorrect.ActivationKeys());
    WriteTable(w, e.Templates);

    e.Keys.WriteTo(w.Out());

    w.LStr(s.GutterFont.Name);
    w.I32(s.GutterFont.Size);
    w.U8(s.GutterFont.CharSet);
    w.I32(static_cast<int32_t>(s.GutterFont.Color));
    w.U8(s.GutterFont.Style);
}

void WriteScheme(ImageWriter& w, const SyntaxScheme& scheme) {
    const CharGroupManager& groups = scheme.Groups();
    const SyntaxKeywords& keywords = scheme.Keywords();
    w.I32(keywords.CaseSensitive() ? 1 : 0);
    w.I32(static_cast<int64_t>(keywords.Entries().size()));
    for (const KeywordEntry& entry : keywords.Entries()) {
        w.SStr(entry.Word);
        w.Group(groups, entry.EndGroup);
        w.Set(entry.States);
        w.I32(entry.Value);
    }
    w.SStr("");

    int32_t handlers = 0;
    for (int value = 0; value < 256; ++value)
        if (scheme.Handler(static_cast<uint8_t>(value))) ++handlers;
    w.I32(handlers);
    for (int value = 0; value < 256; ++value) {
        if (const HandlerDef* handler = scheme.Handler(static_cast<uint8_t>(value))) {
            w.U8(static_cast<uint32_t>(value));
            WritePart(w, groups, handler->Start);
            WriteEnd(w, groups, handler->End);
        }
    }

    WriteStartTable(w, scheme, SyntaxScheme::kDefaultTable);

    auto contextWritten = [&](int value) {
        const StateSet& states = scheme.ContextState(static_cast<uint8_t>(value));
        return !states.Empty() && states != scheme.StartStates();
    };
    int32_t contexts = 0;
    for (int value = 0; value < 256; ++value)
        if (contextWritten(value)) ++contexts;
    w.I32(contexts);
    for (int value = 0; value < 256; ++value) {
        if (!contextWritten(value)) continue;
        w.U8(static_cast<uint32_t>(value));
        w.Set(scheme.ContextState(static_cast<uint8_t>(value)));
    }

    int32_t infos = 0;
    for (int value = 0; value < 256; ++value)
        if (scheme.GetTokenStateInfo(static_cast<uint8_t>(value))) ++infos;
    w.I32(infos);
    for (int value = 0; value < 256; ++value) {
        const TokenStateInfo* info = scheme.GetTokenStateInfo(static_cast<uint8_t>(value));
        if (!info) continue;
        w.U8(static_cast<uint32_t>(value));
        w.Set(info->Valid);
        w.Set(info->Add);
        w.Set(info->Remove);
        w.Bool(info->Container);
        w.Bool(info->NoChange);
        w.U8(info->Stack);
    }

    const StateSet& own = scheme.OwnTableStates();
    w.I32(own.Count());
    for (int state = 0; state < 256; ++state) {
        if (!own.Test(state)) continue;
        w.U8(static_cast<uint32_t>(state));
        WriteStartTable(w, scheme, state);
        w.I32(0);
    }

    w.Set(scheme.GetAnchorSet());
    w.Set(scheme.BoundStates());
    w.Set(scheme.StartStates());
    w.Bool(scheme.HasCustomMatch());
}

// ---- reading ----

class ImageReader {
public:
    explicit ImageReader(std::string_view data) : m_data(data) {}

    size_t Left() const { return m_data.size() - m_pos; }
    size_t& Position() { return m_pos; }
    std::string_view Data() const { return m_data; }

    uint8_t U8() {
        Need(1);
        return static_cast<uint8_t>(m_data[m_pos++]);
    }
    bool Bool() { return U8() != 0; }
    uint16_t U16() {
        const uint16_t low = U8();
        return static_cast<uint16_t>(low | U8() << 8);
    }
    int32_t I32() {
        Need(4);
        uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8) bits |= uint32_t{U8()} << shift;
        return static_cast<int32_t>(bits);
    }
    /// A count of entries at least `entryBytes` long each; must fit in the bytes left.
    size_t Count(size_t entryBytes) {
        const int32_t count = I32();
        if (count < 0) Invalid();
        if (entryBytes > 0 && static_cast<size_t>(count) > Left() / entryBytes) Invalid();
        return static_cast<size_t>(count);
    }
    /// A number that must lie within first..last.
    int32_t Ranged(int32_t first, int32_t last) {
        const int32_t value = I32();
        if (value < first || value > last) Invalid();
        return value;
    }
    std::string Bytes(size_t length) {
        Need(length);
        std::string text(m_data.substr(m_pos, length));
        m_pos += length;
        return text;
    }
    std::string SStr() { return Bytes(U8()); }
    std::string LStr() {
        const int32_t length = I32();
        if (length < 0) Invalid();
        return Bytes(static_cast<size_t>(length));
    }
    std::array<uint64_t, 4> Words() {
        Need(kSetBytes);
        std::array<uint64_t, 4> words{};
        for (uint64_t& word : words)
            for (int shift = 0; shift < 64; shift += 8) word |= uint64_t{U8()} << shift;
        return words;
    }
    StateSet Set() {
        StateSet set;
        set.SetWords(Words());
        return set;
    }
    CharGroup Group() {
        CharGroup group;
        group.Bits = Words();
        if (I32() != 0) Invalid();  // no writer produces extra ranges
        group.Negated = Bool();
        return group;
    }

private:
    void Need(size_t bytes) const {
        if (bytes > Left()) throw EStreamError(scheme_image_message::kReadError);
    }

    std::string_view m_data;
    size_t m_pos = 0;
};

// An empty group where nothing is tested stands for "no group".
int32_t GroupNumber(SyntaxScheme& scheme, const CharGroup& group, bool emptyIsNone) {
    if (emptyIsNone && group.Empty()) return -1;
    return scheme.AddCharGroup(group);
}

TokenPart ReadPart(ImageReader& r, SyntaxScheme& scheme) {
    TokenPart part;
    part.Star = r.Bool();
    const CharGroup group = r.Group();
    const bool special = r.Bool();
    if (special) {
        part.Match = r.Bool();
        part.IsRecognizer = !part.Match;
        part.Number = static_cast<uint8_t>(r.Ranged(0, 255));
    }
    part.Group = GroupNumber(scheme, group, special);
    return part;
}

// The image does not say whether an end exists: an end that tests nothing and includes nothing
// is taken as none. A token's caller knows better and corrects Present.
TokenEnd ReadEnd(ImageReader& r, SyntaxScheme& scheme) {
    TokenEnd end;
    end.Include = r.Bool();
    if (r.Bool()) {
        end.Match = r.Bool();
        end.IsRecognizer = !end.Match;
        end.Number = static_cast<uint8_t>(r.Ranged(0, 255));
    } else {
        end.Count = r.U8();
        if (end.Count > 4) Invalid();
        for (int i = 0; i < end.Count; ++i) end.Groups[i] = GroupNumber(scheme, r.Group(), false);
    }
    end.Present = end.Count > 0 || end.Match || end.IsRecognizer || end.Include;
    return end;
}

TokenDef ReadTokenDef(ImageReader& r, SyntaxScheme& scheme) {
    TokenDef def;
    def.Start = ReadPart(r, scheme);
    def.Valid = r.Set();
    // Behind a whole-token recognizer the body and end are unused; they are read and dropped.
    const TokenPart body = ReadPart(r, scheme);
    const TokenEnd end = ReadEnd(r, scheme);
    def.Value = r.U8();
    if (def.Start.Match) Invalid();  // a start table entry needs start characters
    if (!def.Start.IsRecognizer) {
        def.Body = body;
        def.End = end;
        def.End.Present = !body.Match;
        if (body.Match && (end.Count > 0 || end.Match || end.IsRecognizer || end.Include))
            Invalid();
    }
    return def;
}

void ReadStartTable(ImageReader& r, SyntaxScheme& scheme, int32_t state) {
    const size_t count = r.Count(1 + 2 * (1 + kGroupBytes + 1) + kSetBytes + 3);
    if (count > 256) Invalid();
    for (size_t i = 0; i < count; ++i) {
        const uint8_t c = r.U8();
        const TokenDef def = ReadTokenDef(r, scheme);
        if (!scheme.Groups().Valid(def.Start.Group) ||
            !scheme.Groups().Get(def.Start.Group).Contains(c))
            Invalid();
        // Every character of a token's start group shares one entry: the first adds it.
        if (scheme.StartEntry(state, c)) continue;
        if (!scheme.AddToken(def, state)) Invalid();
    }
}

void ReadTable(ImageReader& r, CodeTemplates& table) {
    table.Clear();
    size_t count = r.Count(6);
    for (size_t i = 0; i < count; ++i) {
        std::string name = r.SStr();
        std::string description = r.SStr();
        table.AddTemplate(name, description, r.LStr());
    }
    table.HotKey = TextToKeyCombination(r.LStr());
    table.StoredFlag = static_cast<uint8_t>(r.I32() & 0x7F);
}

void ReadSettings(ImageReader& r, CompiledScheme& compiled, uint16_t version) {
    SchemeSettings& s = compiled.Settings;
    EditorSettings& e = s.Editor;
    s.ExampleText = r.LStr();
    s.Name = r.LStr();
    e.WrapOverride = r.LStr();

    e.Options = static_cast<uint32_t>(r.I32());
    e.Margin = r.I32();
    e.RightMargin = r.I32();
    e.WrapAtColumn = static_cast<uint16_t>(r.Ranged(0, 0xFFFF));
    e.Gutter = r.I32();
    e.SetIndentStep(r.I32());
    s.MarginColor.Color = static_cast<uint32_t>(r.I32());
    s.GutterColor.Color = static_cast<uint32_t>(r.I32());
    s.SelTextColor.Color = static_cast<uint32_t>(r.I32());
    s.SelTextBack.Color = static_cast<uint32_t>(r.I32());
    e.SetTabDefault(r.Ranged(1, std::numeric_limits<int32_t>::max()));

    SchemeStyles& styles = e.Styles;
    styles.Effects.fill(EffectDef{});
    size_t count = r.Count(15);
    if (count > 256) Invalid();
    for (size_t i = 0; i < count; ++i) {
        EffectDef& effect = styles.Effects[r.U8()];
        effect.Style = r.U8();
        effect.Foreground = static_cast<uint32_t>(r.I32());
        effect.Background = static_cast<uint32_t>(r.I32());
        effect.ForegroundDefault = r.Bool();
        effect.BackgroundDefault = r.Bool();
        effect.Hotspot = r.Bool();
        effect.Defined = r.I32() != 0;
    }
    styles.TokenEffect.fill(0);
    count = r.Count(2);
    if (count > 256) Invalid();
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = r.U8();
        styles.TokenEffect[value] = r.U8();
    }
    styles.EditableStyles.clear();
    count = r.Count(5);
    if (count > SchemeStyles::kMaxEditableStyles) Invalid();
    for (size_t i = 0; i < count; ++i) {
        const std::string name = r.LStr();
        styles.AddEditableStyle(name, r.U8());
    }

    std::string columns;
    for (int i = 0; i < kTabColumnSlots; ++i) {
        const int32_t column = r.I32();
        if (column < 0) continue;
        if (column == std::numeric_limits<int32_t>::max()) Invalid();
        columns += std::to_string(column + 1) + ' ';
    }
    e.SetTabColumns(columns);

    s.Font.Name = r.LStr();
    s.Font.Size = r.I32();
    s.Font.CharSet = r.U8();
    s.MarginColor.UseDefault = r.Bool();
    s.SelTextColor.UseDefault = r.Bool();
    s.SelTextBack.UseDefault = r.Bool();
    s.GutterColor.UseDefault = r.Bool();

    count = r.Count(kSetBytes + 12);
    for (size_t i = 0; i < count; ++i) {
        KeywordTableDef table;
        table.States = r.Set();
        table.EndSpec = r.LStr();
        table.CaseSensitive = r.I32() != 0;
        const size_t words = r.Count(8);
        for (size_t w = 0; w < words; ++w) {
            KeywordTableDef::Word word;
            word.Text = r.LStr();
            word.Value = static_cast<uint8_t>(r.Ranged(0, 255));
            table.Words.push_back(std::move(word));
        }
        std::vector<CharGroup> ends;
        try {
            ends = ParseSpecifiers(table.EndSpec);
        } catch (const ESpecifier&) {
            Invalid();
        }
        if (ends.size() > 1) Invalid();
        if (!ends.empty() && !ends.front().Empty())
            table.EndGroup = compiled.Scheme.AddCharGroup(ends.front());
        compiled.Scheme.AddKeywordTable(std::move(table));
    }

    ReadTable(r, e.AutoCorrect);
    try {
        e.AutoCorrect.SetActivationKeys(r.SStr());
    } catch (const ESourceEditor&) {
        Invalid();
    }
    ReadTable(r, e.Templates);

    e.Keys.ReadFrom(r.Data(), r.Position());

    if (version > 50) {
        s.GutterFont.Name = r.LStr();
        s.GutterFont.Size = r.I32();
        s.GutterFont.CharSet = r.U8();
        s.GutterFont.Color = static_cast<uint32_t>(r.I32());
        s.GutterFont.Style = r.U8();
    }
}

void ReadScheme(ImageReader& r, SyntaxScheme& scheme) {
    scheme.SetCaseSensitive(r.I32() != 0);
    size_t count = r.Count(1 + kGroupBytes + kSetBytes + 4);
    for (size_t i = 0; i < count; ++i) {
        const std::string word = r.SStr();
        const int32_t endGroup = GroupNumber(scheme, r.Group(), true);
        const StateSet states = r.Set();
        const auto value = static_cast<uint8_t>(r.Ranged(0, 255));
        if (word.empty()) Invalid();
        scheme.AddKeyword(word, endGroup, value, states);
    }
    if (r.U8() != 0) Invalid();

    count = r.Count(1 + (2 + kGroupBytes) + 3);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = r.U8();
        HandlerDef handler;
        handler.Start = ReadPart(r, scheme);
        handler.End = ReadEnd(r, scheme);
        if (!scheme.SetHandler(value, handler)) Invalid();
    }

    ReadStartTable(r, scheme, SyntaxScheme::kDefaultTable);

    count = r.Count(1 + kSetBytes);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = r.U8();
        scheme.SetContextState(value, r.Set());
    }

    count = r.Count(1 + 3 * kSetBytes + 3);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = r.U8();
        TokenStateInfo info;
        info.Valid = r.Set();
        info.Add = r.Set();
        info.Remove = r.Set();
        info.Container = r.Bool();
        r.Bool();  // derived from the sets
        info.Stack = r.U8();
        scheme.SetTokenStateInfo(value, info);
    }

    count = r.Count(1 + 4 + 4);
    if (count > 256) Invalid();
    for (size_t i = 0; i < count; ++i) {
        const uint8_t state = r.U8();
        ReadStartTable(r, scheme, state);
        r.I32();  // extra ranges: none are written
    }

    scheme.SetAnchorSet(r.Set());
    scheme.SetBoundStates(r.Set());
    scheme.SetStartStates(r.Set());
    r.Bool();  // follows from the tokens and handlers
    scheme.SetLineContext(0);
}

}  // namespace

std::string WriteSchemeImage(const CompiledScheme& scheme) {
    ImageWriter w;
    WriteSettings(w, scheme);
    WriteScheme(w, scheme.Scheme);
    return std::move(w.Out());
}

void ReadSchemeImage(std::string_view image, CompiledScheme& target, uint16_t version) {
    target.Reset();
    try {
        ImageReader r(image);
        ReadSettings(r, target, version);
        ReadScheme(r, target.Scheme);
        if (r.Left() != 0) Invalid();
    } catch (...) {
        target.Reset();
        throw;
    }
}

std::string WriteParserValue(const CompiledScheme& scheme) {
    const std::string image = WriteSchemeImage(scheme);
    ImageWriter w;
    w.U16(kSchemeImageVersion);
    w.I32(static_cast<int64_t>(image.size()));
    w.Out() += Compressor::Compress(image);
    return std::move(w.Out());
}

std::string ReadParserValue(std::string_view value, CompiledScheme& target,
                            std::string_view componentName) {
    target.Reset();
    ImageReader r(value);
    const uint16_t version = r.U16();
    if (version < kOldestSchemeImageVersion) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%d read version was %d", int{kSchemeImageVersion},
                      int{version});
        return std::string(componentName) +
               ": DFM file saved by different version of TSyntaxScheme.\n\rRecompile script to "
               "update DFM file.\n\rExpected version was " +
               numbers;
    }
    r.I32();  // the image length; the compressed stream states it again
    const std::string image = Compressor::Decompress(value.substr(r.Position()));
    ReadSchemeImage(image, target, version);
    return {};
}

void AssignScheme(CompiledScheme& target, const CompiledScheme& source) {
    if (&target == &source) return;
    const std::string value = WriteParserValue(source);
    ReadParserValue(value, target, {});
}

}  // namespace quinkle
