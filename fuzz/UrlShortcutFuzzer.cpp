// Arbitrary bytes read as an Internet shortcut file: nothing may crash, and the result is
// either a well-formed link named after the file or the file error, never both. The Insert
// Link dialog's pick of the same file names the file too, and the link it builds from the
// address keeps the address inside its attribute.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/html/LinkText.h"
#include "engine/html/UrlShortcut.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

constexpr std::string_view kPath = "/favorites/Some Site.url";
constexpr std::string_view kHead = "<a href=\"";
constexpr std::string_view kTail = "\">Some Site</a>";

// The dialog's pick: the file's name, and a link whose address cannot end its attribute.
void CheckPick(std::string_view input) {
    quinkle::ShortcutPick pick = quinkle::PickShortcut(input, kPath);
    Require(pick.Text == "Some Site");
    quinkle::LinkFields fields;
    fields.Link = pick.Link;
    fields.Text = pick.Text;
    const std::string link = quinkle::BuildLink(fields).Text;
    if (pick.Link.empty()) {
        Require(link.empty());
        return;
    }
    Require(link.compare(0, kHead.size(), kHead) == 0);
    Require(link.find('"', kHead.size()) == link.size() - kTail.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckPick(input);
    quinkle::ShortcutLink link = quinkle::ShortcutTextToLink(input, kPath);
    if (!link.Ok()) {
        Require(link.Link.empty());
        Require(link.Error == "File Error:  " + std::string(kPath));
        return 0;
    }
    const std::string& text = link.Link;
    Require(text.size() > kHead.size() + kTail.size());
    Require(text.compare(0, kHead.size(), kHead) == 0);
    Require(text.compare(text.size() - kTail.size(), kTail.size(), kTail) == 0);
    // The address cannot end the attribute early.
    std::string_view address(text.data() + kHead.size(), text.size() - kHead.size() - kTail.size());
    Require(address.find('"') == std::string_view::npos);
    Require(address.front() != ' ' && address.back() != ' ');
    return 0;
}
