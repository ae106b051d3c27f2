// The settings file Korvex_R.ini: looked up in the user's configuration
// directory, then in the current directory, and only ever read. What it
// holds changes nothing visible: the settings' start values are assigned
// after it is read, as the Windows edition does.
#pragma once

#include <QString>

namespace tabulorix {

struct SettingsFileValues {
    QString path;       // the file read; empty when there is none
    int pagesAcross = 1;  // section Paper, key X, clamped to 1..100
    int relationPoint = 0;  // section ERD, key RelationPoint
};

SettingsFileValues ReadSettingsFile();

}  // namespace tabulorix
