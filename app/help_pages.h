// Where the program finds its help pages and other data: beside the
// installed program (share/tabulorix under its prefix), else in the source
// tree it was built from.
#pragma once

#include <QString>

namespace tabulorix {

// The path of a data file such as "help/index.html" or "title.jpg"; the
// first place that holds it, else the installed place (which then does not
// exist, so the caller can name it in its message).
QString DataFilePath(const QString& relative);

// The first help page, Japanese HTML.
QString HelpIndexPath();

}  // namespace tabulorix
