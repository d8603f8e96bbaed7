// The main window's Table, Link, Image and Horizontal Rule commands and their dialogs.
#include "gui/app/HtmlDialogs.h"

#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/dialogs/ImageDialog.h"
#include "gui/dialogs/LinkDialog.h"
#include "gui/dialogs/RuleDialog.h"
#include "gui/dialogs/TableDialog.h"

namespace quinkle {
namespace {

// The dialog in `slot`, made for `form` on first use.
template <typename Dialog>
Dialog& Made(Dialog*& slot, QuinkleForm& form) {
    if (slot == nullptr) slot = new Dialog(form, &form);
    return *slot;
}

}  // namespace

HtmlDialogs::HtmlDialogs(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("HtmlDialogs"));
}

HtmlDialogs& HtmlDialogs::Of(QuinkleForm& form) {
    return WindowPart<HtmlDialogs>(form, QStringLiteral("HtmlDialogs"));
}

void HtmlDialogs::Table() { Made(m_table, m_form).exec(); }

void HtmlDialogs::Link(std::optional<LinkPage> page) {
    LinkDialog& dialog = Made(m_link, m_form);
    if (page) dialog.ShowPage(*page);
    dialog.exec();
}

void HtmlDialogs::Image() { Made(m_image, m_form).exec(); }

void HtmlDialogs::Rule() { Made(m_rule, m_form).exec(); }

}  // namespace quinkle
