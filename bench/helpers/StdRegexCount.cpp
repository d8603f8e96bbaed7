// Counts the matches of a std::regex (ECMAScript syntax) in a file, line by line, for the
// side-by-side comparison with the editor's own engine.
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: StdRegexCount PATTERN FILE   (prints the number of matches)\n", stderr);
        return 2;
    }
    std::regex pattern;
    try {
        pattern.assign(argv[1], std::regex::ECMAScript | std::regex::optimize);
    } catch (const std::regex_error& error) {
        std::fprintf(stderr, "StdRegexCount: %s\n", error.what());
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "StdRegexCount: cannot read %s\n", argv[2]);
        return 2;
    }
    // Line by line: libstdc++'s matcher recurses per character and would run out of stack
    // on a long run over the whole file.
    long count = 0;
    for (std::string line; std::getline(in, line);)
        count += std::distance(std::sregex_iterator(line.begin(), line.end(), pattern),
                               std::sregex_iterator());
    std::printf("%ld\n", count);
    return 0;
}
