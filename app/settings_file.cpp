#include "app/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace tabulorix {

namespace {

QString FindSettingsFile() {
    const QString name = QStringLiteral("Korvex_R.ini");
    const QStringList places = {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("tabulorix/") + name),
        QDir::current().filePath(name)};
    for (const QString& place : places)
        if (QFileInfo(place).isFile()) return place;
    return {};
}

}  // namespace

SettingsFileValues ReadSettingsFile() {
    SettingsFileValues values;
    values.path = FindSettingsFile();
    if (values.path.isEmpty()) return values;
    const QSettings file(values.path, QSettings::IniFormat);
    values.pagesAcross = std::clamp(file.value(QStringLiteral("Paper/X"), 1).toInt(), 1, 100);
    values.relationPoint = file.value(QStringLiteral("ERD/RelationPoint"), 0).toInt();
    return values;
}

}  // namespace tabulorix
