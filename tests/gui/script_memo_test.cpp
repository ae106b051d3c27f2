// The script memo: lines however the text arrives in blocks, and a
// selection made by dragging the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "app/script_memo.h"

namespace tabulorix {
namespace {

struct BlockCase {
    std::vector<std::string> blocks;
    QStringList lines;
};

TEST(ScriptMemo, LinesEndAtLineFeedsWhereverTheBlocksAreCut) {
    const BlockCase cases[] = {
        {{"\nCREATE TABLE T\n(\n", "    A NUMBER(2)\n);\n"},
         {"", "CREATE TABLE T", "(", "    A NUMBER(2)", ");"}},
        {{"ab", "c\nd", "", "e"}, {"abc", "de"}},
        {{"x\n\n\n"}, {"x", "", ""}},
        {{""}, {}},
    };
    for (const BlockCase& c : cases) {
        ScriptMemo memo;
        std::string whole;
        for (const std::string& block : c.blocks) {
            memo.AppendText(block);
            whole += block;
        }
        QStringList lines;
        for (int i = 0; i < memo.LineCount(); ++i) lines << memo.Line(i);
        EXPECT_EQ(lines, c.lines) << whole;
        EXPECT_EQ(memo.Text(), whole);
    }
}

TEST(ScriptMemo, DraggingSelectsFromThePressToTheRelease) {
    ScriptMemo memo;
    memo.resize(400, 200);
    memo.AppendText("CREATE TABLE T\n(\n    A NUMBER(2)\n);\n");
    memo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
    const QFontMetrics metrics = memo.fontMetrics();
    const int column = metrics.horizontalAdvance(QLatin1Char('M'));
    const int row = metrics.lineSpacing();
    // From the start of "TABLE" on the first line to after "A" on the third.
    const QPoint press(4 + 7 * column + 1, row / 2);
    const QPoint release(4 + 5 * column + 1, 2 * row + row / 2);
    QTest::mousePress(memo.viewport(), Qt::LeftButton, {}, press);
    QMouseEvent move(QEvent::MouseMove, release, memo.viewport()->mapToGlobal(release), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo.viewport(), &move);
    QTest::mouseRelease(memo.viewport(), Qt::LeftButton, {}, release);
    EXPECT_EQ(memo.SelectedText(), QStringLiteral("TABLE T\n(\n    A"));
}

}  // namespace
}  // namespace tabulorix
