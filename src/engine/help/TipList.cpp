// Reading the tips file.
#include "engine/help/TipList.h"

namespace quinkle {

std::vector<std::string> ParseTips(std::string_view text) {
    std::vector<std::string> tips;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const size_t next = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'
                                    ? end + 2
                                    : end + 1;
            text.remove_prefix(next);
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == ';') continue;
        line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
        std::string tip;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
                tip += '\n';
                ++i;
            } else {
                tip += line[i];
            }
        }
        tips.push_back(std::move(tip));
    }
    return tips;
}

int WrapTipIndex(int index, int count) {
    if (count <= 0) return 0;
    const int wrapped = index % count;
    return wrapped < 0 ? wrapped + count : wrapped;
}

}  // namespace quinkle
