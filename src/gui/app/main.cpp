// Entry of the editor program htmquinkle.
#include <QApplication>

#include "app/QuinkleForm.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HTML Quinkle"));

    quinkle::QuinkleForm form;
    form.show();
    return QApplication::exec();
}
