// The main window's side of the document: what the document asks of the window and tells it.
#pragma once

#include "engine/document/DocumentHost.h"

namespace quinkle {

class QuinkleForm;

/// Shows in `form` what the document tells it (title, charset, recent files, notices) and
/// moves files to the desktop's trash for it.
class DocumentWindow : public DocumentHost {
public:
    explicit DocumentWindow(QuinkleForm& form) : m_form(form) {}

    bool MoveToTrash(const std::string& path) override;
    void ShowNotice(const std::string& text) override;
    bool StartupComplete() const override;
    std::string ProgramDir() const override;
    BodyFields CurrentBodyFields() const override;
    std::string RichTextFileToOpen(const std::string& path) override;
    void Attached(Document& document) override;
    void TitleChanged(const std::string& title) override;
    void TextReplaced() override;
    void CharsetChanged(Charset charset) override;
    void ReadOnlyChanged(bool readOnly) override;
    void RecentFilesChanged() override;
    void ModifiedChanged() override;

private:
    QuinkleForm& m_form;
};

}  // namespace quinkle
