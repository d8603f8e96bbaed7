// Recursive-descent parser of the expression syntax: atoms, sets, quoted runs, repeats, groups.
#include "engine/search/RegexSyntax.h"

#include "engine/search/RegexError.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

constexpr int kMaxGroups = 9;
// Counts in braces above this are refused, so that every count fits the program comfortably.
constexpr int32_t kMaxCount = 65535;
constexpr uint8_t kCR = 13;

ByteSet ClassOf(char letter) {
    ByteSet set;
    switch (letter) {
        case 'd':
        case 'D':
            set.AddRange('0', '9');
            break;
        case 's':
        case 'S':
            for (uint8_t c :
                 {uint8_t{13}, uint8_t{' '}, uint8_t{10}, uint8_t{12}, uint8_t{9}, uint8_t{8}})
                set.Add(c);
            break;
        default:  // w, W: letters (bytes of UTF-8 sequences count as letters), digits and "_"
            set.AddRange('a', 'z');
            set.AddRange('A', 'Z');
            set.AddRange('0', '9');
            set.Add('_');
            set.AddRange(0x80, 0xFF);
            break;
    }
    if (letter >= 'A' && letter <= 'Z') set.Invert();
    return set;
}

/// What a backslash sequence stands for: one byte, or a class of bytes.
struct Escape {
    bool IsClass = false;
    uint8_t Char = 0;
    ByteSet Class;
};

class Parser {
public:
    Parser(std::string_view pattern, bool matchCase) : m_text(pattern), m_fold(!matchCase) {}

