// Macro files: the 20-byte event records a recorded macro is stored in, and the macro folder's
// listing and naming rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/EditorError.h"

namespace quinkle {

/// A macro file that cannot be read as one: its size, or a record it holds.
class EMacroError : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// Input message codes of the records (the platform's window-message numbers).
enum MacroMessage : uint32_t {
    mmKeyDown = 0x0100,
    mmKeyUp = 0x0101,
    mmSysKeyDown = 0x0104,  // a key pressed while Alt is held
    mmSysKeyUp = 0x0105,
    mmMouseMove = 0x0200,
    mmLeftDown = 0x0201,
    mmLeftUp = 0x0202,
    mmLeftDouble = 0x0203,
    mmRightDown = 0x0204,
    mmRightUp = 0x0205,
    mmRightDouble = 0x0206,
    mmMiddleDown = 0x0207,
    mmMiddleUp = 0x0208,
    mmMiddleDouble = 0x0209,
    /// Not an input event: a piece of a window name (see MacroRecording).
    mmWindowName = 0x8001,
};

/// True for the key messages; the others that are input are mouse messages.
bool IsKeyMessage(uint32_t message);

/// One recorded input event, as stored in a 20-byte record (little-endian):
///   0 message   4 ParamL   8 ParamH   12 Time   16 Window
/// Keys: ParamL is the virtual-key combination (key code with the engine's Shift, Ctrl and Alt
/// flags), ParamH the Unicode character the key typed (0 for none).
/// Mouse: ParamL and ParamH are the pointer's position in the window named by Window.
/// Time counts milliseconds from the start of the recording.
/// Window: bits 0-15 the number of the window's name (1-based, 0 for none); for mouse events
/// bits 29-31 hold the Shift, Ctrl and Alt flags (the key flags shifted up by 16).
struct MacroEvent {
    uint32_t Message = 0;
    int32_t ParamL = 0;
    int32_t ParamH = 0;
    uint32_t Time = 0;
    uint32_t Window = 0;

    uint32_t WindowId() const { return Window & 0xFFFF; }
    uint16_t MouseFlags() const { return uint16_t(Window >> 16); }
    bool operator==(const MacroEvent&) const = default;
};

/// The bytes of one record.
inline constexpr size_t kMacroRecordSize = 20;
/// A macro holds at most this many input events.
inline constexpr size_t kMaxMacroEvents = 100000;
inline constexpr std::string_view kMacroExtension = ".mcr";
inline constexpr std::string_view kNoMacrosFound = "No Macros Found";
inline constexpr std::string_view kMacroFull =
    "You have reached the maximum recording capacity !\nRecording has stopped.";

/// A macro: its input events in order and the names of the windows they went to.
///
/// In the file every input event is one record. A window's name is stored in records of
/// message mmWindowName placed before the first event that uses it: ParamL holds the name's
/// number, the remaining 12 bytes (offsets 8-19) the next 12 bytes of the name, padded with
/// zero bytes; a name longer than 12 bytes continues in the following records of the same
/// number. So every record stays 20 bytes and a macro stays one file.
struct MacroRecording {
    std::vector<MacroEvent> Events;
    std::vector<std::string> Windows;  // name number n is Windows[n - 1]

    /// The window name of `event`; "" when it names none.
    std::string_view WindowOf(const MacroEvent& event) const;
    bool operator==(const MacroRecording&) const = default;
};

/// The file's bytes. Names a recording's events refer to must be in Windows.
std::string EncodeMacro(const MacroRecording& recording);
/// Reads a macro file's bytes; raises EMacroError when the size is not a multiple of 20, a
/// record holds an unknown message code, or an event names a window not named before it.
/// `fileName` is used in the messages.
MacroRecording DecodeMacro(std::string_view bytes, const std::string& fileName);

/// The macro names in `folder`: every file whose name ends in ".mcr" with those four characters
/// cut off, sorted; {"No Macros Found"} when there is none.
std::vector<std::string> ListMacroNames(const std::string& folder);
/// The first of "Macro1", "Macro2", ... that has no file in `folder`.
std::string MakeUniqueMacroName(const std::string& folder);

}  // namespace quinkle
