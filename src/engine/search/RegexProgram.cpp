// Sizing and emitting the node program of a parsed expression, and its start analysis.
#include "engine/search/RegexProgram.h"

#include <algorithm>

#include "engine/search/RegexError.h"

namespace quinkle {
namespace {

using Kind = RegexNode::Kind;

bool IsLiteral(const RegexNode& node) { return node.Type == Kind::Literal; }

/// Nodes a subtree needs, saturating above the limit so that huge counts cannot overflow.
int64_t SizeOf(const RegexNode& node) {
    constexpr int64_t kHuge = int64_t{1} << 40;
    auto clip = [&](int64_t size) { return std::min(size, kHuge); };
    switch (node.Type) {
        case Kind::Literal:
        case Kind::Set:
        case Kind::Any:
        case Kind::LineStart:
        case Kind::LineEnd:
            return 1;
        case Kind::Group:
            return SizeOf(*node.Children[0]) + 2;
        case Kind::Sequence: {
            int64_t size = 0;
            for (size_t i = 0; i < node.Children.size(); ++i) {
                // A run of literals becomes one Exactly node.
                if (i > 0 && IsLiteral(*node.Children[i]) && IsLiteral(*node.Children[i - 1]))
                    continue;
                size = clip(size + SizeOf(*node.Children[i]));
            }
            return size;
        }
        case Kind::Alternation: {
            int64_t size = 0;
            for (const RegexNodePtr& child : node.Children) size = clip(size + SizeOf(*child) + 2);
            return size - 2;
        }
        case Kind::Repeat: {
            const RegexNode& body = *node.Children[0];
            if (body.IsSingleByte()) return 1;
            int64_t each = SizeOf(body);
            int64_t size = clip(each * node.Min);
            if (node.Max == RegexNode::kUnbounded) return clip(size + each + 2);
            return clip(size + clip((each + 1) * (node.Max - node.Min)));
        }
    }
    return 1;
}

class Emitter {
public:
    explicit Emitter(RegexProgram& program) : m_program(program) {}

    void Emit(const RegexNode& node) {
        switch (node.Type) {
            case Kind::Literal:
                EmitLiteralRun(&node, 1);
                break;
            case Kind::Set: {
                RegexInstr& instr = Push(node.Negated ? RegexOp::AnyBut : RegexOp::AnyOf);
                instr.A = AddSet(node.Members);
                break;
            }
            case Kind::Any:
                Push(RegexOp::Any);
                break;
            case Kind::LineStart:
                Push(RegexOp::Bol);
                break;
            case Kind::LineEnd:
                Push(RegexOp::Eol);
                break;
            case Kind::Group:
                Push(RegexOp::Open).Group = static_cast<uint8_t>(node.Group);
                Emit(*node.Children[0]);
                Push(RegexOp::Close).Group = static_cast<uint8_t>(node.Group);
                break;
            case Kind::Sequence:
                EmitSequence(node);
                break;
            case Kind::Alternation:
                EmitAlternation(node);
                break;
            case Kind::Repeat:
                EmitRepeat(node);
                break;
        }
    }

    RegexInstr& Push(RegexOp op) {
        m_program.Code.push_back(RegexInstr{op});
        return m_program.Code.back();
    }
    int32_t Here() const { return static_cast<int32_t>(m_program.Code.size()); }

private:
    int32_t AddSet(const ByteSet& set) {
        auto found = std::find(m_program.Sets.begin(), m_program.Sets.end(), set);
        if (found != m_program.Sets.end())
            return static_cast<int32_t>(found - m_program.Sets.begin());
        m_program.Sets.push_back(set);
        return static_cast<int32_t>(m_program.Sets.size() - 1);
    }

    void EmitLiteralRun(const RegexNode* const* nodes, size_t count) {
        RegexInstr& instr = Push(RegexOp::Exactly);
        instr.A = static_cast<int32_t>(m_program.Literals.size());
        instr.B = static_cast<int32_t>(count);
        for (size_t i = 0; i < count; ++i) {
            m_program.Literals += static_cast<char>(nodes[i]->Char);
            instr.Fold = instr.Fold || nodes[i]->Fold;
        }
    }
    void EmitLiteralRun(const RegexNode* node, size_t count) { EmitLiteralRun(&node, count); }

