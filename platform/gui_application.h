// The Qt application a program without a window needs for drawing, text
// measurement and printing.
#pragma once

namespace tabulorix {

// Creates the Qt application (once per process), with the offscreen
// platform when no display is available, and installs the font
// substitutions.
void EnsureGuiApplication();

}  // namespace tabulorix
