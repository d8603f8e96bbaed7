// The clipboard as the editor sees it; the window layer supplies the system's.
#pragma once

#include <optional>
#include <string>

namespace quinkle {

enum class ClipFormat { Text, Rtf, Html };

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool Has(ClipFormat format) const = 0;
    /// The data in `format`; nothing when it cannot be read.
    virtual std::optional<std::string> Get(ClipFormat format) const = 0;
    virtual void Clear() = 0;
    virtual void Put(ClipFormat format, std::string data) = 0;
};

/// Formats Copy puts on the clipboard.
enum ClipCopyFormat : uint32_t { smTEXT = 1, smRTF = 2 };

/// Flags of a paste or drop, as OnDataDrop sees and may change them.
enum DataDropFlag : uint32_t {
    ddFiles = 0x1,            ///< the drop carries file names
    ddText = 0x4,             ///< plain text is available (and taken)
    ddHtml = 0x100,           ///< HTML is available
    ddPaste = 0x200,          ///< the data comes from a paste, not a drop
    ddRaw = 0x400,            ///< insert as it is: no HTML clean-up; files are inserted too
    ddFileNames = 0x800,      ///< with ddFiles: names of files
    ddFragment = 0x2000,      ///< keep only the marked fragment of HTML
    ddFromFirstTag = 0x4000,  ///< drop what precedes the first "<" of HTML
};

}  // namespace quinkle
