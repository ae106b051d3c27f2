// The main window's actions: one table of names, captions, hints, menus,
// tool bars and shortcuts, from which the menus and tool bars are built.
#pragma once

#include <QKeySequence>
#include <span>

class QAction;
class QMainWindow;
class QToolBar;

namespace tabulorix {

enum class MenuId { File, Diagram, Tools, Help, None };
enum class ToolBarId { Main, Erd, Outputs, None };

struct ActionEntry {
    const char* name;     // object name of the action
    const char* caption;  // menu text with its accelerator
    const char* hint;     // tool tip of its tool button, empty without one
    MenuId menu;
    ToolBarId toolBar;
    QKeySequence::StandardKey shortcut;  // UnknownKey for none
    const char* toolButton;              // object name of the tool button
};

// Every action of the window in menu order.
std::span<const ActionEntry> WindowActionEntrys();

// Menu titles in order: "ファイル(&F)", "表関連図(&V)", "ツール(&T)", "ヘルプ(&H)".
const char* MenuTitle(MenuId menu);

// Creates the actions (children of the window, found by object name), the
// menu bar and the three tool bars ToolBarForMain, ToolBarForERD and
// ToolBar1 under the control bar. The tool bars are returned so that the
// window can add its own widgets (the font combo boxes) to them.
struct WindowToolBars {
    QToolBar* main = nullptr;
    QToolBar* erd = nullptr;
    QToolBar* outputs = nullptr;
};
WindowToolBars BuildActions(QMainWindow& window);

// The action of that object name (created by BuildActions).
QAction* WindowAction(const QMainWindow& window, const char* name);

}  // namespace tabulorix
