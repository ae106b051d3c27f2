#include "app/window_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/window_icons.h"

namespace tabulorix {

namespace {

using K = QKeySequence;

// Shortcuts beyond the menu accelerators are the desktop's usual ones.
constexpr ActionEntry kActions[] = {
    {"ActionReverseDB", "データベースの接続(&L)", "データベースの接続", MenuId::File, ToolBarId::Main, K::UnknownKey,
     "ToolButtonReverse"},
    {"ActionOpenDesignFile", "ファイルを開く(&O)...", "ファイルを開く", MenuId::File, ToolBarId::Main, K::Open,
     "ToolButtonOpenDesign"},
    {"ActionOutputDesignFile", "上書き保存(&S)", "上書き保存", MenuId::File, ToolBarId::Main, K::Save,
     "ToolButtonSave"},
    {"ActionOutputDesignFileAs", "名前を付けて保存(&A)...", "", MenuId::File, ToolBarId::None, K::SaveAs, ""},
    {"SetPrint", "印刷設定...", "", MenuId::File, ToolBarId::None, K::UnknownKey, ""},
    {"ActionPrint", "印刷(&P)...", "印刷", MenuId::File, ToolBarId::Main, K::Print, "ToolButtonPrint"},
    {"ActionExit", "終了(&X)", "", MenuId::File, ToolBarId::None, K::Quit, ""},
    {"ActionArrow", "", "図形を選択", MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonArrow"},
    {"ActionText", "", "文字列挿入", MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonText"},
    {"ActionDeleteText", "", "文字列削除", MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonDeleteText"},
    {"ZoomUp", "拡大", "拡大表示", MenuId::Diagram, ToolBarId::Erd, K::ZoomIn, "ToolButtonZoomUp"},
    {"ZoomDown", "縮小", "縮小表示", MenuId::Diagram, ToolBarId::Erd, K::ZoomOut, "ToolButtonZoomDown"},
    {"ActionReLayout", "再配置(&R)...", "再配置", MenuId::Diagram, ToolBarId::Erd, K::UnknownKey,
     "ToolButtonReLayout"},
    {"ActionOption", "オプション(&O)...", "", MenuId::Diagram, ToolBarId::None, K::Preferences, ""},
    {"ActionFind", "表の検索(&F)...", "", MenuId::Diagram, ToolBarId::None, K::Find, ""},
    {"ActionToWord", "WORD出力(&W)", "WORD出力", MenuId::Tools, ToolBarId::Outputs, K::UnknownKey,
     "ToolButtonToWord"},
    {"ActionOutputCSVFile", "CSV出力(&C)...", "CSV出力", MenuId::Tools, ToolBarId::Outputs, K::UnknownKey,
     "ToolButtonCSV"},
    {"ActionOutputSQL", "SQLスクリプト出力(&S)...", "SQLスクリプト出力", MenuId::Tools, ToolBarId::Outputs,
     K::UnknownKey, "ToolButtonSQL"},
    {"ActionOutputEMF", "表関連図出力(&E)", "表関連図出力", MenuId::Tools, ToolBarId::Outputs, K::UnknownKey,
     "ToolButtonEMF"},
    {"Help2", "ヘルプ(&C)", "", MenuId::Help, ToolBarId::None, K::HelpContents, ""},
};

QToolBar* MakeToolBar(QMainWindow& window, const char* name) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    window.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

QToolBar* ToolBarOf(const WindowToolBars& bars, ToolBarId id) {
    switch (id) {
        case ToolBarId::Main: return bars.main;
        case ToolBarId::Erd: return bars.erd;
        case ToolBarId::Outputs: return bars.outputs;
        case ToolBarId::None: break;
    }
    return nullptr;
}

QAction* MakeAction(QMainWindow& window, const ActionEntry& entry) {
    auto* action = new QAction(QString::fromUtf8(entry.caption), &window);
    action->setObjectName(QString::fromLatin1(entry.name));
    if (*entry.hint != '\0') action->setToolTip(QString::fromUtf8(entry.hint));
    if (entry.shortcut != K::UnknownKey) action->setShortcuts(entry.shortcut);
    action->setIcon(ActionIcon(entry.name));
    return action;
}

}  // namespace

std::span<const ActionEntry> WindowActionEntrys() { return kActions; }

const char* MenuTitle(MenuId menu) {
    switch (menu) {
        case MenuId::File: return "ファイル(&F)";
        case MenuId::Diagram: return "表関連図(&V)";
        case MenuId::Tools: return "ツール(&T)";
        case MenuId::Help: return "ヘルプ(&H)";
        case MenuId::None: break;
    }
    return "";
}

WindowToolBars BuildActions(QMainWindow& window) {
    WindowToolBars bars{MakeToolBar(window, "ToolBarForMain"), MakeToolBar(window, "ToolBarForERD"),
                        MakeToolBar(window, "ToolBar1")};
    QMenu* menus[4] = {};
    for (int i = 0; i < 4; ++i)
        menus[i] = window.menuBar()->addMenu(QString::fromUtf8(MenuTitle(static_cast<MenuId>(i))));
    auto* modes = new QActionGroup(&window);  // select or place text, exclusive
    for (const ActionEntry& entry : kActions) {
        QAction* action = MakeAction(window, entry);
        if (entry.menu != MenuId::None) menus[static_cast<int>(entry.menu)]->addAction(action);
        if (QToolBar* bar = ToolBarOf(bars, entry.toolBar)) {
            bar->addAction(action);
            bar->widgetForAction(action)->setObjectName(QString::fromLatin1(entry.toolButton));
        }
        const QString name = action->objectName();
        if (name == QLatin1String("ActionArrow") || name == QLatin1String("ActionText")) {
            action->setCheckable(true);
            modes->addAction(action);
        }
        if (name == QLatin1String("ActionArrow")) action->setChecked(true);
    }
    return bars;
}

QAction* WindowAction(const QMainWindow& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace tabulorix
