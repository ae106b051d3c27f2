#include "external_tool.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

using namespace tabulorix;

namespace tabulorix::testing {

std::optional<std::string> FindTool(const std::string& name) {
    const QString program = QString::fromStdString(name);
    const QString path = QFileInfo(program).isAbsolute()
                             ? (QFileInfo(program).isExecutable() ? program : QString())
                             : QStandardPaths::findExecutable(program);
    return path.isEmpty() ? std::nullopt : std::optional(path.toStdString());
}

ToolResult RunTool(const std::string& program, const QStringList& arguments, int timeoutSeconds,
                   const std::string& homeDir) {
    ToolResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!homeDir.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(homeDir));
        process.setProcessEnvironment(environment);
    }
    process.start(QString::fromStdString(program), arguments);
    if (!process.waitForStarted(30000)) {
        result.output = process.errorString().toStdString();
        return result;
    }
    result.started = true;
    if (!process.waitForFinished(timeoutSeconds * 1000)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished(5000);
    }
    result.output = process.readAll().toStdString();
    if (!result.timedOut && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

}  // namespace tabulorix::testing
