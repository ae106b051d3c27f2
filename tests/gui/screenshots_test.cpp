// Pictures of the dialogs for people to look at (scripts/screenshots):
// written only when TABULORIX_SCREENSHOTS_DIR names a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <cstdlib>

#include "app/connect_dialog.h"
#include "app/status_dialog.h"
#include "app/title_dialog.h"
#include "platform/jpeg_picture.h"

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

}  // namespace
}  // namespace tabulorix
