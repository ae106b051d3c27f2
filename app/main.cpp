// tabulorix: the desktop program. The first argument names a design file
// opened at the first showing of the window; "-DEBUG" opens nothing.
// "--version" and "--help" alone print a line or two and exit.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <string_view>

#include "app/desktop_ports.h"
#include "app/help_pages.h"
#include "app/main_window.h"
#include "app/title_dialog.h"
#include "app/ui_language.h"

int main(int argc, char** argv) {
    const std::string_view only = argc == 2 ? argv[1] : "";
    if (only == "--version") return std::printf("tabulorix %s\n", TABULORIX_VERSION) < 0;
    if (only == "--help") return std::printf("Usage: tabulorix [DESIGN.tlx | -DEBUG]\n") < 0;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("tabulorix"));
    QApplication::setApplicationName(QStringLiteral("tabulorix"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TABULORIX_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/" TABULORIX_APP_ID ".svg")));
    tabulorix::InstallUiLanguage(tabulorix::ChooseUiLanguage(QLocale::system().uiLanguages()));
    tabulorix::TTitleDlg::ShowForTwoSeconds(tabulorix::DataFilePath(QStringLiteral("title.jpg")));
    tabulorix::TForm1 window(argc > 1 ? std::string(argv[1]) : std::string());
    tabulorix::DesktopPorts ports(window);
    window.show();
    return application.exec();
}
