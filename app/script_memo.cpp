#include "app/script_memo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

constexpr int kMargin = 4;

QAction* MakeAction(QWidget* owner, const char* name, const char* caption, QKeySequence::StandardKey key) {
    auto* action = new QAction(UiText::tr(caption), owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
    return action;
}

}  // namespace

ScriptMemo::ScriptMemo(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    copy_ = MakeAction(this, "MemoCopy", QT_TRANSLATE_NOOP("UiText", "コピー(&C)"), QKeySequence::Copy);
    selectAll_ = MakeAction(this, "MemoSelectAll", QT_TRANSLATE_NOOP("UiText", "すべてを選択(&A)"), QKeySequence::SelectAll);
    connect(copy_, &QAction::triggered, this, &ScriptMemo::Copy);
    connect(selectAll_, &QAction::triggered, this, &ScriptMemo::SelectAll);
    UpdateScrollBars();
}

void ScriptMemo::AppendText(std::string_view text) {
    std::size_t position = text_.size();
    // A line that ended with the previous text starts here.
    if (starts_.empty() || (!text_.empty() && text_.back() == '\n')) {
        if (!text.empty()) starts_.push_back(position);
    }
    text_.append(text);
    for (std::size_t feed = text_.find('\n', position); feed != std::string::npos;
         feed = text_.find('\n', position)) {
        widestLine_ = std::max(widestLine_, feed - starts_.back());
        position = feed + 1;
        if (position < text_.size()) starts_.push_back(position);
    }
    if (!starts_.empty()) widestLine_ = std::max(widestLine_, LineEnd(LineCount() - 1) - starts_.back());
    UpdateScrollBars();
    viewport()->update();
}

void ScriptMemo::Clear() {
    std::string().swap(text_);
    std::vector<std::size_t>().swap(starts_);
    widestLine_ = 0;
    anchor_ = cursor_ = Position{};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

std::size_t ScriptMemo::LineEnd(int line) const {
    const std::size_t next =
        line + 1 < LineCount() ? starts_[static_cast<std::size_t>(line) + 1] : text_.size();
    return next > starts_[static_cast<std::size_t>(line)] && text_[next - 1] == '\n' ? next - 1 : next;
}

QString ScriptMemo::Line(int line) const {
    const std::size_t start = starts_[static_cast<std::size_t>(line)];
    return QString::fromUtf8(text_.data() + start, static_cast<qsizetype>(LineEnd(line) - start));
}

std::size_t ScriptMemo::ByteOffset(const Position& position) const {
    if (LineCount() == 0) return 0;
    const std::size_t start = starts_[static_cast<std::size_t>(position.line)];
    return start + static_cast<std::size_t>(Line(position.line).left(position.column).toUtf8().size());
}

QString ScriptMemo::SelectedText() const {
    const Position from = std::min(anchor_, cursor_);
    const Position to = std::max(anchor_, cursor_);
    const std::size_t begin = ByteOffset(from);
    const std::size_t end = ByteOffset(to);
    return QString::fromUtf8(text_.data() + begin, static_cast<qsizetype>(end - begin));
}

void ScriptMemo::SelectAll() {
    anchor_ = Position{};
    cursor_ = LineCount() == 0 ? Position{}
                               : Position{LineCount() - 1, static_cast<int>(Line(LineCount() - 1).size())};
    viewport()->update();
}

void ScriptMemo::Copy() const {
    const QString selected = SelectedText();
    if (!selected.isEmpty()) QApplication::clipboard()->setText(selected);
}

int ScriptMemo::LeftEdge() const {
    return kMargin - horizontalScrollBar()->value();
}

void ScriptMemo::UpdateScrollBars() {
    const int lineHeight = fontMetrics().lineSpacing();
    const int visible = std::max(1, viewport()->height() / lineHeight);
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - visible));
    verticalScrollBar()->setPageStep(visible);
    // Wide enough for the longest line even if every byte were a character.
    const int widest = static_cast<int>(std::min<std::size_t>(widestLine_, 1u << 16)) *
                       fontMetrics().horizontalAdvance(QLatin1Char('M'));
    horizontalScrollBar()->setRange(0, std::max(0, widest + 2 * kMargin - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 4);
}

void ScriptMemo::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const Position from = std::min(anchor_, cursor_);
    const Position to = std::max(anchor_, cursor_);
    const int left = LeftEdge();
    int y = 0;
    for (int line = verticalScrollBar()->value(); line < LineCount() && y < viewport()->height(); ++line) {
        const QString text = Line(line);
        const int baseline = y + metrics.ascent();
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(left, baseline, text);
        if (from < to && from.line <= line && line <= to.line) {
            const int first = line == from.line ? from.column : 0;
            const int last = line == to.line ? to.column : static_cast<int>(text.size());
            const QString part = text.mid(first, last - first);
            const int x = left + metrics.horizontalAdvance(text.left(first));
            // A selected line feed shows as a space's width.
            const int width = metrics.horizontalAdvance(part) +
                              (line < to.line ? metrics.horizontalAdvance(QLatin1Char(' ')) : 0);
            painter.fillRect(x, y, width, lineHeight, palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
            painter.drawText(x, baseline, part);
        }
        y += lineHeight;
    }
}

void ScriptMemo::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

ScriptMemo::Position ScriptMemo::PositionAt(const QPoint& point) const {
    if (LineCount() == 0) return Position{};
    const int row = std::max(0, point.y()) / fontMetrics().lineSpacing();
    const int line = std::min(LineCount() - 1, verticalScrollBar()->value() + row);
    const QString text = Line(line);
    const QFontMetrics metrics = fontMetrics();
    int x = LeftEdge();
    int column = 0;
    while (column < text.size()) {
        const int advance = metrics.horizontalAdvance(text.at(column));
        if (x + advance / 2 > point.x()) break;
        x += advance;
        ++column;
    }
    return Position{line, column};
}

void ScriptMemo::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    cursor_ = PositionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    viewport()->update();
}

void ScriptMemo::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls by a line.
    if (point.y() < 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    if (point.y() > viewport()->height()) verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    cursor_ = PositionAt(point);
    viewport()->update();
}

void ScriptMemo::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(copy_);
    menu.addAction(selectAll_);
    menu.exec(event->globalPos());
}

}  // namespace tabulorix
