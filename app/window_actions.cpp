#include "app/window_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/ui_language.h"
#include "app/window_icons.h"

namespace tabulorix {

namespace {

using K = QKeySequence;

// Captions and hints are the Japanese source texts, translated when shown.
// Shortcuts beyond the menu accelerators are the desktop's usual ones.
constexpr ActionEntry kActions[] = {
    {"ActionReverseDB", QT_TRANSLATE_NOOP("UiText", "データベースの接続(&L)"), QT_TRANSLATE_NOOP("UiText", "データベースの接続"),
     MenuId::File, ToolBarId::Main, K::UnknownKey, "ToolButtonReverse"},
    {"ActionOpenDesignFile", QT_TRANSLATE_NOOP("UiText", "ファイルを開く(&O)..."), QT_TRANSLATE_NOOP("UiText", "ファイルを開く"),
     MenuId::File, ToolBarId::Main, K::Open, "ToolButtonOpenDesign"},
    {"ActionOutputDesignFile", QT_TRANSLATE_NOOP("UiText", "上書き保存(&S)"), QT_TRANSLATE_NOOP("UiText", "上書き保存"),
     MenuId::File, ToolBarId::Main, K::Save, "ToolButtonSave"},
    {"ActionOutputDesignFileAs", QT_TRANSLATE_NOOP("UiText", "名前を付けて保存(&A)..."), "",
     MenuId::File, ToolBarId::None, K::SaveAs, ""},
    {"SetPrint", QT_TRANSLATE_NOOP("UiText", "印刷設定..."), "",
     MenuId::File, ToolBarId::None, K::UnknownKey, ""},
    {"ActionPrint", QT_TRANSLATE_NOOP("UiText", "印刷(&P)..."), QT_TRANSLATE_NOOP("UiText", "印刷"),
     MenuId::File, ToolBarId::Main, K::Print, "ToolButtonPrint"},
    {"ActionExit", QT_TRANSLATE_NOOP("UiText", "終了(&X)"), "",
     MenuId::File, ToolBarId::None, K::Quit, ""},
    {"ActionArrow", "", QT_TRANSLATE_NOOP("UiText", "図形を選択"),
     MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonArrow"},
    {"ActionText", "", QT_TRANSLATE_NOOP("UiText", "文字列挿入"),
     MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonText"},
    {"ActionDeleteText", "", QT_TRANSLATE_NOOP("UiText", "文字列削除"),
     MenuId::None, ToolBarId::Erd, K::UnknownKey, "ToolButtonDeleteText"},
    {"ZoomUp", QT_TRANSLATE_NOOP("UiText", "拡大"), QT_TRANSLATE_NOOP("UiText", "拡大表示"),
     MenuId::Diagram, ToolBarId::Erd, K::ZoomIn, "ToolButtonZoomUp"},
    {"ZoomDown", QT_TRANSLATE_NOOP("UiText", "縮小"), QT_TRANSLATE_NOOP("UiText", "縮小表示"),
     MenuId::Diagram, ToolBarId::Erd, K::ZoomOut, "ToolButtonZoomDown"},
    {"ActionReLayout", QT_TRANSLATE_NOOP("UiText", "再配置(&R)..."), QT_TRANSLATE_NOOP("UiText", "再配置"),
     MenuId::Diagram, ToolBarId::Erd, K::UnknownKey, "ToolButtonReLayout"},
    {"ActionOption", QT_TRANSLATE_NOOP("UiText", "オプション(&O)..."), "",
     MenuId::Diagram, ToolBarId::None, K::Preferences, ""},
    {"ActionFind", QT_TRANSLATE_NOOP("UiText", "表の検索(&F)..."), "",
     MenuId::Diagram, ToolBarId::None, K::Find, ""},
    {"ActionToWord", QT_TRANSLATE_NOOP("UiText", "WORD出力(&W)"), QT_TRANSLATE_NOOP("UiText", "WORD出力"),
     MenuId::Tools, ToolBarId::Outputs, K::UnknownKey, "ToolButtonToWord"},
    {"ActionOutputCSVFile", QT_TRANSLATE_NOOP("UiText", "CSV出力(&C)..."), QT_TRANSLATE_NOOP("UiText", "CSV出力"),
     MenuId::Tools, ToolBarId::Outputs, K::UnknownKey, "ToolButtonCSV"},
    {"ActionOutputSQL", QT_TRANSLATE_NOOP("UiText", "SQLスクリプト出力(&S)..."), QT_TRANSLATE_NOOP("UiText", "SQLスクリプト出力"),
     MenuId::Tools, ToolBarId::Outputs, K::UnknownKey, "ToolButtonSQL"},
    {"ActionOutputEMF", QT_TRANSLATE_NOOP("UiText", "表関連図出力(&E)"), QT_TRANSLATE_NOOP("UiText", "表関連図出力"),
     MenuId::Tools, ToolBarId::Outputs, K::UnknownKey, "ToolButtonEMF"},
    {"Help2", QT_TRANSLATE_NOOP("UiText", "ヘルプ(&C)"), "",
     MenuId::Help, ToolBarId::None, K::HelpContents, ""},
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
    auto* action = new QAction(UiText::tr(entry.caption), &window);
    action->setObjectName(QString::fromLatin1(entry.name));
    if (*entry.hint != '\0') action->setToolTip(UiText::tr(entry.hint));
    if (entry.shortcut != K::UnknownKey) action->setShortcuts(entry.shortcut);
    action->setIcon(ActionIcon(entry.name));
    return action;
}

}  // namespace

std::span<const ActionEntry> WindowActionEntrys() { return kActions; }

const char* MenuTitle(MenuId menu) {
    switch (menu) {
        case MenuId::File: return QT_TRANSLATE_NOOP("UiText", "ファイル(&F)");
        case MenuId::Diagram: return QT_TRANSLATE_NOOP("UiText", "表関連図(&V)");
        case MenuId::Tools: return QT_TRANSLATE_NOOP("UiText", "ツール(&T)");
        case MenuId::Help: return QT_TRANSLATE_NOOP("UiText", "ヘルプ(&H)");
        case MenuId::None: break;
    }
    return "";
}

WindowToolBars BuildActions(QMainWindow& window) {
    WindowToolBars bars{MakeToolBar(window, "ToolBarForMain"), MakeToolBar(window, "ToolBarForERD"),
                        MakeToolBar(window, "ToolBar1")};
    QMenu* menus[4] = {};
    for (int i = 0; i < 4; ++i)
        menus[i] = window.menuBar()->addMenu(UiText::tr(MenuTitle(static_cast<MenuId>(i))));
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
