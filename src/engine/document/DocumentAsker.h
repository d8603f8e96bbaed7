// The questions a document asks the user.
#pragma once

#include <string>

namespace quinkle {

/// Questions to the user, in UTF-8 texts. The gui answers them through its Prompter; tests
/// answer from a queue.
class DocumentAsker {
public:
    enum class Kind { Error, Warning, Information, Confirmation };
    /// Buttons of a message box, combined as flags; Message returns the one chosen.
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    virtual ~DocumentAsker() = default;

    /// Shows a message box of `kind` with `buttons`; returns the chosen button.
    virtual int Message(Kind kind, const std::string& title, const std::string& text,
                        int buttons) = 0;
    /// Asks for a line of text; false when cancelled. `value` holds the initial text.
    virtual bool InputBox(const std::string& title, const std::string& prompt,
                          std::string& value) = 0;
    /// File dialogs; `filter` in the form "Description|*.a;*.b|All Files (*.*)|*.*";
    /// `fileName` holds the initial name or folder and receives the choice.
    virtual bool OpenFileName(const std::string& title, const std::string& filter,
                              std::string& fileName) = 0;
    virtual bool SaveFileName(const std::string& title, const std::string& filter,
                              const std::string& defaultExtension, std::string& fileName) = 0;

    /// An error box with an OK button and no title.
    void Error(const std::string& text) { Message(Kind::Error, std::string(), text, Ok); }
};

}  // namespace quinkle
