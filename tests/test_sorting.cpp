// Sorting a block of grid rows and the clipboard block text, as plain logic
// over the grid's cells.
#include "testsupport.h"

#include "queries/gridtools.h"
#include "reports/gridmodel.h"

#include <QTest>

using queries::Block;
using queries::SortMode;
using reports::GridModel;

Q_DECLARE_METATYPE(queries::Block)

namespace {

// Fills rows from `top` with the cells of `rows` (columns from 0).
void fill(GridModel& g, int top, const QList<QStringList>& rows)
{
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.setCell(top + r, c, rows[r][c]);
}

QStringList column(const GridModel& g, int col, int top, int bottom)
{
    QStringList l;
    for (int r = top; r <= bottom; ++r)
        l << g.cell(r, col);
    return l;
}

QStringList numbers(int from, int to)
{
    QStringList l;
    for (int i = from; i <= to; ++i)
        l << QString::number(i);
    return l;
}

} // namespace

class TestSorting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void numbersVersusText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("numbers up") << int(SortMode::NumericAscending) << numbers(1, 12);
        QStringList down = numbers(1, 12);
        std::reverse(down.begin(), down.end());
        QTest::newRow("numbers down") << int(SortMode::NumericDescending) << down;
        const QStringList text = {"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("text up") << int(SortMode::TextAscending) << text;
        QStringList textDown = text;
        std::reverse(textDown.begin(), textDown.end());
        QTest::newRow("text down") << int(SortMode::TextDescending) << textDown;
    }
    void numbersVersusText()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, order);
        GridModel g;
        // S.N. cells 1..12 in a shuffled order, each row carrying its name.
        const QList<int> shuffled = {7, 12, 1, 10, 3, 5, 2, 11, 9, 4, 8, 6};
        for (int i = 0; i < shuffled.size(); ++i) {
            g.setCell(2 + i, 0, QString::number(shuffled[i]));
            g.setCell(2 + i, 2, "name " + QString::number(shuffled[i]));
            g.setCell(2 + i, 60, "far " + QString::number(shuffled[i]));
        }
        g.setCell(0, 0, "S.N.");
        g.setCell(15, 2, "footer");
        queries::sortBlock(g, Block{2, 0, 13, 0}, SortMode(mode));
        QCOMPARE(column(g, 0, 2, 13), order);
        for (int r = 2; r <= 13; ++r) {
            QCOMPARE(g.cell(r, 2), "name " + g.cell(r, 0)); // whole rows move
            QCOMPARE(g.cell(r, 60), "far " + g.cell(r, 0));
        }
        QCOMPARE(g.cell(0, 0), QString("S.N."));
        QCOMPARE(g.cell(15, 2), QString("footer"));
    }

    void blockCornersInAnyOrder_data()
    {
        QTest::addColumn<Block>("block");
        QTest::newRow("dragged down and right") << Block{2, 1, 6, 2};
        QTest::newRow("dragged up and left") << Block{6, 2, 2, 1};
        QTest::newRow("dragged up and right") << Block{6, 1, 2, 2};
    }
    void blockCornersInAnyOrder()
    {
        QFETCH(Block, block);
        GridModel g;
        // Column 1 is the main key, column 2 breaks ties; letter case does
        // not count.
        fill(g, 2, {{"1", "civil", "b"}, {"2", "Mech", "a"}, {"3", "Civil", "A"}, {"4", "admin", "z"},
                    {"5", "MECH", "0"}});
        g.setCell(1, 1, "header");
        g.setCell(7, 1, "after");
        queries::sortBlock(g, block, SortMode::TextAscending);
        QCOMPARE(column(g, 0, 2, 6), QStringList({"4", "3", "1", "5", "2"}));
        QCOMPARE(g.cell(1, 1), QString("header"));
        QCOMPARE(g.cell(7, 1), QString("after"));
    }

    void equalRowsKeepOrderAndOneRowStays()
    {
        GridModel g;
        fill(g, 0, {{"a", "2"}, {"b", "1"}, {"c", "2"}, {"d", "x"}, {"e", "1"}});
        queries::sortBlock(g, Block{0, 1, 4, 1}, SortMode::NumericDescending);
        // "x" holds no number and counts as 0.
        QCOMPARE(column(g, 0, 0, 4), QStringList({"a", "c", "b", "e", "d"}));
        queries::sortBlock(g, Block{3, 0, 3, 1}, SortMode::TextDescending);
        QCOMPARE(column(g, 0, 0, 4), QStringList({"a", "c", "b", "e", "d"}));
    }

    void dateSort_data()
    {
        QTest::addColumn<bool>("latestFirst");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Sort Ascending (Dates): latest on top") << true << QStringList{"c", "a", "d", "b", "e"};
        QTest::newRow("Sort Descending (Dates): earliest on top") << false << QStringList{"e", "b", "a", "d", "c"};
    }
    void dateSort()
    {
        QFETCH(bool, latestFirst);
        QFETCH(QStringList, order);
        GridModel g;
        // Equal dates ("a" and "d") keep their order; the forms the grid
        // shows are all read.
        fill(g, 2, {{"a", "20/03/2008"}, {"b", "20 Feb 2008"}, {"c", "2009-01-20"}, {"d", "20 Mar 2008"},
                    {"e", "05/01/1999"}});
        for (int r = 2; r <= 6; ++r) {
            g.setCell(r, 10, "ten " + g.cell(r, 0));
            g.setCell(r, 11, "stays " + QString::number(r));
        }
        QVERIFY(queries::sortBlockByDate(g, Block{6, 1, 2, 0}, latestFirst));
        QCOMPARE(column(g, 0, 2, 6), order);
        for (int r = 2; r <= 6; ++r) {
            QCOMPARE(g.cell(r, 10), "ten " + g.cell(r, 0));       // columns 0 to 10 move
            QCOMPARE(g.cell(r, 11), "stays " + QString::number(r)); // the rest stays
        }
    }

    void dateSortRefusesOtherTexts_data()
    {
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("keyColumn");
        QTest::newRow("blank row before the footer") << 5 << 1;
        QTest::newRow("footer line") << 6 << 1;
        QTest::newRow("names") << 4 << 2;
    }
    void dateSortRefusesOtherTexts()
    {
        QFETCH(int, bottom);
        QFETCH(int, keyColumn);
        GridModel g;
        fill(g, 2, {{"1", "20/03/2008", "Ravi"}, {"2", "20/01/2008", "Asha"}, {"3", "20/02/2008", "Mary"}});
        g.setCell(6, 1, "Report Generated by Karvela Software on 1 Jan 2024");
        queries::Block block{2, keyColumn, bottom, keyColumn};
        QVERIFY(!queries::sortBlockByDate(g, block, false));
        QCOMPARE(column(g, 0, 2, 4), QStringList({"1", "2", "3"}));
        QCOMPARE(queries::datesOnlyMessage(), QString("Sorting is valid for Dates only. Your selection contains values"
                                                      "\r\nother than Dates also. Try again for new selection."));
    }

    void dateSortOfAnySize()
    {
        GridModel g;
        const int n = 1200;
        for (int i = 0; i < n; ++i) {
            g.setCell(2 + i, 0, QString::number(i));
            g.setCell(2 + i, 1, QDate(2000, 1, 1).addDays((i * 37) % 500).toString("dd/MM/yyyy"));
        }
        QVERIFY(queries::sortBlockByDate(g, Block{2, 1, n + 1, 1}, false));
        for (int r = 3; r <= n + 1; ++r) {
            const QDate a = *queries::readDate(g.cell(r - 1, 1)), b = *queries::readDate(g.cell(r, 1));
            QVERIFY(a <= b);
            if (a == b)
                QVERIFY(g.cell(r - 1, 0).toInt() < g.cell(r, 0).toInt());
        }
    }

    // --- Clipboard block text ---------------------------------------------------

    void copyBlock_data()
    {
        QTest::addColumn<Block>("block");
        QTest::newRow("from the top left") << Block{2, 1, 4, 2};
        QTest::newRow("from the bottom right") << Block{4, 2, 2, 1};
    }
    void copyBlock()
    {
        QFETCH(Block, block);
        GridModel g;
        fill(g, 2, {{"1", "10000001", "Asha"}, {"2", "10000002", "Ravi"}, {"3", "10000003", "Mary"}});
        queries::ClipState clip;
        const QString text = clip.copy(g, block, "LIST OF EMPLOYEES", "Items found = 3");
        QCOMPARE(text, QString("LIST OF EMPLOYEES\r\nItems found = 3\r\n"
                               "10000001\tAsha\r10000002\tRavi\r10000003\tMary"));
        QCOMPARE(clip.ClipRows, block.r2 - block.r1);
        QCOMPARE(clip.ClipCols, block.c2 - block.c1);
        QVERIFY(clip.pasteEnabled);
        QCOMPARE(clip.CutMark, 0);
        // The cursor cell alone.
        QCOMPARE(clip.copy(g, Block{3, 2, 3, 2}, "T", "C"), QString("T\r\nC\r\nRavi"));
    }

    void pasteAfterCopyLaysTitleFirst()
    {
        GridModel g;
        fill(g, 2, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
        queries::ClipState clip;
        const QString text = clip.copy(g, Block{2, 0, 4, 1}, "TITLE", "COUNT");
        bool clear = true;
        const Block target = clip.paste(g, text, 10, 3, clear);
        QCOMPARE(target, (Block{10, 3, 12, 4}));
        QVERIFY(!clear);
        QCOMPARE(column(g, 3, 10, 12), QStringList({"TITLE", "COUNT", "a"}));
        QCOMPARE(column(g, 4, 10, 12), QStringList({"", "", "b"}));
        QVERIFY(g.cell(13, 3).isEmpty());
        // A Copy may be pasted again.
        clip.paste(g, text, 20, 0, clear);
        QVERIFY(clip.pasteEnabled);
        QCOMPARE(g.cell(20, 0), QString("TITLE"));
    }

    void cutAndPasteOnce_data()
    {
        QTest::addColumn<Block>("block");
        QTest::newRow("started top left") << Block{2, 0, 3, 1};
        QTest::newRow("started bottom right") << Block{3, 1, 2, 0};
    }
    void cutAndPasteOnce()
    {
        QFETCH(Block, block);
        GridModel g;
        fill(g, 2, {{"a", "b", "keep"}, {"c", "d", "keep"}});
        queries::ClipState clip;
        const QString text = clip.cut(g, block);
        QCOMPARE(text, QString("a\tb\rc\td"));
        QCOMPARE(column(g, 0, 2, 3), QStringList({"", ""}));
        QCOMPARE(column(g, 1, 2, 3), QStringList({"", ""}));
        QCOMPARE(column(g, 2, 2, 3), QStringList({"keep", "keep"}));
        QCOMPARE(clip.CutMark, 313);
        bool clear = false;
        // Pasted at the cursor, the block extends the way it was selected.
        const Block target = clip.paste(g, text, 8, 5, clear);
        QCOMPARE(target, (Block{8, 5, 8 + block.r2 - block.r1, 5 + block.c2 - block.c1}));
        QCOMPARE(g.cell(target.top(), target.left()), QString("a"));
        QCOMPARE(g.cell(target.bottom(), target.right()), QString("d"));
        QVERIFY(clear);
        QVERIFY(!clip.pasteEnabled);
        QCOMPARE(clip.CutMark, 0);
        QCOMPARE(clip.ClipRows, 0);
        QCOMPARE(clip.ClipCols, 0);
    }

    void pasteLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Block>("block");
        QTest::addColumn<QStringList>("cells"); // rows 0-2, columns 0-2, "|" between cells
        QTest::newRow("into the cursor cell alone") << "x\ty\rz" << Block{0, 0, 0, 0}
                                                    << QStringList{"x|o|o", "o|o|o", "o|o|o"};
        QTest::newRow("CRLF is one break") << "x\ty\r\nz" << Block{0, 0, 2, 1}
                                           << QStringList{"x|y|o", "z|o|o", "o|o|o"};
        QTest::newRow("LF alone breaks too") << "x\ny\n" << Block{0, 0, 2, 0}
                                             << QStringList{"x|o|o", "y|o|o", "o|o|o"};
        QTest::newRow("lone CRs") << "x\r\ry" << Block{0, 0, 2, 0} << QStringList{"x|o|o", "|o|o", "y|o|o"};
        QTest::newRow("cut to the block") << "1\t2\t3\r4\t5\t6\r7\t8\t9" << Block{0, 0, 1, 1}
                                          << QStringList{"1|2|o", "4|5|o", "o|o|o"};
        QTest::newRow("empty cells reached") << "\t\r\t" << Block{0, 0, 2, 2} << QStringList{"||o", "||o", "o|o|o"};
        QTest::newRow("empty clipboard") << "" << Block{0, 0, 2, 2} << QStringList{"o|o|o", "o|o|o", "o|o|o"};
    }
    void pasteLayout()
    {
        QFETCH(QString, text);
        QFETCH(Block, block);
        QFETCH(QStringList, cells);
        GridModel g;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                g.setCell(r, c, "o");
        queries::layText(g, text, block);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(QStringList({g.cell(r, 0), g.cell(r, 1), g.cell(r, 2)}).join('|'), cells[r]);
    }

    void pasteBeforeAnyCopyAndClearClip()
    {
        GridModel g;
        queries::ClipState clip;
        QVERIFY(clip.pasteEnabled);
        bool clear = true;
        QCOMPARE(clip.paste(g, "first\tsecond\rthird", 4, 4, clear), (Block{4, 4, 4, 4}));
        QCOMPARE(g.cell(4, 4), QString("first"));
        QVERIFY(g.cell(4, 5).isEmpty());
        QVERIFY(!clear);
        clip.clearClip();
        QVERIFY(!clip.pasteEnabled);
        // A block selected upwards from row 0 cannot reach above the grid.
        clip.copy(g, Block{3, 0, 0, 0}, "T", "C");
        QCOMPARE(clip.paste(g, "a\rb", 1, 0, clear), (Block{1, 0, 1, 0}));
    }

    void selectAll()
    {
        // After a query that found 3 rows (UsedRows 7): rows 0 to 7.
        QCOMPARE(queries::selectAllBlock(7, 49), (Block{0, 0, 7, 49}));
    }
};

QTEST_GUILESS_MAIN(TestSorting)
#include "test_sorting.moc"
