// quinkle-scheme: compiles a scheme script and reports its errors, dumps the model, or scans
// a text with it.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "scheme/SchemeCompiler.h"
#include "scheme/SchemeDump.h"

namespace {

using namespace quinkle;

const char kUsage[] =
    "usage: quinkle-scheme SCRIPT                  compile; report the first error\n"
    "       quinkle-scheme --dump SCRIPT           print the compiled model\n"
    "       quinkle-scheme --tokens SCRIPT TEXT    print the tokens of TEXT\n"
    "       quinkle-scheme --count SCRIPT TEXT     print token counts per value and bytes\n"
    "An error is printed as the program shows it; exit status 1 on a compile error, 2 on\n"
    "bad usage or an unreadable file.\n";

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode;
    int first = 1;
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0) {
        mode = argv[1];
        first = 2;
    }
    const int needed = mode == "--tokens" || mode == "--count" ? 2 : 1;
    if ((mode != "" && mode != "--dump" && mode != "--tokens" && mode != "--count") ||
        argc - first != needed) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string script;
    if (!ReadFile(argv[first], script)) {
        std::fprintf(stderr, "quinkle-scheme: cannot read %s\n", argv[first]);
        return 2;
    }
    std::string path = argv[first];
    size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);

    static CompiledScheme compiled;
    SchemeCompiler compiler(compiled);
    try {
        compiler.Compile(script, folder);
    } catch (const ESchemeCompileError& error) {
        std::printf("%s\n", error.what());
        if (!error.Prefixed())
            std::printf("  (line %d, column %d)\n", error.Line(), error.Column());
        return 1;
    }

    if (mode.empty()) {
        std::printf("ok\n");
    } else if (mode == "--dump") {
        std::fputs(DumpScheme(compiled).c_str(), stdout);
    } else {
        std::string text;
        if (!ReadFile(argv[first + 1], text)) {
            std::fprintf(stderr, "quinkle-scheme: cannot read %s\n", argv[first + 1]);
            return 2;
        }
        if (mode == "--tokens") {
            std::fputs(DumpTokens(compiled.Scheme, compiled.Settings.Editor.Styles, text).c_str(),
                       stdout);
        } else {
            TokenCounts counts = CountTokens(compiled.Scheme, text);
            for (int v = 0; v < 256; ++v)
                if (counts.PerValue[v] != 0)
                    std::printf("%d %lld\n", v, static_cast<long long>(counts.PerValue[v]));
            std::printf("bytes %lld\n", static_cast<long long>(counts.Bytes));
            if (counts.Errors != 0)
                std::printf("errors %lld\n", static_cast<long long>(counts.Errors));
        }
    }
    return 0;
}
