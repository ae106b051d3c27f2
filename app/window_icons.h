// The tool buttons' pictures, drawn here: a rounded tile with a short
// glyph for each action, so every button is recognisable without a theme.
#pragma once

#include <QIcon>

namespace tabulorix {

// The picture of the action of that object name; a plain tile for a name
// without a glyph of its own.
QIcon ActionIcon(const char* actionName);

}  // namespace tabulorix
