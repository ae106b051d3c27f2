// Pictures of the dialogs for people to look at (scripts/screenshots):
// written only when TABULORIX_SCREENSHOTS_DIR names a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <cstdlib>

#include "app/connect_dialog.h"
#include "app/csv_output_dialog.h"
#include "app/csv_save_all_dialog.h"
#include "app/emf_output_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/sql_output_dialog.h"
#include "app/status_dialog.h"
#include "app/title_dialog.h"
#include "platform/jpeg_picture.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

void Save(QWidget& widget, const QString& folder, const char* name) {
    widget.show();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
    widget.hide();
}

TEST(Screenshots, WriteWhenAsked) {
    const char* folder = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR is not set";
    const QString out = QString::fromLocal8Bit(folder);
    ASSERT_TRUE(QDir().mkpath(out));

    TStatusDlg status;
    status.Reset();
    status.SetMainLine("ユーザ名:SCOTT  サービス名:ORCL  接続要求中.........");
    status.SetDetailLine("定義情報問い合わせ中...");
    status.SetMaximum(250);
    status.SetPosition(100);
    status.Show(true);
    Save(status, out, "status_dialog");

    TConnectDlg connect;
    connect.findChild<QLineEdit*>(QStringLiteral("UserName"))->setText(QStringLiteral("SCOTT"));
    connect.findChild<QLineEdit*>(QStringLiteral("Password"))->setText(QStringLiteral("tiger"));
    connect.findChild<QLineEdit*>(QStringLiteral("ServiceName"))->setText(QStringLiteral("dbhost:1521:ORCL"));
    Save(connect, out, "connect_dialog");

    TTitleDlg title(ReadJpegFile(TABULORIX_SOURCE_DIR "/data/title.jpg"));
    Save(title, out, "title_dialog");
}

// The output dialogs filled with the sample: the script in the memo, the
// column list in the grid, the proposed file names, the page grid.
TEST(Screenshots, WriteOutputDialogsWhenAsked) {
    const char* folder = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR is not set";
    const QString out = QString::fromLocal8Bit(folder);
    ASSERT_TRUE(QDir().mkpath(out));
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    MGSchemaMng& manager = window.Document().Manager();

    TOutputCreateSqlFileDlg& sql = window.Outputs().Sql();
    sql.Prepare(manager);
    sql.Generate();
    Save(sql, out, "sql_output_dialog");

    TOutputCSVFileDlg& csv = window.Outputs().Csv();
    csv.Prepare(manager);
    csv.ViewList();
    Save(csv, out, "csv_output_dialog");
    csv.SaveDialog().Propose(ProposedCsvNames("SALES", MGDate{2026, 12, 5}));
    Save(csv.SaveDialog(), out, "csv_save_all_dialog");

    int pagesX = 1;
    int pagesY = 1;
    window.Document().DrawBox().GetPageCount(pagesX, pagesY);
    TEMFOutDlg& emf = window.Outputs().Emf();
    emf.Prepare(pagesX, pagesY);
    Save(emf, out, "emf_output_dialog");
}

}  // namespace
}  // namespace tabulorix
