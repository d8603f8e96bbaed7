// The document: the insertion step every tag command and dialog result goes through.
#include <algorithm>

#include "engine/document/Document.h"
#include "engine/document/DocumentHost.h"
#include "engine/net/WebPage.h"
#include "engine/text/UndoStack.h"

namespace quinkle {

bool Document::BeginCommandGroup(int code) {
    const bool outermost = m_groupDepth++ == 0;
    if (outermost) m_groupBatch = std::make_unique<ChangeBatch>(m_editor);
    // An already open group is kept: the editor ignores the second request.
    m_editor.BeginGroup(code);
    return outermost;
}

bool Document::EndCommandGroup(int code) {
    m_editor.EndGroup(code);
    if (m_groupDepth > 0 && --m_groupDepth == 0) {
        m_groupBatch.reset();
        return true;
    }
    return false;
}

void Document::InsertGeneratedText(std::string_view utf8, int stepBack, int code) {
    InsertGenerated(GeneratedText{DocumentBytes(utf8), stepBack}, code);
}

// `generated` holds the document's own bytes: the commands that wrap the selection build their
// text around its bytes as they are, so no character of it is re-encoded.
void Document::InsertGenerated(const GeneratedText& generated, int code) {
    EditInGroup(code, [&] {
        const bool noSelection = m_editor.SelStart() == m_editor.SelEnd();
        m_editor.ReplaceSel(generated.Text);
        if (noSelection && generated.StepBack > 0)
            m_editor.SetSelStart(std::max(0, m_editor.SelStart() - generated.StepBack));
    });
}

void Document::StripTags() {
    EditInGroup(ucStripTags, [this] {
        const std::string stripped = StripHtmlTags(m_editor.GetText());
        m_editor.SelectAll();
        m_editor.ReplaceSel(stripped);
    });
}

bool Document::ReplaceWithPage(const WebPage& page) {
    if (m_editor.ReadOnly) {
        m_host.ShowNotice(kReadOnlyNotice);
        return false;
    }
    EditInGroup(ucLoadFromWeb, [&] {
        m_editor.SelectAll();
        m_editor.ReplaceSel(page.Text);
        m_editor.SetSel(0, 0);
    });
    // The page's bytes are kept: it is shown, saved and typed into in its own charset.
    m_editor.Store().Form = FileForm{FileEncoding::Bytes, page.LineEnds};
    m_servedCharset = page.ServedCharset;
    DetectCharset();
    m_host.TextReplaced();
    return true;
}

void Document::EditInGroup(int code, const std::function<void()>& edit) {
    if (m_editor.ReadOnly) {
        m_host.ShowNotice(kReadOnlyNotice);
        return;
    }
    BeginCommandGroup(code);
    try {
        edit();
    } catch (...) {
        // The group is closed whatever happened, so later edits are not swallowed by it.
        EndCommandGroup(code);
        throw;
    }
    EndCommandGroup(code);
}

void Document::WrapSelection(std::string_view tag, std::string_view attributes, int code) {
    InsertGenerated(
        WrapSelectionText(DocumentBytes(tag), DocumentBytes(attributes), m_editor.SelText()), code);
}

void Document::AlignParagraph(std::string_view alignment) {
    InsertGenerated(AlignParagraphText(DocumentBytes(alignment), m_editor.SelText()),
                    ucParagraphAlign);
}

}  // namespace quinkle
