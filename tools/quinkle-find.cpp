// quinkle-find: searches a file with the editor's search engine, plain or by expression, and
// prints where the matches are.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/search/PlainSearch.h"
#include "engine/search/REParser.h"
#include "engine/text/LineEnds.h"

namespace {

using namespace quinkle;

const char kUsage[] =
    "usage: quinkle-find [OPTIONS] PATTERN FILE\n"
    "Prints the offset and length of every match in FILE (\"-\": standard input), one match\n"
    "a line. FILE is read as the editor loads it: each line end (CR LF, LF or CR) becomes\n"
    "one CR and other control bytes below 32 but TAB become \".\"; offsets and lengths count\n"
    "bytes of that text, the editor's offsets, not those of the file.\n"
    "  -e, --expression   PATTERN is a regular expression (default: a plain text)\n"
    "  -c, --match-case   letters must match in case (default: either case)\n"
    "  -w, --whole-words  only matches not preceded or followed by a word character\n"
    "      --count        print only the number of matches\n"
    "      --dump         print the compiled expression's program and stop\n"
    "  -h, --help         print this text and stop\n"
    "Matches do not overlap; in an expression \\n is CR, the editor's line end, and ^ and $\n"
    "match at line starts and ends.\n"
    "Exit status: 0 when something matched, 1 when nothing did, 2 on a bad pattern, bad\n"
    "usage or an unreadable file.\n";

struct Options {
    bool Expression = false;
    bool MatchCase = false;
    bool WholeWords = false;
    bool Count = false;
    bool Dump = false;
    bool Help = false;
    std::string Pattern;
    std::string File;
};

bool ParseArguments(int argc, char** argv, Options& options) {
    int positional = 0;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnd = true;
            } else if (arg == "-e" || arg == "--expression") {
                options.Expression = true;
            } else if (arg == "-c" || arg == "--match-case") {
                options.MatchCase = true;
            } else if (arg == "-w" || arg == "--whole-words") {
                options.WholeWords = true;
            } else if (arg == "--count") {
                options.Count = true;
            } else if (arg == "--dump") {
                options.Dump = true;
            } else if (arg == "-h" || arg == "--help") {
                options.Help = true;
                return true;
            } else {
                std::fprintf(stderr, "quinkle-find: unknown option %s\n", argv[i]);
                return false;
            }
            continue;
        }
        if (positional == 0)
            options.Pattern = arg;
        else if (positional == 1)
            options.File = arg;
        ++positional;
    }
    if (positional == 1 && options.Dump) return true;
    if (positional != 2) std::fputs("quinkle-find: expected a pattern and a file\n", stderr);
    return positional == 2;
}

/// FILE's text as the editor stores it ("-": standard input). On failure prints the reason
/// and returns false.
bool ReadText(const std::string& path, std::string& text) {
    bool standardInput = path == "-";
    int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    bool ok = fd >= 0 && ReadStoredText(fd, text, INT32_MAX - 1);
    int error = errno;
    if (fd >= 0 && !standardInput) ::close(fd);
    if (!ok)
        std::fprintf(stderr, "quinkle-find: cannot read %s: %s\n",
                     standardInput ? "standard input" : path.c_str(), std::strerror(error));
    return ok;
}

/// The editor's word characters when no scheme changes them.
ByteSet EditorWordBytes() {
    ByteSet set;
    set.AddRange('a', 'z');
    set.AddRange('A', 'Z');
    set.AddRange('0', '9');
    for (char c : {'_', '\'', '-'}) set.Add(static_cast<uint8_t>(c));
    set.AddRange(0x80, 0xFF);
    return set;
}

class Reporter {
public:
    explicit Reporter(bool countOnly) : m_countOnly(countOnly) {}
    void Match(int32_t start, int32_t end) {
        ++m_count;
        if (!m_countOnly) std::printf("%d %d\n", start, end - start);
    }
    long Count() const { return m_count; }

private:
    bool m_countOnly;
    long m_count = 0;
};

void FindPlain(const Options& options, const CharReader& text, const ByteSet* words,
               Reporter& reporter) {
    PlainSearcher searcher(options.Pattern, options.MatchCase);
    searcher.SetWholeWords(words);
    auto length = static_cast<int32_t>(options.Pattern.size());
    for (int32_t at = 0;;) {
        int32_t start = searcher.FindForward(text, at, text.Length());
        if (start < 0) return;
        reporter.Match(start, start + length);
        at = start + length;
    }
}

void FindExpression(REParser& parser, const CharReader& text, const ByteSet* words,
                    Reporter& reporter) {
    ReaderCursor around(text);
    auto isWord = [&](int32_t at) {
        int c = around.At(at);
        return c >= 0 && words->Has(static_cast<uint8_t>(c));
    };
    for (int32_t at = 0; at <= text.Length();) {
        if (!parser.Search(text, at, text.Length())) return;
        int32_t start = parser.MatchStart();
        int32_t end = parser.MatchEnd();
        bool accepted = !words || (!isWord(start - 1) && !isWord(end));
        if (accepted) reporter.Match(start, end);
        at = accepted && end > start ? end : start + 1;
    }
}

int Run(const Options& options) {
    REParser parser;
    if (options.Expression || options.Dump) {
        try {
            parser.Compile(options.Pattern, options.MatchCase);
        } catch (const ERegExpError& error) {
            std::fprintf(stderr, "quinkle-find: %s (at position %d of the pattern)\n", error.what(),
                         error.Position() + 1);
            return 2;
        }
        if (options.Dump) {
            std::fputs(parser.Program().Dump().c_str(), stdout);
            return 0;
        }
    } else if (options.Pattern.empty()) {
        std::fputs("quinkle-find: the pattern is empty\n", stderr);
        return 2;
    }
    std::string stored;
    if (!ReadText(options.File, stored)) return 2;
    StringReader text(stored);
    ByteSet wordBytes = EditorWordBytes();
    const ByteSet* words = options.WholeWords ? &wordBytes : nullptr;
    Reporter reporter(options.Count);
    try {
        if (options.Expression)
            FindExpression(parser, text, words, reporter);
        else
            FindPlain(options, text, words, reporter);
    } catch (const ERegExpError& error) {
        std::fprintf(stderr, "quinkle-find: %s\n", error.what());
        return 2;
    }
    if (options.Count) std::printf("%ld\n", reporter.Count());
    return reporter.Count() > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc < 2 || !ParseArguments(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.Help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return Run(options);
}
