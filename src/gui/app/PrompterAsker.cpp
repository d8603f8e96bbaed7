// The document's questions asked through the program's Prompter.
#include "gui/app/PrompterAsker.h"

#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

Prompter::Kind PrompterKind(DocumentAsker::Kind kind) {
    switch (kind) {
        case DocumentAsker::Kind::Error:
            return Prompter::Kind::Error;
        case DocumentAsker::Kind::Warning:
            return Prompter::Kind::Warning;
        case DocumentAsker::Kind::Information:
            return Prompter::Kind::Information;
        case DocumentAsker::Kind::Confirmation:
            break;
    }
    return Prompter::Kind::Confirmation;
}

// The two button sets share their flag values.
static_assert(int(DocumentAsker::Ok) == Prompter::Ok &&
              int(DocumentAsker::Cancel) == Prompter::Cancel &&
              int(DocumentAsker::Yes) == Prompter::Yes && int(DocumentAsker::No) == Prompter::No);

}  // namespace

int PrompterAsker::Message(Kind kind, const std::string& title, const std::string& text,
                           int buttons) {
    return AppPrompter().Message(PrompterKind(kind), FromStd(title), FromStd(text), buttons);
}

bool PrompterAsker::InputBox(const std::string& title, const std::string& prompt,
                             std::string& value) {
    QString answer = FromStd(value);
    if (!AppPrompter().InputBox(FromStd(title), FromStd(prompt), answer)) return false;
    value = ToStd(answer);
    return true;
}

bool PrompterAsker::OpenFileName(const std::string& title, const std::string& filter,
                                 std::string& fileName) {
    QString name = FromStd(fileName);
    if (!AppPrompter().OpenFileName(FromStd(title), FromStd(filter), name)) return false;
    fileName = ToStd(name);
    return true;
}

bool PrompterAsker::SaveFileName(const std::string& title, const std::string& filter,
                                 const std::string& defaultExtension, std::string& fileName) {
    QString name = FromStd(fileName);
    if (!AppPrompter().SaveFileName(FromStd(title), FromStd(filter), FromStd(defaultExtension),
                                    name))
        return false;
    fileName = ToStd(name);
    return true;
}

}  // namespace quinkle
