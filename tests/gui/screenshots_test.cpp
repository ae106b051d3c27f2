// Pictures of the windows and dialogs for people to look at
// (scripts/screenshots): written only when TABULORIX_SCREENSHOTS_DIR names
// a folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <optional>

#include "app/catalogue_panels.h"
#include "app/connect_dialog.h"
#include "app/csv_output_dialog.h"
#include "app/csv_save_all_dialog.h"
#include "app/diagram_mouse.h"
#include "app/emf_output_dialog.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/sql_output_dialog.h"
#include "app/status_dialog.h"
#include "app/text_dialog.h"
#include "app/title_dialog.h"
#include "app/ui_language.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "diagram/draw_table_list.h"
#include "diagram/hit_test.h"
#include "platform/jpeg_picture.h"
#include "render/draw_box.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

// The folder asked for, made; empty when none is.
QString Folder() {
    const char* folder = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (folder == nullptr || *folder == '\0') return {};
    EXPECT_TRUE(QDir().mkpath(QString::fromLocal8Bit(folder)));
    return QString::fromLocal8Bit(folder);
}

// The widget as the screen shows it, once pending paints are done.
void Save(QWidget& widget, const QString& folder, const char* name) {
    QTest::qWait(50);
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name)))) << name;
}

// A dialog shown for its picture.
void SaveDialog(QWidget& dialog, const QString& folder, const char* name) {
    dialog.show();
    Save(dialog, folder, name);
    dialog.hide();
}

// The window at 1280 × 800, shown, with the sample design open, optionally
// on the page "表関連図".
void ShowSample(TForm1& window, bool diagram) {
    window.resize(1280, 800);
    window.show();
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    if (diagram) window.findChild<QTabWidget*>(QStringLiteral("PageControlTop"))->setCurrentIndex(1);
}

#define SCREENSHOTS_FOLDER(out)   \
    const QString out = Folder(); \
    if (out.isEmpty()) GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR is not set"

TEST(Screenshots, WriteWhenAsked) {
    SCREENSHOTS_FOLDER(out);
    TStatusDlg status;
    status.Reset();
    status.SetMainLine("ユーザ名:SCOTT  サービス名:ORCL  接続要求中.........");
    status.SetDetailLine("定義情報問い合わせ中...");
    status.SetMaximum(250);
    status.SetPosition(100);
    status.Show(true);
    SaveDialog(status, out, "status_dialog.png");
    TConnectDlg connect;
    for (const auto& [name, text] : {std::pair{"UserName", "SCOTT"}, std::pair{"Password", "tiger"},
                                     std::pair{"ServiceName", "dbhost:1521:ORCL"}})
        connect.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    SaveDialog(connect, out, "connect_dialog.png");
    TTitleDlg title(ReadJpegFile(TABULORIX_SOURCE_DIR "/data/title.jpg"));
    SaveDialog(title, out, "title_dialog.png");
}

// The output dialogs filled with the sample: the script in the memo, the
// column list in the grid, the proposed file names, the page grid.
TEST(Screenshots, WriteOutputDialogsWhenAsked) {
    SCREENSHOTS_FOLDER(out);
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    MGSchemaMng& manager = window.Document().Manager();
    TOutputCreateSqlFileDlg& sql = window.Outputs().Sql();
    sql.Prepare(manager);
    sql.Generate();
    SaveDialog(sql, out, "sql_output_dialog.png");
    TOutputCSVFileDlg& csv = window.Outputs().Csv();
    csv.Prepare(manager);
    csv.ViewList();
    SaveDialog(csv, out, "csv_output_dialog.png");
    csv.SaveDialog().Propose(ProposedCsvNames("SALES", MGDate{2026, 12, 5}));
    SaveDialog(csv.SaveDialog(), out, "csv_save_all_dialog.png");
    int pagesX = 1, pagesY = 1;
    window.Document().DrawBox().GetPageCount(pagesX, pagesY);
    window.Outputs().Emf().Prepare(pagesX, pagesY);
    SaveDialog(window.Outputs().Emf(), out, "emf_output_dialog.png");
}

