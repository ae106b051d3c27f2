// tabulorix: the desktop program.
#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tabulorix::TForm1 window;
    window.show();
    return application.exec();
}