    RegexTree Parse() {
        if (m_text.empty()) Fail(re_message::kInvalidParameter);
        RegexTree tree;
        tree.Root = ParseAlternation();
        if (!AtEnd()) Fail(re_message::kUnmatchedParenthesis);  // only a stray ")" stops early
        tree.GroupCount = m_groups;
        return tree;
    }

private:
    [[noreturn]] void Fail(const char* message) const {
        throw ERegExpError(message, static_cast<int32_t>(m_pos));
    }
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }

    static RegexNodePtr Make(RegexNode::Kind type) {
        auto node = std::make_unique<RegexNode>();
        node->Type = type;
        return node;
    }

    RegexNodePtr Literal(uint8_t c) const {
        RegexNodePtr node = Make(RegexNode::Kind::Literal);
        node->Char = m_fold ? FoldToUpper(c) : c;
        node->Fold = m_fold && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
        return node;
    }

    RegexNodePtr SetNode(ByteSet members, bool negated) const {
        if (m_fold) members.FoldCase();
        RegexNodePtr node = Make(RegexNode::Kind::Set);
        node->Members = members;
        node->Negated = negated;
        return node;
    }

    RegexNodePtr ParseAlternation() {
        RegexNodePtr first = ParseSequence();
        if (Peek() != '|') return first;
        RegexNodePtr alternation = Make(RegexNode::Kind::Alternation);
        alternation->Children.push_back(std::move(first));
        while (Peek() == '|') {
            ++m_pos;
            alternation->Children.push_back(ParseSequence());
        }
        return alternation;
    }

    RegexNodePtr ParseSequence() {
        RegexNodePtr sequence = Make(RegexNode::Kind::Sequence);
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            RegexNodePtr atom = ParseAtom();
            sequence->Children.push_back(ParseRepeats(std::move(atom)));
        }
        if (sequence->Children.size() == 1) return std::move(sequence->Children[0]);
        return sequence;
    }

    RegexNodePtr ParseAtom() {
        char c = m_text[m_pos];
        switch (c) {
            case '(':
                return ParseGroup();
            case '[':
                return ParseSet();
            case '"':
                return ParseQuoted();
            case '.':
                ++m_pos;
                return Make(RegexNode::Kind::Any);
            case '^':
                ++m_pos;
                return Make(RegexNode::Kind::LineStart);
            case '$':
                ++m_pos;
                return Make(RegexNode::Kind::LineEnd);
            case '*':
            case '+':
            case '?':
            case '{':
                Fail(re_message::kInvalidRepeat);  // nothing before it to repeat
            case '\\': {
                Escape escape = ParseEscape();
                return escape.IsClass ? SetNode(escape.Class, false) : Literal(escape.Char);
            }
            default:
                ++m_pos;
                return Literal(static_cast<uint8_t>(c));
        }
    }

    RegexNodePtr ParseGroup() {
        if (m_groups == kMaxGroups) Fail(re_message::kTooManyGroups);
        ++m_pos;
        RegexNodePtr group = Make(RegexNode::Kind::Group);
        group->Group = ++m_groups;
        group->Children.push_back(ParseAlternation());
        if (Peek() != ')') Fail(re_message::kUnmatchedParenthesis);
        ++m_pos;
        return group;
    }

    /// After a backslash; leaves m_pos after the sequence.
    Escape ParseEscape() {
        ++m_pos;
        if (AtEnd()) Fail(re_message::kUnexpectedEnd);
        char c = m_text[m_pos++];
        Escape escape;
        switch (c) {
            case 'd':
            case 's':
            case 'w':
            case 'D':
            case 'S':
            case 'W':
                escape.IsClass = true;
                escape.Class = ClassOf(c);
                return escape;
            case 'n':
                escape.Char = kCR;  // the stored line end
                return escape;
            case 'r':
                escape.Char = 10;
                return escape;
            case 't':
                escape.Char = 9;
                return escape;
            case 'b':
                escape.Char = 8;
                return escape;
            case 'f':
                escape.Char = 12;
                return escape;
            case 'x':
                escape.Char = ParseHex();
                return escape;
            default:
                if (c >= '0' && c <= '7') {
                    escape.Char = ParseOctal(c - '0');
                    return escape;
                }
                escape.Char = static_cast<uint8_t>(c);  // stands for itself, a blank included
                return escape;
        }
    }

    uint8_t ParseHex() {
        int first = HexDigitValue(Peek());
        if (AtEnd() || first < 0) Fail(re_message::kHexDigitExpected);
        ++m_pos;
        int second = AtEnd() ? -1 : HexDigitValue(Peek());
        if (second < 0) return static_cast<uint8_t>(first);
        ++m_pos;
        return static_cast<uint8_t>(first * 16 + second);
    }

    /// Up to three octal digits, the first already read; a digit that would take the value
    /// past 255 is left for what follows.
    uint8_t ParseOctal(int value) {
        for (int digits = 1; digits < 3 && Peek() >= '0' && Peek() <= '7'; ++digits) {
            int next = value * 8 + (Peek() - '0');
            if (next > 255) break;
            value = next;
            ++m_pos;
        }
        return static_cast<uint8_t>(value);
    }

    RegexNodePtr ParseSet() {
        ++m_pos;
        bool negated = Peek() == '^';
        if (negated) ++m_pos;
        ByteSet members;
        bool first = true;
        for (;;) {
            if (AtEnd()) Fail(re_message::kUnmatchedBracket);
            char c = m_text[m_pos];
            if (c == ']' && !first) break;
            first = false;
            Escape low = SetMember();
            if (Peek() == '-' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] != ']') {
                ++m_pos;
                Escape high = SetMember();
                if (low.IsClass || high.IsClass || high.Char < low.Char)
                    Fail(re_message::kInvalidRange);
                members.AddRange(low.Char, high.Char);
            } else if (Peek() == '-' && m_pos + 1 < m_text.size()) {
                ++m_pos;
                Fail(re_message::kInvalidRange);  // "a-" without the range's end
            } else if (low.IsClass) {
                members.AddAll(low.Class);
            } else {
                members.Add(low.Char);
            }
        }
        ++m_pos;
        return SetNode(members, negated);
    }

    Escape SetMember() {
        if (m_text[m_pos] == '\\') return ParseEscape();
        Escape member;
        member.Char = static_cast<uint8_t>(m_text[m_pos++]);
        return member;
    }

    /// A double-quoted run: its bytes literally, escapes applied; one atom for repeats.
    RegexNodePtr ParseQuoted() {
        size_t open = m_pos++;
        RegexNodePtr sequence = Make(RegexNode::Kind::Sequence);
        for (;;) {
            if (AtEnd()) {
                m_pos = open;
                Fail(re_message::kQuoteExpected);
            }
            char c = m_text[m_pos];
            if (c == '"') break;
            if (c == '\\') {
                Escape escape = ParseEscape();
                sequence->Children.push_back(escape.IsClass ? SetNode(escape.Class, false)
                                                            : Literal(escape.Char));
            } else {
                ++m_pos;
                sequence->Children.push_back(Literal(static_cast<uint8_t>(c)));
            }
        }
        ++m_pos;
        if (sequence->Children.size() == 1) return std::move(sequence->Children[0]);
        return sequence;
    }

    RegexNodePtr ParseRepeats(RegexNodePtr atom) {
        bool repeated = false;
        while (!AtEnd()) {
            char c = Peek();
            if (c != '*' && c != '+' && c != '?' && c != '{') break;
            if (repeated) Fail(re_message::kNestedRepeat);
            if (atom->CanBeEmpty()) Fail(re_message::kInvalidRepeat);
            RegexNodePtr repeat = Make(RegexNode::Kind::Repeat);
            if (c == '{') {
                ParseCounts(repeat->Min, repeat->Max);
            } else {
                ++m_pos;
                repeat->Min = c == '+' ? 1 : 0;
                repeat->Max = c == '?' ? 1 : RegexNode::kUnbounded;
            }
            repeat->Children.push_back(std::move(atom));
            atom = std::move(repeat);
            repeated = true;
        }
        return atom;
    }

    /// "{n}", "{n,}", "{,m}" or "{n,m}".
    void ParseCounts(int32_t& min, int32_t& max) {
        ++m_pos;
        int32_t low = ParseNumber();
        bool comma = Peek() == ',';
        if (comma) ++m_pos;
        int32_t high = comma ? ParseNumber() : low;
        if (Peek() != '}' || (low < 0 && high < 0)) Fail(re_message::kInvalidRange);
        ++m_pos;
        min = low < 0 ? 0 : low;
        max = high < 0 ? RegexNode::kUnbounded : high;
        if (max != RegexNode::kUnbounded && max < min) Fail(re_message::kInvalidRange);
    }

    /// A decimal number, or -1 when there is no digit.
    int32_t ParseNumber() {
        if (!(Peek() >= '0' && Peek() <= '9')) return -1;
        int32_t value = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (Peek() - '0');
            if (value > kMaxCount) Fail(re_message::kInvalidRange);
            ++m_pos;
        }
        return value;
    }

    std::string_view m_text;
    bool m_fold;
    size_t m_pos = 0;
    int m_groups = 0;
};

}  // namespace

bool RegexNode::CanBeEmpty() const {
    switch (Type) {
        case Kind::Literal:
        case Kind::Set:
        case Kind::Any:
            return false;
        case Kind::LineStart:
        case Kind::LineEnd:
            return true;
        case Kind::Group:
            return Children[0]->CanBeEmpty();
        case Kind::Sequence:
            for (const RegexNodePtr& child : Children)
                if (!child->CanBeEmpty()) return false;
            return true;
        case Kind::Alternation:
            for (const RegexNodePtr& child : Children)
                if (child->CanBeEmpty()) return true;
            return false;
        case Kind::Repeat:
            return Min == 0 || Children[0]->CanBeEmpty();
    }
    return true;
}

ByteSet RegexNode::Accepted() const {
    ByteSet set;
    switch (Type) {
        case Kind::Literal:
            set.Add(Char);
            if (Fold) set.FoldCase();
            break;
        case Kind::Set:
            set = Members;
            if (Negated) set.Invert();
            break;
        case Kind::Any:
            set = ByteSet::All();
            break;
        default:
            break;
    }
    return set;
}

RegexTree ParseRegex(std::string_view pattern, bool matchCase) {
    return Parser(pattern, matchCase).Parse();
}

}  // namespace quinkle
