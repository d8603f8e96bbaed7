// The About window: the program's picture, name, version, copyright and authors.
#pragma once

#include <QDialog>

class QLabel;

namespace quinkle {

/// "HTML Quinkle - About...": a picture, two text blocks filled when shown, and OK.
class AboutDialog : public QDialog {
public:
    AboutDialog(QWidget* parent, const QPixmap& picture);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_product;
    QLabel* m_author;
};

}  // namespace quinkle