    void EmitSequence(const RegexNode& node) {
        const auto& children = node.Children;
        for (size_t i = 0; i < children.size();) {
            if (!IsLiteral(*children[i])) {
                Emit(*children[i++]);
                continue;
            }
            std::vector<const RegexNode*> run;
            while (i < children.size() && IsLiteral(*children[i]))
                run.push_back(children[i++].get());
            EmitLiteralRun(run.data(), run.size());
        }
    }

    void EmitAlternation(const RegexNode& node) {
        std::vector<int32_t> jumps;
        for (size_t i = 0; i < node.Children.size(); ++i) {
            bool last = i + 1 == node.Children.size();
            int32_t branch = Here();
            if (!last) Push(RegexOp::Branch);
            Emit(*node.Children[i]);
            if (!last) {
                jumps.push_back(Here());
                Push(RegexOp::Jump);
                m_program.Code[branch].A = Here();
            }
        }
        for (int32_t jump : jumps) m_program.Code[jump].A = Here();
    }

    void EmitRepeat(const RegexNode& node) {
        const RegexNode& body = *node.Children[0];
        if (body.IsSingleByte()) {
            bool unbounded = node.Max == RegexNode::kUnbounded;
            RegexOp op = !unbounded      ? RegexOp::Repeat
                         : node.Min == 0 ? RegexOp::Star
                         : node.Min == 1 ? RegexOp::Plus
                                         : RegexOp::Repeat;
            RegexInstr& instr = Push(op);
            instr.A = AddSet(body.Accepted());
            instr.B = node.Min;
            instr.C = node.Max;
            return;
        }
        for (int32_t i = 0; i < node.Min; ++i) Emit(body);
        if (node.Max == RegexNode::kUnbounded) {
            int32_t loop = Here();
            Push(RegexOp::Branch);
            Emit(body);
            Push(RegexOp::Back).A = loop;
            m_program.Code[loop].A = Here();
            return;
        }
        std::vector<int32_t> branches;
        for (int32_t i = node.Min; i < node.Max; ++i) {
            branches.push_back(Here());
            Push(RegexOp::Branch);
            Emit(body);
        }
        for (int32_t branch : branches) m_program.Code[branch].A = Here();
    }

