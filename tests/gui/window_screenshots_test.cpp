// Pictures of the main window for people to look at: written only when
// TABULORIX_SCREENSHOTS_DIR names a directory (scripts/screenshots).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "app/catalogue_panels.h"
#include "app/diagram_mouse.h"
#include "app/main_window.h"
#include "app/text_dialog.h"
#include "app/ui_language.h"
#include "app/qt_ports.h"
#include "app/window_actions.h"
#include "screenshot_support.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

TEST(WindowScreenshots, WriteWhenAsked) {
    const char* dir = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR not set";
    InstallUiLanguage(UiLanguage::Japanese);
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    window.resize(1280, 800);
    window.show();
    SaveScreenshot(window, dir, "main-window-empty.png");
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    SaveScreenshot(window, dir, "main-window-sample-sheet.png");
    ShowDiagramPage(window);
    SaveScreenshot(window, dir, "main-window-sample-diagram.png");

    // The catalogue panels: each level of the tree and each tab.
    CataloguePanels& panels = window.Panels();
    const auto show = [&](const MGTreeNode& node, const char* name) {
        panels.SelectNode(node);
        SaveScreenshot(window, dir, name);
    };
    show(MGTreeNode::Root(), "catalogue-root-schema-list.png");
    show(MGTreeNode::Schema(0), "catalogue-schema-table-list.png");
    show(MGTreeNode::Category(0, 2), "catalogue-constraints.png");
    window.findChild<QTabWidget*>(QStringLiteral("ConstraintPageControl"))->setCurrentIndex(2);
    SaveScreenshot(window, dir, "catalogue-constraints-foreign-keys.png");
    show(MGTreeNode::Category(0, 3), "catalogue-indexes.png");
    show(MGTreeNode::Category(0, 4), "catalogue-privileges.png");
    show(MGTreeNode::Box(0, kCategoryTables, 2), "catalogue-table-definition.png");
    window.findChild<QTabWidget*>(QStringLiteral("ConstIndexPageControl"))->setCurrentIndex(2);
    SaveScreenshot(window, dir, "catalogue-table-foreign-keys.png");
    window.findChild<QTabWidget*>(QStringLiteral("ConstIndexPageControl"))->setCurrentIndex(4);
    SaveScreenshot(window, dir, "catalogue-table-indexes.png");
    window.findChild<QTabWidget*>(QStringLiteral("PageControlForTable"))->setCurrentIndex(1);
    SaveScreenshot(window, dir, "catalogue-table-source.png");
    window.findChild<QTabWidget*>(QStringLiteral("PageControlForTable"))->setCurrentIndex(0);
    show(MGTreeNode::Box(0, kCategoryViews, 0), "catalogue-view-source.png");
    // The settings and print dialogs as the window opens them.
    for (const auto& [action, name] : {std::pair{"ActionOption", "settings-dialog.png"},
                                       std::pair{"ActionPrint", "print-dialog.png"},
                                       std::pair{"ActionReLayout", "relayout-dialog.png"}}) {
        QTimer::singleShot(300, [dir, name = name] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            SaveScreenshot(*dialog, dir, name);
            qobject_cast<QDialog*>(dialog)->reject();
        });
        WindowAction(window, action)->trigger();
    }
    // A free text being written, and the diagram with it selected.
    ShowDiagramPage(window);
    WindowAction(window, "ActionText")->trigger();
    QTimer::singleShot(300, [dir, &window] {
        TTextDlg& dialog = window.Mouse().TextDialog();
        dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("受注まわりの表"));
        SaveScreenshot(dialog, dir, "text-dialog.png");
        dialog.accept();
    });
    QWidget* paintBox = window.findChild<QWidget*>(QStringLiteral("PaintBox"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(420, 470), paintBox->mapToGlobal(QPointF(420, 470)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(paintBox, &press);
    SaveScreenshot(window, dir, "main-window-selected-text.png");
}

}  // namespace
}  // namespace tabulorix
