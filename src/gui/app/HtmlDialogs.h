// The main window's Table, Link, Image and Horizontal Rule commands and their dialogs.
#pragma once

#include <QObject>

#include <optional>

#include "engine/html/LinkText.h"

namespace quinkle {

class ImageDialog;
class LinkDialog;
class QuinkleForm;
class RuleDialog;
class TableDialog;

/// Shows the HTML construction dialogs of the window, each made on first use and kept, with
/// its fields, for the run; a dialog inserts through the window as one undo step, which a
/// read-only document refuses. Made once, as a child of the window.
class HtmlDialogs : public QObject {
public:
    explicit HtmlDialogs(QuinkleForm& form);
    static HtmlDialogs& Of(QuinkleForm& form);

    void Table();
    /// Opens the link dialog on `page`, or on the page showing when it was last closed.
    void Link(std::optional<LinkPage> page = std::nullopt);
    void Image();
    void Rule();

private:
    QuinkleForm& m_form;
    TableDialog* m_table = nullptr;
    LinkDialog* m_link = nullptr;
    ImageDialog* m_image = nullptr;
    RuleDialog* m_rule = nullptr;
};

}  // namespace quinkle