    RegexProgram& m_program;
};

/// The bytes a match of `node` can start with; `empty` tells whether it can match nothing.
ByteSet FirstBytesOf(const RegexNode& node, bool& empty) {
    switch (node.Type) {
        case Kind::Literal:
        case Kind::Set:
        case Kind::Any:
            empty = false;
            return node.Accepted();
        case Kind::LineStart:
        case Kind::LineEnd:
            empty = true;
            return {};
        case Kind::Group:
            return FirstBytesOf(*node.Children[0], empty);
        case Kind::Sequence: {
            ByteSet set;
            for (const RegexNodePtr& child : node.Children) {
                bool childEmpty = false;
                set.AddAll(FirstBytesOf(*child, childEmpty));
                if (!childEmpty) {
                    empty = false;
                    return set;
                }
            }
            empty = true;
            return set;
        }
        case Kind::Alternation: {
            ByteSet set;
            empty = false;
            for (const RegexNodePtr& child : node.Children) {
                bool childEmpty = false;
                set.AddAll(FirstBytesOf(*child, childEmpty));
                empty = empty || childEmpty;
            }
            return set;
        }
        case Kind::Repeat: {
            ByteSet set = FirstBytesOf(*node.Children[0], empty);
            empty = empty || node.Min == 0;
            return set;
        }
    }
    empty = true;
    return {};
}

/// What a node's matches can start with: their first and second bytes, whether a match can
/// be empty, and whether one can be a single byte. Sets may hold more than is possible, never
/// less.
struct Opening {
    ByteSet First;
    ByteSet Second;
    bool Empty = false;
    bool One = false;
};

/// The opening of `x` followed by `y`.
Opening Then(const Opening& x, const Opening& y) {
    Opening both;
    both.First = x.First;
    if (x.Empty) both.First.AddAll(y.First);
    both.Second = x.Second;
    if (x.One) both.Second.AddAll(y.First);
    if (x.Empty) both.Second.AddAll(y.Second);
    both.Empty = x.Empty && y.Empty;
    both.One = (x.One && y.Empty) || (x.Empty && y.One);
    return both;
}

Opening OpeningOf(const RegexNode& node) {
    Opening opening;
    switch (node.Type) {
        case Kind::Literal:
        case Kind::Set:
        case Kind::Any:
            opening.First = node.Accepted();
            opening.One = true;
            return opening;
        case Kind::LineStart:
        case Kind::LineEnd:
            opening.Empty = true;
            return opening;
        case Kind::Group:
            return OpeningOf(*node.Children[0]);
        case Kind::Sequence:
            opening.Empty = true;
            for (const RegexNodePtr& child : node.Children)
                opening = Then(opening, OpeningOf(*child));
            return opening;
        case Kind::Alternation:
            for (const RegexNodePtr& child : node.Children) {
                Opening branch = OpeningOf(*child);
                opening.First.AddAll(branch.First);
                opening.Second.AddAll(branch.Second);
                opening.Empty = opening.Empty || branch.Empty;
                opening.One = opening.One || branch.One;
            }
            return opening;
        case Kind::Repeat: {
            Opening body = OpeningOf(*node.Children[0]);
            opening = body;
            // A second copy may follow a copy of one byte.
            if (body.One && node.Max != 1) opening.Second.AddAll(body.First);
            opening.Empty = node.Min == 0 || body.Empty || node.Max == 0;
            opening.One = body.One && node.Min <= 1 && node.Max != 0;
            return opening;
        }
    }
    opening.Empty = opening.One = true;
    return opening;
}

bool StartsAtLineStart(const RegexNode& node) {
    switch (node.Type) {
        case Kind::LineStart:
            return true;
        case Kind::Group:
            return StartsAtLineStart(*node.Children[0]);
        case Kind::Sequence:
            return !node.Children.empty() && StartsAtLineStart(*node.Children[0]);
        case Kind::Alternation:
            return std::all_of(node.Children.begin(), node.Children.end(),
                               [](const RegexNodePtr& child) { return StartsAtLineStart(*child); });
        default:
            return false;
    }
}

/// The literal bytes every match starts with: the leading literals of the outermost sequence.
void FindPrefix(const RegexNode& node, RegexProgram& program) {
    const RegexNode* first = &node;
    if (node.Type == Kind::Sequence) {
        for (const RegexNodePtr& child : node.Children) {
            if (!IsLiteral(*child)) break;
            program.Prefix += static_cast<char>(child->Char);
            program.PrefixFold = program.PrefixFold || child->Fold;
        }
        return;
    }
    if (IsLiteral(*first)) {
        program.Prefix += static_cast<char>(first->Char);
        program.PrefixFold = first->Fold;
    }
}

const char* OpName(RegexOp op) {
    switch (op) {
        case RegexOp::End:
            return "END";
        case RegexOp::Bol:
            return "BOL";
        case RegexOp::Eol:
            return "EOL";
        case RegexOp::Any:
            return "ANY";
        case RegexOp::AnyOf:
            return "ANYOF";
        case RegexOp::AnyBut:
            return "ANYBUT";
        case RegexOp::Exactly:
            return "EXACTLY";
        case RegexOp::Branch:
            return "BRANCH";
        case RegexOp::Back:
            return "BACK";
        case RegexOp::Jump:
            return "JUMP";
        case RegexOp::Star:
            return "STAR";
        case RegexOp::Plus:
            return "PLUS";
        case RegexOp::Repeat:
            return "REPEAT";
        case RegexOp::Open:
            return "OPEN";
        case RegexOp::Close:
            return "CLOSE";
    }
    return "?";
}

std::string DescribeSet(const ByteSet& set) {
    std::string text;
    for (int c = 0; c < 256; ++c) {
        if (!set.Has(static_cast<uint8_t>(c))) continue;
        int last = c;
        while (last < 255 && set.Has(static_cast<uint8_t>(last + 1))) ++last;
        auto one = [&](int b) {
            if (b > 32 && b < 127) {
                text += static_cast<char>(b);
            } else {
                static const char* kHex = "0123456789ABCDEF";
                text += "\\x";
                text += kHex[b >> 4];
                text += kHex[b & 15];
            }
        };
        one(c);
        if (last > c) {
            text += '-';
            one(last);
        }
        c = last;
    }
    return text;
}

/// Marks the unbounded repeat of one byte set that every match begins with, if any.
void FindLeadingRun(RegexProgram& program) {
    size_t first = 0;
    while (program.Code[first].Op == RegexOp::Open) ++first;
    const RegexInstr& lead = program.Code[first];
    bool unbounded = lead.Op == RegexOp::Star || lead.Op == RegexOp::Plus ||
                     (lead.Op == RegexOp::Repeat && lead.C < 0);
    if (unbounded) program.LeadingRun = static_cast<int32_t>(first);
}

/// The most loops whose entries the matcher records; later ones go without.
constexpr int32_t kMaxVisitSlots = 64;

/// Gives the matcher's memories their slots. Repeats of one byte set outside every loop get
/// one to remember the run of their set and the ends that failed; those inside a loop get
/// none, so that nested repeats such as (a+)+b still run into the step budget and end with
/// "Expression is too complex". Every unbounded loop's Branch
/// gets a row for the positions where the loop was entered: without back-references, whether
/// the rest of the match succeeds from a node depends only on the node and the position, so
/// an entry seen before (in this attempt or an earlier one of the same search) has failed.
void AssignMemory(RegexProgram& program) {
    std::vector<int32_t> loops(program.Code.size() + 1, 0);  // loops opening minus closing
    for (size_t pc = 0; pc < program.Code.size(); ++pc) {
        const RegexInstr& instr = program.Code[pc];
        if (instr.Op != RegexOp::Back) continue;
        ++loops[static_cast<size_t>(instr.A)];
        --loops[pc + 1];
        RegexInstr& head = program.Code[static_cast<size_t>(instr.A)];
        if (head.Visit < 0 && program.VisitSlots < kMaxVisitSlots)
            head.Visit = static_cast<int16_t>(program.VisitSlots++);
    }
    int32_t depth = 0;
    for (size_t pc = 0; pc < program.Code.size(); ++pc) {
        depth += loops[pc];
        RegexInstr& instr = program.Code[pc];
        bool repeat =
            instr.Op == RegexOp::Star || instr.Op == RegexOp::Plus || instr.Op == RegexOp::Repeat;
        if (repeat && depth == 0 && program.MemoSlots < INT16_MAX)
            instr.Memo = static_cast<int16_t>(program.MemoSlots++);
    }
}

/// Works out every node's lead: the union over the nodes reachable without taking a byte.
/// Loops make the rule circular, so it is applied until nothing changes; leads only grow, and
/// a pass from the end settles everything but what flows back along loops.
void ComputeLeads(RegexProgram& program) {
    const std::vector<RegexInstr>& code = program.Code;
    std::vector<RegexLead>& leads = program.Leads;
    leads.assign(code.size(), RegexLead{});
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t pc = code.size(); pc-- > 0;) {
            const RegexInstr& instr = code[pc];
            RegexLead lead;
            auto add = [&](int32_t from) {
                lead.Bytes.AddAll(leads[static_cast<size_t>(from)].Bytes);
                lead.Empty = lead.Empty || leads[static_cast<size_t>(from)].Empty;
            };
            auto next = static_cast<int32_t>(pc + 1);
            switch (instr.Op) {
                case RegexOp::End:
                    lead.Empty = true;
                    break;
                case RegexOp::Bol:
                case RegexOp::Eol:
                case RegexOp::Open:
                case RegexOp::Close:
                    add(next);
                    break;
                case RegexOp::Any:
                    lead.Bytes = ByteSet::All();
                    break;
                case RegexOp::AnyOf:
                    lead.Bytes = program.Sets[instr.A];
                    break;
                case RegexOp::AnyBut:
                    lead.Bytes = program.Sets[instr.A];
                    lead.Bytes.Invert();
                    break;
                case RegexOp::Exactly: {
                    auto first = static_cast<uint8_t>(program.Literals[instr.A]);
                    lead.Bytes.Add(first);
                    if (instr.Fold) lead.Bytes.FoldCase();
                    break;
                }
                case RegexOp::Branch:
                    add(next);
                    add(instr.A);
                    break;
                case RegexOp::Back:
                case RegexOp::Jump:
                    add(instr.A);
                    break;
                case RegexOp::Star:
                case RegexOp::Plus:
                case RegexOp::Repeat:
                    lead.Bytes = program.Sets[instr.A];
                    if (instr.B == 0) add(next);
                    break;
            }
            RegexLead& old = leads[pc];
            if (lead.Empty != old.Empty || !(lead.Bytes == old.Bytes)) {
                old = lead;
                changed = true;
            }
        }
    }
    for (size_t pc = 0; pc < code.size(); ++pc) {
        size_t at = pc;
        for (int hops = 0; hops < 64; ++hops) {  // group marks and jumps come in short runs
            const RegexInstr& instr = code[at];
            if (instr.Op == RegexOp::Open || instr.Op == RegexOp::Close) {
                ++at;
            } else if (instr.Op == RegexOp::Jump || instr.Op == RegexOp::Back) {
                at = static_cast<size_t>(instr.A);
            } else {
                if (instr.Op == RegexOp::Branch) leads[pc].LoopAhead = instr.Visit;
                break;
            }
        }
    }
}

}  // namespace

