// A regular expression typed by the user: compiling it must end in a program or one of the
// engine's messages, never a crash, a hang or an oversized program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/search/REParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quinkle;
    std::string_view pattern(reinterpret_cast<const char*>(data), size);
    for (bool matchCase : {true, false}) {
        REParser parser;
        try {
            parser.Compile(pattern, matchCase);
        } catch (const ERegExpError& error) {
            if (parser.Compiled() || error.Position() > static_cast<int32_t>(size)) std::abort();
            continue;
        }
        const RegexProgram& program = parser.Program();
        if (program.Code.empty() || program.Code.size() > kMaxRegexProgram ||
            program.Code.back().Op != RegexOp::End || program.GroupCount > 9)
            std::abort();
        // Every jump stays inside the program.
        for (const RegexInstr& instr : program.Code) {
            bool jumps = instr.Op == RegexOp::Branch || instr.Op == RegexOp::Back ||
                         instr.Op == RegexOp::Jump;
            if (jumps && (instr.A < 0 || instr.A >= static_cast<int32_t>(program.Code.size())))
                std::abort();
        }
        if (program.Dump().empty()) std::abort();
    }
    return 0;
}
