// A scheme script from outside: compiling it must end in a scheme or a compile error, never a
// crash or a hang. Includes are served from one fixed in-memory file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeDump.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quinkle;
    CompiledScheme compiled;
    SchemeCompiler compiler(compiled);
    compiler.SetIncludeResolver([](const std::string& path, std::string& text) {
        if (path.find("inc") == std::string::npos) return false;
        text = "#define INCLUDED 1\n%%words 'inc' '' 1\n";
        return true;
    });
    std::string_view script(reinterpret_cast<const char*>(data), size);
    try {
        compiler.Compile(script, "/fuzz");
    } catch (const ESchemeCompileError&) {
        return 0;
    }
    // A compiled scheme must scan its own script without fault.
    try {
        CountTokens(compiled.Scheme, script.substr(0, 4096));
    } catch (const ESourceEditor&) {
    }
    return 0;
}
