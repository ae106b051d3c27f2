// The output dialogs of the main window (SQL script, CSV lists, diagram
// picture), made once with the window and living as long as it, and the
// three output commands that run them.
#pragma once

class QWidget;

namespace tabulorix {

class ClipboardTap;
class MGDesignDocument;
class SystemClipboard;
class TEMFOutDlg;
class TOutputCSVFileDlg;
class TOutputCreateSqlFileDlg;

class OutputDialogs {
public:
    // The dialogs are children of the window. The document and both
    // clipboards outlive this object.
    OutputDialogs(QWidget& window, MGDesignDocument& document, ClipboardTap& tap, SystemClipboard& clipboard);
    OutputDialogs(const OutputDialogs&) = delete;
    OutputDialogs& operator=(const OutputDialogs&) = delete;

    // "SQLスクリプト出力" and "CSV出力": only with a schema.
    void OutputSql();
    void OutputCsv();
    // "表関連図出力": only with a diagram; the picture dialog, then the
    // picture copied or saved at zoom 100, the window's zoom restored.
    void OutputEmf();
    // The picture of page (0: all pages) on the clipboard as EMF with its
    // PNG and SVG renditions. False when no picture was recorded.
    bool CopyPicture(int page);
    // The SQL and CSV dialogs back to their start (another design).
    void Reset();

    TOutputCreateSqlFileDlg& Sql() { return *sql_; }
    TOutputCSVFileDlg& Csv() { return *csv_; }
    TEMFOutDlg& Emf() { return *emf_; }

private:
    MGDesignDocument& document_;
    ClipboardTap& tap_;
    SystemClipboard& clipboard_;
    TOutputCreateSqlFileDlg* sql_;
    TOutputCSVFileDlg* csv_;
    TEMFOutDlg* emf_;
};

}  // namespace tabulorix
