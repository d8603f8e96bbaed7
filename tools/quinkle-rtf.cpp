// quinkle-rtf: translates a rich-text file into an HTML page, as the editor does on opening one,
// and writes the page to standard output.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/html/RtfToHtml.h"

namespace {

using namespace quinkle;

const char kUsage[] =
    "usage: quinkle-rtf FILE.rtf\n"
    "Writes FILE (\"-\": standard input) as an HTML page to standard output, in UTF-8: its\n"
    "paragraphs, alignment, lists, tables, links, fonts, colours, sizes, bold, italic and\n"
    "underline, and its footnotes at the end. The page's title is the document's own, the\n"
    "body tag the editor's default. What had to be made up (a font or colour the file's\n"
    "tables lack) is told on standard error.\n"
    "Exit status: 0 when the page was written, 2 on bad usage or an unreadable file.\n";

// Reads all of `file`; false with errno set when it cannot.
bool ReadAll(std::FILE* file, std::string& bytes) {
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    return std::ferror(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string_view name = argv[1];
    std::string rtf;
    std::FILE* file = name == "-" ? stdin : std::fopen(argv[1], "rb");
    bool read = file != nullptr && ReadAll(file, rtf);
    const int error = errno;
    if (file != nullptr && file != stdin) std::fclose(file);
    if (!read) {
        std::fprintf(stderr, "quinkle-rtf: cannot read %s: %s\n", argv[1], std::strerror(error));
        return 2;
    }
    const RtfTranslation translation = TranslateRtf(rtf);
    for (const std::string& note : translation.Notes)
        std::fprintf(stderr, "quinkle-rtf: %s\n", note.c_str());
    const std::string page = BuildRtfPage(translation, "", translation.Title, "", BodyFields{});
    if (std::fwrite(page.data(), 1, page.size(), stdout) != page.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "quinkle-rtf: cannot write the page: %s\n", std::strerror(errno));
        return 2;
    }
    return 0;
}
