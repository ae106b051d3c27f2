// tabulorix: the desktop program. The first argument names a design file
// opened at the first showing of the window; "-DEBUG" opens nothing.
#include <QApplication>

#include "app/desktop_ports.h"
#include "app/help_pages.h"
#include "app/main_window.h"
#include "app/title_dialog.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tabulorix"));
    QApplication::setApplicationName(QStringLiteral("tabulorix"));
    tabulorix::InstallJapaneseTranslations(application);
    tabulorix::TTitleDlg::ShowForTwoSeconds(tabulorix::DataFilePath(QStringLiteral("title.jpg")));
    tabulorix::TForm1 window(argc > 1 ? std::string(argv[1]) : std::string());
    tabulorix::DesktopPorts ports(window);
    window.show();
    return application.exec();
}
