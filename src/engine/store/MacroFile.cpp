// Macro files: reading and writing the event records, listing and naming macros.
#include "engine/store/MacroFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quinkle {
namespace {

constexpr size_t kNameBytes = 12;  // name bytes in one mmWindowName record

void Put(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

uint32_t Get(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | uint8_t(bytes[at + size_t(i)]);
    return value;
}

bool IsInputMessage(uint32_t message) {
    switch (message) {
        case mmKeyDown:
        case mmKeyUp:
        case mmSysKeyDown:
        case mmSysKeyUp:
        case mmMouseMove:
        case mmLeftDown:
        case mmLeftUp:
        case mmLeftDouble:
        case mmRightDown:
        case mmRightUp:
        case mmRightDouble:
        case mmMiddleDown:
        case mmMiddleUp:
        case mmMiddleDouble:
            return true;
        default:
            return false;
    }
}

void PutName(std::string& out, uint32_t number, std::string_view name) {
    size_t at = 0;
    do {
        Put(out, mmWindowName);
        Put(out, number);
        const std::string_view piece = name.substr(at, kNameBytes);
        out.append(piece);
        out.append(kNameBytes - piece.size(), '\0');
        at += kNameBytes;
    } while (at < name.size());
}

std::string Hex(uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4) text.push_back(digits[(value >> shift) & 0xF]);
    return text;
}

}  // namespace

bool IsKeyMessage(uint32_t message) {
    return message == mmKeyDown || message == mmKeyUp || message == mmSysKeyDown ||
           message == mmSysKeyUp;
}

std::string_view MacroRecording::WindowOf(const MacroEvent& event) const {
    const uint32_t id = event.WindowId();
    return id == 0 || id > Windows.size() ? std::string_view() : std::string_view(Windows[id - 1]);
}

std::string EncodeMacro(const MacroRecording& recording) {
    std::string out;
    out.reserve(recording.Events.size() * kMacroRecordSize);
    uint32_t named = 0;  // names 1..named are in the file
    for (const MacroEvent& event : recording.Events) {
        // Names are numbered in order of first use, so each new one is the next number.
        while (event.WindowId() > named && named < recording.Windows.size()) {
            ++named;
            PutName(out, named, recording.Windows[named - 1]);
        }
        Put(out, event.Message);
        Put(out, uint32_t(event.ParamL));
        Put(out, uint32_t(event.ParamH));
        Put(out, event.Time);
        Put(out, event.Window);
    }
    // Names no event uses are kept too, so reading the file gives back the same recording.
    while (named < recording.Windows.size()) {
        ++named;
        PutName(out, named, recording.Windows[named - 1]);
    }
    return out;
}

MacroRecording DecodeMacro(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() % kMacroRecordSize != 0)
        throw EMacroError("Macro file " + fileName + " is damaged: its size of " +
                          std::to_string(bytes.size()) +
                          " bytes is not a whole number of 20-byte records.");
    MacroRecording recording;
    uint32_t lastName = 0;  // number of the name the previous record continued
    for (size_t at = 0; at < bytes.size(); at += kMacroRecordSize) {
        const auto record = [at] { return "record " + std::to_string(at / kMacroRecordSize + 1); };
        const uint32_t message = Get(bytes, at);
        if (message == mmWindowName) {
            const uint32_t number = Get(bytes, at + 4);
            std::string_view piece = bytes.substr(at + 8, kNameBytes);
            piece = piece.substr(0, std::min(piece.find('\0'), piece.size()));
            if (number == lastName && number != 0) {
                recording.Windows.back().append(piece);
            } else if (number == recording.Windows.size() + 1) {
                recording.Windows.emplace_back(piece);
                lastName = number;
            } else {
                throw EMacroError("Macro file " + fileName + " is damaged: " + record() +
                                  " names window " + std::to_string(number) + " out of order.");
            }
            continue;
        }
        lastName = 0;
        if (!IsInputMessage(message))
            throw EMacroError("Macro file " + fileName + " is damaged: " + record() +
                              " holds the unknown message code " + Hex(message) + ".");
        MacroEvent event{message, int32_t(Get(bytes, at + 4)), int32_t(Get(bytes, at + 8)),
                         Get(bytes, at + 12), Get(bytes, at + 16)};
        if (event.WindowId() > recording.Windows.size())
            throw EMacroError("Macro file " + fileName + " is damaged: " + record() +
                              " refers to window " + std::to_string(event.WindowId()) +
                              ", which is not named before it.");
        recording.Events.push_back(event);
    }
    return recording;
}

std::vector<std::string> ListMacroNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() > kMacroExtension.size() && name.ends_with(kMacroExtension) &&
            !entry->is_directory(error))
            names.push_back(name.substr(0, name.size() - kMacroExtension.size()));
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.emplace_back(kNoMacrosFound);
    return names;
}

std::string MakeUniqueMacroName(const std::string& folder) {
    for (int n = 1;; ++n) {
        const std::string name = "Macro" + std::to_string(n);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::path(folder) / (name + ".mcr"), error))
            return name;
    }
}

}  // namespace quinkle
