// A read-only text area for long generated texts (the SQL script). The text
// is kept once, as UTF-8 with the starts of its lines; only the lines in
// view are converted and drawn, so a script of megabytes shows at once and
// scrolls freely. Text is selected with the mouse (Shift extends), copied
// with Ctrl+C or the pop-up's "コピー(&C)" and selected whole with Ctrl+A or
// "すべてを選択(&A)".
#pragma once

#include <QAbstractScrollArea>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QAction;

namespace tabulorix {

class ScriptMemo final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ScriptMemo(QWidget* parent = nullptr);

    // Appends text; a line feed ends a line (a last line feed opens no
    // empty line after it).
    void AppendText(std::string_view text);
    void Clear();
    // The text exactly as appended.
    const std::string& Text() const { return text_; }
    int LineCount() const { return static_cast<int>(starts_.size()); }
    // A line (from 0) without its line feed.
    QString Line(int line) const;

    QString SelectedText() const;
    void SelectAll();
    void Copy() const;
    QAction* CopyAction() const { return copy_; }
    QAction* SelectAllAction() const { return selectAll_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A place in the text: line and UTF-16 column within it.
    struct Position {
        int line = 0;
        int column = 0;
        bool operator<(const Position& other) const {
            return line != other.line ? line < other.line : column < other.column;
        }
    };
    Position PositionAt(const QPoint& point) const;
    std::size_t ByteOffset(const Position& position) const;
    std::size_t LineEnd(int line) const;
    void UpdateScrollBars();
    int LeftEdge() const;

    std::string text_;
    std::vector<std::size_t> starts_;  // byte offset of each line
    std::size_t widestLine_ = 0;       // bytes of the longest line
    Position anchor_;
    Position cursor_;
    QAction* copy_;
    QAction* selectAll_;
};

}  // namespace tabulorix
