// Sorting a block of grid rows and the clipboard block text, as plain logic
// over the grid's cells.
#include "testsupport.h"

#include "queries/gridtools.h"
#include "reports/gridmodel.h"

#include <QTest>

using queries::Block;
using queries::SortMode;
using reports::GridModel;
using Rows = QList<QStringList>;

Q_DECLARE_METATYPE(queries::Block)

namespace {

// Fills rows from `top` with the cells of `rows` (columns from 0).
void fill(GridModel& g, int top, const Rows& rows)
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

} // namespace

class TestSorting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Rows from row 2, marked by column 0; a marker far right shows whole rows
    // move, and the rows just above and below the block stay.
    void sortBlock_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Block>("block");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("order");
        Rows twelve;
        for (int n : {7, 12, 1, 10, 3, 5, 2, 11, 9, 4, 8, 6})
            twelve << QStringList{QString::number(n)};
        const QStringList up = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
        const QStringList text = {"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("numbers up") << twelve << Block{2, 0, 13, 0} << int(SortMode::NumericAscending) << up;
        QTest::newRow("numbers down") << twelve << Block{2, 0, 13, 0} << int(SortMode::NumericDescending)
                                      << QStringList(up.rbegin(), up.rend());
        QTest::newRow("text up") << twelve << Block{2, 0, 13, 0} << int(SortMode::TextAscending) << text;
        QTest::newRow("text down") << twelve << Block{2, 0, 13, 0} << int(SortMode::TextDescending)
                                   << QStringList(text.rbegin(), text.rend());
        // Column 1 is the main key, column 2 breaks ties; letter case does not count.
        const Rows keys = {{"1", "civil", "b"}, {"2", "Mech", "a"}, {"3", "Civil", "A"}, {"4", "admin", "z"},
                           {"5", "MECH", "0"}};
        const QStringList byKeys = {"4", "3", "1", "5", "2"};
        QTest::newRow("dragged down and right") << keys << Block{2, 1, 6, 2} << int(SortMode::TextAscending) << byKeys;
        QTest::newRow("dragged up and left") << keys << Block{6, 2, 2, 1} << int(SortMode::TextAscending) << byKeys;
        QTest::newRow("dragged up and right") << keys << Block{6, 1, 2, 2} << int(SortMode::TextAscending) << byKeys;
        // Equal rows keep their order; "x" holds no number and counts as 0.
        const Rows equal = {{"a", "2"}, {"b", "1"}, {"c", "2"}, {"d", "x"}, {"e", "1"}};
        QTest::newRow("equal rows") << equal << Block{2, 1, 6, 1} << int(SortMode::NumericDescending)
                                    << QStringList{"a", "c", "b", "e", "d"};
        QTest::newRow("one row stays") << equal << Block{5, 0, 5, 1} << int(SortMode::TextDescending)
                                       << QStringList{"a", "b", "c", "d", "e"};
    }
    void sortBlock()
    {
        QFETCH(Rows, rows);
        QFETCH(Block, block);
        QFETCH(int, mode);
        QFETCH(QStringList, order);
        GridModel g;
        fill(g, 2, rows);
        const int last = 1 + int(rows.size());
        for (int r = 2; r <= last; ++r)
            g.setCell(r, 60, "far " + g.cell(r, 0));
        g.setCell(1, 1, "header");
        g.setCell(last + 1, 1, "after");
        queries::sortBlock(g, block, SortMode(mode));
        QCOMPARE(column(g, 0, 2, last), order);
        for (int r = 2; r <= last; ++r)
            QCOMPARE(g.cell(r, 60), "far " + g.cell(r, 0));
        QCOMPARE(g.cell(1, 1), QString("header"));
        QCOMPARE(g.cell(last + 1, 1), QString("after"));
    }

    // Empty order: refused, nothing moves. Columns 0 to 10 move, the rest stays.
    void dateSort_data()
    {
        QTest::addColumn<Block>("block");
        QTest::addColumn<bool>("latestFirst");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Sort Ascending (Dates): latest on top") << Block{6, 1, 2, 0} << true
                                                               << QStringList{"c", "a", "d", "b", "e"};
        QTest::newRow("Sort Descending (Dates): earliest on top") << Block{6, 1, 2, 0} << false
                                                                  << QStringList{"e", "b", "a", "d", "c"};
        QTest::newRow("blank row before the footer") << Block{2, 1, 7, 1} << false << QStringList();
        QTest::newRow("footer line") << Block{2, 1, 8, 1} << false << QStringList();
        QTest::newRow("names") << Block{2, 2, 6, 2} << true << QStringList();
    }
    void dateSort()
    {
        QFETCH(Block, block);
        QFETCH(bool, latestFirst);
        QFETCH(QStringList, order);
        GridModel g;
        // Equal dates ("a" and "d") keep their order; the forms the grid shows are all read.
        fill(g, 2, {{"a", "20/03/2008", "Ravi"}, {"b", "20 Feb 2008", "Asha"}, {"c", "2009-01-20", "Mary"},
                    {"d", "20 Mar 2008", "Joe"}, {"e", "05/01/1999", "Sam"}});
        g.setCell(8, 1, "Report Generated by Karvela Software on 1 Jan 2024");
        for (int r = 2; r <= 6; ++r) {
            g.setCell(r, 10, "ten " + g.cell(r, 0));
            g.setCell(r, 11, "stays " + QString::number(r));
        }
        QCOMPARE(queries::sortBlockByDate(g, block, latestFirst), !order.isEmpty());
        QCOMPARE(column(g, 0, 2, 6), order.isEmpty() ? QStringList({"a", "b", "c", "d", "e"}) : order);
        for (int r = 2; r <= 6; ++r) {
            QCOMPARE(g.cell(r, 10), "ten " + g.cell(r, 0));
            QCOMPARE(g.cell(r, 11), "stays " + QString::number(r));
        }
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
            QVERIFY(a < b || (a == b && g.cell(r - 1, 0).toInt() < g.cell(r, 0).toInt()));
        }
    }

    // --- Clipboard block text ---------------------------------------------------

    void copyThenPaste()
    {
        GridModel g;
        fill(g, 2, {{"1", "10000001", "Asha"}, {"2", "10000002", "Ravi"}, {"3", "10000003", "Mary"}});
        queries::ClipState clip;
        QString text;
        for (const Block& block : {Block{4, 2, 2, 1}, Block{2, 1, 4, 2}}) {
            text = clip.copy(g, block, "LIST OF EMPLOYEES", "Items found = 3");
            QCOMPARE(text, QString("LIST OF EMPLOYEES\r\nItems found = 3\r\n"
                                   "10000001\tAsha\r10000002\tRavi\r10000003\tMary"));
            QCOMPARE(QList<int>({clip.ClipRows, clip.ClipCols, clip.CutMark}),
                     QList<int>({block.r2 - block.r1, block.c2 - block.c1, 0}));
        }
        // Pasted, the title comes first, cut to the block; a Copy may be pasted again.
        bool clear = true;
        QCOMPARE(clip.paste(g, text, 10, 3, clear), (Block{10, 3, 12, 4}));
        QVERIFY(!clear && clip.pasteEnabled);
        QCOMPARE(column(g, 3, 10, 13), QStringList({"LIST OF EMPLOYEES", "Items found = 3", "10000001", ""}));
        QCOMPARE(column(g, 4, 10, 12), QStringList({"", "", "Asha"}));
        // The cursor cell alone.
        QCOMPARE(clip.copy(g, Block{3, 2, 3, 2}, "T", "C"), QString("T\r\nC\r\nRavi"));
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
        QCOMPARE(column(g, 0, 2, 3) + column(g, 1, 2, 3) + column(g, 2, 2, 3),
                 QStringList({"", "", "", "", "keep", "keep"}));
        QCOMPARE(clip.CutMark, 313);
        bool clear = false;
        // Pasted at the cursor, the block extends the way it was selected.
        const Block target = clip.paste(g, text, 8, 5, clear);
        QCOMPARE(target, (Block{8, 5, 8 + block.r2 - block.r1, 5 + block.c2 - block.c1}));
        QCOMPARE(g.cell(target.top(), target.left()) + g.cell(target.bottom(), target.right()), QString("ad"));
        QVERIFY(clear && !clip.pasteEnabled);
        QCOMPARE(QList<int>({clip.CutMark, clip.ClipRows, clip.ClipCols}), QList<int>({0, 0, 0}));
    }

    void pasteLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Block>("block");
        QTest::addColumn<QString>("cells"); // rows 0-2 (space between), columns 0-2 ("|" between)
        QTest::newRow("into the cursor cell alone") << "x\ty\rz" << Block{0, 0, 0, 0} << "x|o|o o|o|o o|o|o";
        QTest::newRow("CRLF is one break") << "x\ty\r\nz" << Block{0, 0, 2, 1} << "x|y|o z|o|o o|o|o";
        QTest::newRow("LF alone breaks too") << "x\ny\n" << Block{0, 0, 2, 0} << "x|o|o y|o|o o|o|o";
        QTest::newRow("lone CRs") << "x\r\ry" << Block{0, 0, 2, 0} << "x|o|o |o|o y|o|o";
        QTest::newRow("cut to the block") << "1\t2\t3\r4\t5\t6\r7\t8\t9" << Block{0, 0, 1, 1} << "1|2|o 4|5|o o|o|o";
        QTest::newRow("empty cells reached") << "\t\r\t" << Block{0, 0, 2, 2} << "||o ||o o|o|o";
        QTest::newRow("empty clipboard") << "" << Block{0, 0, 2, 2} << "o|o|o o|o|o o|o|o";
    }
    void pasteLayout()
    {
        QFETCH(QString, text);
        QFETCH(Block, block);
        QFETCH(QString, cells);
        GridModel g;
        fill(g, 0, Rows(3, QStringList{"o", "o", "o"}));
        queries::layText(g, text, block);
        QStringList laid;
        for (int r = 0; r < 3; ++r)
            laid << QStringList({g.cell(r, 0), g.cell(r, 1), g.cell(r, 2)}).join('|');
        QCOMPARE(laid.join(' '), cells);
    }

    void pasteBeforeAnyCopyClearClipAndSelectAll()
    {
        GridModel g;
        queries::ClipState clip;
        QVERIFY(clip.pasteEnabled);
        bool clear = true;
        QCOMPARE(clip.paste(g, "first\tsecond\rthird", 4, 4, clear), (Block{4, 4, 4, 4}));
        QCOMPARE(g.cell(4, 4) + g.cell(4, 5), QString("first"));
        QVERIFY(!clear);
        clip.clearClip();
        QVERIFY(!clip.pasteEnabled);
        // A block selected upwards from row 0 cannot reach above the grid.
        clip.copy(g, Block{3, 0, 0, 0}, "T", "C");
        QCOMPARE(clip.paste(g, "a\rb", 1, 0, clear), (Block{1, 0, 1, 0}));
        // After a query that found 3 rows (UsedRows 7): rows 0 to 7.
        QCOMPARE(queries::selectAllBlock(7, 49), (Block{0, 0, 7, 49}));
    }
};

QTEST_GUILESS_MAIN(TestSorting)
#include "test_sorting.moc"
