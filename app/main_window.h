// The main window TForm1: menus, tool bars, the catalogue panels and the
// diagram tab around one MGDesignDocument. Every command is routed to the
// session layer; the window only asks, shows and enables.
#pragma once

#include <QMainWindow>

namespace tabulorix {

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
};

}  // namespace tabulorix
