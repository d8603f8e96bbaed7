// The document's questions asked through the program's Prompter.
#pragma once

#include "engine/document/DocumentAsker.h"

namespace quinkle {

/// Forwards each question to AppPrompter() as it is asked, so a prompter a test installs
/// later is the one that answers.
class PrompterAsker : public DocumentAsker {
public:
    int Message(Kind kind, const std::string& title, const std::string& text, int buttons) override;
    bool InputBox(const std::string& title, const std::string& prompt, std::string& value) override;
    bool OpenFileName(const std::string& title, const std::string& filter,
                      std::string& fileName) override;
    bool SaveFileName(const std::string& title, const std::string& filter,
                      const std::string& defaultExtension, std::string& fileName) override;
};

}  // namespace quinkle
