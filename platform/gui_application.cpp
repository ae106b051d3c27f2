#include "platform/gui_application.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/fonts.h"

namespace tabulorix {

namespace {

bool DisplayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// Qt's notes about the runtime directory of a headless session say nothing
// to the user of the command line; everything else Qt says goes to stderr.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: "))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform == nullptr || *platform == '\0') && !DisplayAvailable())
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tabulorix-cli";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(FilterQtMessages);
    static QGuiApplication application(argc, argv);
    InstallFontSubstitutions();
}

}  // namespace tabulorix
