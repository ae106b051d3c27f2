#include "app/help_pages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tabulorix {

QString DataFilePath(const QString& relative) {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir(programDir).filePath(QStringLiteral("../share/tabulorix/") + relative);
    const QStringList places = {installed, QDir(programDir).filePath(relative),
                                QDir(QStringLiteral(TABULORIX_DATA_DIR)).filePath(relative)};
    for (const QString& place : places)
        if (QFileInfo::exists(place)) return QDir::cleanPath(place);
    return QDir::cleanPath(installed);
}

QString HelpIndexPath() { return DataFilePath(QStringLiteral("help/index.html")); }

}  // namespace tabulorix
