// The program's command line: its own options, Qt's standard options and the document.
#include "gui/app/CommandLine.h"

#include <array>
#include <string_view>

#include "engine/html/HeadBody.h"

namespace quinkle {
namespace {

struct QtOption {
    std::string_view Name;
    bool TakesValue;
};

// The options that QApplication reads itself (and removes from the arguments).
constexpr std::array kQtOptions{
    QtOption{"platform", true},        QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},   QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true}, QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},    QtOption{"session", true},
    QtOption{"display", true},         QtOption{"geometry", true},
    QtOption{"style", true},           QtOption{"stylesheet", true},
    QtOption{"reverse", false},        QtOption{"widgetcount", false},
    QtOption{"nograb", false},         QtOption{"dograb", false},
    QtOption{"sync", false},
};

const QtOption* FindQtOption(std::string_view name) {
    for (const QtOption& option : kQtOptions) {
        if (option.Name == name) return &option;
    }
    return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i] != nullptr ? argv[i] : "";
        if (!options || word.size() < 2 || word[0] != '-') {
            if (line.Document.empty()) line.Document = word;
            continue;
        }
        if (word == "--") {
            options = false;
            continue;
        }
        if (word == "-h" || word == "--help") {
            line.What = CommandLine::Action::Help;
            return line;
        }
        if (word == "-v" || word == "--version") {
            line.What = CommandLine::Action::Version;
            return line;
        }
        // Qt takes its options with one dash or two, and a value after "=" or as the next word.
        std::string_view name = word.substr(word.starts_with("--") ? 2 : 1);
        const size_t equals = name.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        if (valueAttached) name = name.substr(0, equals);
        const QtOption* qt = FindQtOption(name);
        if (qt == nullptr || (valueAttached && !qt->TakesValue)) {
            line.What = CommandLine::Action::Error;
            line.Error = "unknown option '" + std::string(word) + "'";
            return line;
        }
        if (qt->TakesValue && !valueAttached) {
            if (i + 1 >= argc) {
                line.What = CommandLine::Action::Error;
                line.Error = "option '" + std::string(word) + "' needs a value";
                return line;
            }
            ++i;
        }
    }
    return line;
}

std::string CommandLineHelp(const std::string& program) {
    return "Usage: " + program +
           " [OPTION]... [FILE]\n"
           "A quick, text-based HTML editor. Opens FILE (an HTML, text or RTF file), or a new\n"
           "page when none is given. When the editor is running already, FILE is opened in its\n"
           "window instead, and that window comes to the front.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "  --             treat every argument after it as a file name\n"
           "\n"
           "Qt's standard options (-style NAME, -platform NAME, -reverse, ...) are accepted.\n"
           "Settings are kept in $XDG_CONFIG_HOME/quinkle, the program folder in\n"
           "$XDG_DATA_HOME/quinkle (or $QUINKLE_HOME when set).\n";
}

std::string CommandLineVersion() {
    return std::string(kProductName) + " " + std::string(kProductVersion) + "\n";
}

}  // namespace quinkle
