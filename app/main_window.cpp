#include "app/main_window.h"

namespace tabulorix {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tabulorix for Oracle"));
}

TForm1::~TForm1() = default;

}  // namespace tabulorix