RegexProgram CompileRegex(const RegexTree& tree) {
    int64_t size = SizeOf(*tree.Root) + 1;
    if (size > static_cast<int64_t>(kMaxRegexProgram)) throw ERegExpError(re_message::kTooComplex);
    RegexProgram program;
    program.GroupCount = tree.GroupCount;
    program.Code.reserve(static_cast<size_t>(size));
    Emitter emitter(program);
    emitter.Emit(*tree.Root);
    emitter.Push(RegexOp::End);
    if (static_cast<int64_t>(program.Code.size()) != size)
        throw ERegExpError(re_message::kInternal);

    bool empty = false;
    program.FirstBytes = FirstBytesOf(*tree.Root, empty);
    program.CanStartEmpty = empty;
    program.AnchoredAtLineStart = StartsAtLineStart(*tree.Root);
    Opening opening = OpeningOf(*tree.Root);
    program.HasSecondBytes = !opening.Empty && !opening.One;
    program.SecondBytes = opening.Second;
    FindPrefix(*tree.Root, program);
    FindLeadingRun(program);
    AssignMemory(program);
    ComputeLeads(program);
    return program;
}

std::string RegexProgram::Dump() const {
    std::string text;
    for (size_t pc = 0; pc < Code.size(); ++pc) {
        const RegexInstr& instr = Code[pc];
        text += std::to_string(pc) + ' ' + OpName(instr.Op);
        switch (instr.Op) {
            case RegexOp::AnyOf:
            case RegexOp::AnyBut:
                text += " [" + DescribeSet(Sets[instr.A]) + ']';
                break;
            case RegexOp::Exactly:
                text += " \"" + Literals.substr(instr.A, instr.B) + '"';
                if (instr.Fold) text += " nocase";
                break;
            case RegexOp::Branch:
            case RegexOp::Back:
            case RegexOp::Jump:
                text += " ->" + std::to_string(instr.A);
                break;
            case RegexOp::Star:
            case RegexOp::Plus:
            case RegexOp::Repeat:
                text += " [" + DescribeSet(Sets[instr.A]) + ']';
                if (instr.Op == RegexOp::Repeat)
                    text += " {" + std::to_string(instr.B) + ',' +
                            (instr.C < 0 ? std::string() : std::to_string(instr.C)) + '}';
                break;
            case RegexOp::Open:
            case RegexOp::Close:
                text += ' ' + std::to_string(instr.Group);
                break;
            default:
                break;
        }
        text += '\n';
    }
    return text;
}

}  // namespace quinkle