// The zoom steps 25, 100 and 400 %, a selection band being drawn and the
// find box with results.
TEST(DiagramScreenshots, WriteWhenAsked) {
    SCREENSHOTS_FOLDER(out);
    InstallUiLanguage(UiLanguage::Japanese);
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    ShowSample(window, true);
    for (const auto& [zoom, name] :
         {std::pair{25, "diagram-zoom-25.png"}, std::pair{400, "diagram-zoom-400.png"},
          std::pair{100, "diagram-zoom-100.png"}}) {
        for (int i = 0; i < 8 && window.Document().WindowZoom() != zoom; ++i)
            WindowAction(window, window.Document().WindowZoom() < zoom ? "ZoomUp" : "ZoomDown")->trigger();
        ASSERT_EQ(window.Document().WindowZoom(), zoom);
        Save(window, out, name);
    }
    // A band drawn from a blank spot (no box, no line; searched from the
    // bottom-right corner) up and to the left over some boxes, the button
    // still held.
    auto* paintBox = window.findChild<PaintBoxWidget*>(QStringLiteral("PaintBox"));
    std::optional<QPoint> start;
    for (int d = 10; !start && d < std::min(paintBox->width(), paintBox->height()); d += 5) {
        const QPoint at(paintBox->width() - d, paintBox->height() - d);
        const MGDrawTableList& diagram = *MGDrawTableList::Current();
        ZMGDrawBox& box = window.Document().DrawBox();
        if (HitBoxIndex(diagram, box, at.x(), at.y()) < 0 &&
            HitRelationIndex(diagram, box, at.x(), at.y()) < 0)
            start = at;
    }
    ASSERT_TRUE(start.has_value());
    QTest::mousePress(paintBox, Qt::LeftButton, {}, *start);
    const QPoint end(start->x() / 3, start->y() / 3);
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(paintBox, *start + (end - *start) * step / 4);
    Save(window, out, "diagram-selection-band.png");
    QTest::mouseRelease(paintBox, Qt::LeftButton, {}, end);
    Save(window, out, "diagram-band-selected.png");
    // The find box with a word typed and its results listed.
    WindowAction(window, "ActionFind")->trigger();
    TFindDlg& find = window.FindDialog();
    QTest::keyClicks(find.findChild<QLineEdit*>(QStringLiteral("FindText")), QStringLiteral("order"));
    ASSERT_FALSE(find.Found().empty());
    Save(find, out, "find-box.png");
}

TEST(WindowScreenshots, WriteWhenAsked) {
    SCREENSHOTS_FOLDER(out);
    InstallUiLanguage(UiLanguage::Japanese);
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    window.resize(1280, 800);
    window.show();
    Save(window, out, "main-window-empty.png");
    ShowSample(window, false);
    Save(window, out, "main-window-sample-sheet.png");
    const auto tab = [&window](const char* pages, int index) {
        window.findChild<QTabWidget*>(QString::fromLatin1(pages))->setCurrentIndex(index);
    };
    tab("PageControlTop", 1);
    Save(window, out, "main-window-sample-diagram.png");
    // The catalogue panels: each level of the tree and each tab.
    const auto show = [&](const MGTreeNode& node, const char* name) {
        window.Panels().SelectNode(node);
        Save(window, out, name);
    };
    show(MGTreeNode::Root(), "catalogue-root-schema-list.png");
    show(MGTreeNode::Schema(0), "catalogue-schema-table-list.png");
    show(MGTreeNode::Category(0, 2), "catalogue-constraints.png");
    tab("ConstraintPageControl", 2);
    Save(window, out, "catalogue-constraints-foreign-keys.png");
    show(MGTreeNode::Category(0, 3), "catalogue-indexes.png");
    show(MGTreeNode::Category(0, 4), "catalogue-privileges.png");
    show(MGTreeNode::Box(0, kCategoryTables, 2), "catalogue-table-definition.png");
    tab("ConstIndexPageControl", 2);
    Save(window, out, "catalogue-table-foreign-keys.png");
    tab("ConstIndexPageControl", 4);
    Save(window, out, "catalogue-table-indexes.png");
    tab("PageControlForTable", 1);
    Save(window, out, "catalogue-table-source.png");
    tab("PageControlForTable", 0);
    show(MGTreeNode::Box(0, kCategoryViews, 0), "catalogue-view-source.png");
    // The settings, print and relayout dialogs as the window opens them.
    for (const auto& [action, name] :
         {std::pair{"ActionOption", "settings-dialog.png"}, std::pair{"ActionPrint", "print-dialog.png"},
          std::pair{"ActionReLayout", "relayout-dialog.png"}}) {
        QTimer::singleShot(300, [&out, name = name] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            Save(*dialog, out, name);
            qobject_cast<QDialog*>(dialog)->reject();
        });
        WindowAction(window, action)->trigger();
    }
    // A free text being written, and the diagram with it selected.
    tab("PageControlTop", 1);
    WindowAction(window, "ActionText")->trigger();
    QTimer::singleShot(300, [&out, &window] {
        TTextDlg& dialog = window.Mouse().TextDialog();
        dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("受注まわりの表"));
        Save(dialog, out, "text-dialog.png");
        dialog.accept();
    });
    QWidget* paintBox = window.findChild<QWidget*>(QStringLiteral("PaintBox"));
    const QPointF at(420, 470);
    QMouseEvent press(QEvent::MouseButtonPress, at, paintBox->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(paintBox, &press);
    Save(window, out, "main-window-selected-text.png");
}

// The English window beside the Japanese one.
TEST(LanguageScreenshots, WriteWhenAsked) {
    SCREENSHOTS_FOLDER(out);
    for (const auto& [language, name] : {std::pair{UiLanguage::English, "main-window-english.png"},
                                         std::pair{UiLanguage::Japanese, "main-window-japanese.png"}}) {
        EXPECT_TRUE(InstallUiLanguage(language));
        testing::RecordingPorts ports;
        TForm1 window("-DEBUG");
        ShowSample(window, true);
        Save(window, out, name);
        RemoveUiLanguage();
    }
}

}  // namespace
}  // namespace tabulorix
