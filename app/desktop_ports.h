// The desktop's answers to the core: message boxes, questions and file
// dialogs over the main window, the progress dialog that heeds the window's
// busy flag, and the connection dialog behind the reverse-engineering
// command. Made once at start, installed for the life of the program.
#pragma once

#include "app/connect_dialog.h"
#include "app/qt_ports.h"
#include "app/status_dialog.h"
#include "base/ui_ports.h"

namespace tabulorix {

class TForm1;

class DesktopPorts {
public:
    explicit DesktopPorts(TForm1& window);
    DesktopPorts(const DesktopPorts&) = delete;
    DesktopPorts& operator=(const DesktopPorts&) = delete;

    TStatusDlg& Status() { return status_; }
    TConnectDlg& Connect() { return connect_; }

private:
    QtPorts ports_;
    TStatusDlg status_;
    TConnectDlg connect_;
    ScopedPorts installed_;
};

}  // namespace tabulorix
