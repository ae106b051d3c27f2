// tabulorix: the desktop program. The first argument names a design file
// opened at the first showing of the window; "-DEBUG" opens nothing.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tabulorix"));
    QApplication::setApplicationName(QStringLiteral("tabulorix"));
    tabulorix::TForm1 window(argc > 1 ? std::string(argv[1]) : std::string());
    window.show();
    return application.exec();
}
