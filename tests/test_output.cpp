// Reports leaving the program: XLSX and PDF files from the report and query
// commands, job cards to sign, refused output paths, and the spreadsheet
// formats of a copied block.
#include "report_fixture.h"

#include "app/clock.h"
#include "output/clipboard.h"
#include "reports/gridmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <unistd.h>

using namespace testsupport;
using namespace reportfixture;

namespace {

// The first sheet of a workbook, read from its XML: cells by (row, column)
// with whether they are numbers, and the frozen pane's split.
struct Workbook {
    QMap<QPair<int, int>, QPair<QString, bool>> cells;
    int xSplit = -1, ySplit = -1;
};

Workbook readWorkbook(const QString& path)
{
    QStringList shared;
    QXmlStreamReader s(runProgram("unzip", {"-p", path, "xl/sharedStrings.xml"}).out);
    while (!s.atEnd())
        if (s.readNext() == QXmlStreamReader::StartElement && s.name() == QLatin1String("t"))
            shared << s.readElementText();
    Workbook book;
    QXmlStreamReader x(runProgram("unzip", {"-p", path, "xl/worksheets/sheet1.xml"}).out);
    int row = 0, col = 0;
    bool sharedText = false;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == QLatin1String("pane")) {
            book.xSplit = x.attributes().value("xSplit").toInt();
            book.ySplit = x.attributes().value("ySplit").toInt();
        } else if (x.name() == QLatin1String("c")) {
            const QString ref = x.attributes().value("r").toString(); // "AB12": column 27, row 11
            col = 0;
            for (int i = 0; ref[i].isLetter(); ++i)
                col = col * 26 + (ref[i].unicode() - 'A' + 1);
            row = ref.mid(ref.indexOf(QRegularExpression("[0-9]"))).toInt() - 1;
            sharedText = x.attributes().value("t") == QLatin1String("s");
        } else if (x.name() == QLatin1String("v")) {
            const QString v = x.readElementText();
            book.cells[{row, col - 1}] = sharedText ? qMakePair(shared.value(v.toInt()), false) : qMakePair(v, true);
        }
    }
    return book;
}

} // namespace

class TestOutput : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(kToday);
        load();
        bigDepartment("Big", 12, 110);
        bigDepartment("Long", 1, 80, 500);
    }

    // The workbook holds the cells of the tab-separated export: numbers as
    // numeric cells (percentages as fractions), the title lines on top, the
    // pane frozen under the fixed rows and beside the fixed columns.
    void xlsxMatchesTsv_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("xSplit");
        QTest::addColumn<int>("ySplit");
        QTest::newRow("department month")
            << QStringList{"report", "--type", "0", "--department", "Design", "--to", "2008-11-20"} << 3 << 4;
        QTest::newRow("leave month") << QStringList{"report", "--type", "4", "--department", "Works", "--to",
                                                    "2008-11-20", "--employee", "202"}
                                     << 0 << 4;
        QTest::newRow("employees query") << QStringList{"query", "--index", "0"} << 1 << 4;
    }
    void xlsxMatchesTsv()
    {
        QFETCH(QStringList, args);
        QFETCH(int, xSplit);
        QFETCH(int, ySplit);
        const CommandRun tsv = runCommand(args);
        QCOMPARE(tsv.code, 0);
        const QString path = file("out.xlsx");
        const CommandRun xlsx = runCommand(args + QStringList{"--format", "xlsx", "--output", path});
        QCOMPARE(xlsx.code, 0);
        QCOMPARE(xlsx.out, QString());
        const Workbook book = readWorkbook(path);
        QCOMPARE(book.xSplit, xSplit);
        QCOMPARE(book.ySplit, ySplit);

        QStringList lines = tsv.out.split('\n');
        lines.removeLast();
        int filled = 0;
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cells = lines[r].split('\t');
            for (int c = 0; c < cells.size(); ++c) {
                if (cells[c].isEmpty())
                    continue;
                ++filled;
                const auto got = book.cells.value({r, c});
                const auto n = reports::cellNumber(cells[c]);
                QVERIFY2(got.second == bool(n), qPrintable(QString("%1,%2 %3").arg(r).arg(c).arg(cells[c])));
                if (n)
                    QCOMPARE(got.first.toDouble(), n->percent ? n->value / 100 : n->value);
                else
                    QCOMPARE(got.first, cells[c]);
            }
        }
        QCOMPARE(book.cells.size(), filled);
        QVERIFY(QFile::remove(path));
    }

    // A report of three pages: the title and the heading rows on every page,
    // the page numbers, the footer on the last. Cards: one page a card, each
    // with both signature lines; a month without cards is refused.
    void pdfFiles()
    {
        // The pages written, none when the command failed.
        const auto pdf = [this](const QStringList& args) {
            return runCommand(args + QStringList{"--output", file("out.pdf")}).code == 0 ? pdfPages(file("out.pdf"))
                                                                                         : QStringList();
        };
        QStringList pages = pdf({"report", "--type", "0", "--department", "Long", "--to", "2008-11-20", "--format", "pdf"});
        QCOMPARE(pages.size(), 3);
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY(pages[p].contains("MONTHLY ED BOOKING REPORT OF LONG"));
            QVERIFY(pages[p].contains("JOB DESCRIPTION"));
            QVERIFY(pages[p].contains(QStringLiteral("Page %1 of 3").arg(p + 1)));
        }
        QVERIFY(pages[2].contains(kFooter));

        pages = pdf({"cards", "--department", "Big", "--to", "2008-11-20"});
        QCOMPARE(pages.size(), 12);
        for (const QString& p : pages) {
            QVERIFY(p.contains("Signature of the employee"));
            QVERIFY(p.contains("Signature of the head of department"));
        }
        QVERIFY(pages[0].contains("Employee 000"));
        QVERIFY(pages[0].contains("21/10/2008 to 20/11/2008"));
        QVERIFY(pages[0].contains("Total: 17 of 31 days"));
        QCOMPARE(pdf({"cards", "--department", "Big", "--to", "2008-11-20", "--employee", "30000011"}).size(), 1);

        const CommandRun r = runCommand({"cards", "--department", "Big", "--to", "2008-08-20", "--output", file("none.pdf")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("No cards stored for Big for the month ending 20/08/2008.\n"));
        QVERIFY(!QFileInfo::exists(file("none.pdf")));
    }

    // An output path that cannot be written: exit 2 with the reason, and no
    // file (nor a temporary one) left behind.
    void badOutputPaths()
    {
        QTemporaryDir here;
        for (const char* folder : {"folder.xlsx", "folder.pdf", "folder.csv", "locked"})
            QDir(here.path()).mkpath(folder);
        const QString locked = here.filePath("locked");
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const QStringList report = {"report", "--type", "0", "--department", "Design", "--to", "2008-11-20"};
        for (auto [path, reason] : {std::pair<QString, QString>{"missing/out", "does not exist"},
                                    {"folder", "is a folder"}, {"locked/out", "Permission denied"}}) {
            // The superuser writes anywhere; the process table takes no files.
            const bool root = path.startsWith("locked") && geteuid() == 0;
            const QString target = root ? "/proc/karvela-out" : here.filePath(path);
            if (root)
                reason = "cannot be written";
            for (const QStringList& args :
                 {report + QStringList{"--format", "xlsx", "--output", target + ".xlsx"},
                  report + QStringList{"--format", "pdf", "--output", target + ".pdf"},
                  QStringList{"query", "--index", "0", "--format", "csv", "--output", target + ".csv"},
                  QStringList{"cards", "--department", "Big", "--to", "2008-11-20", "--output", target + ".pdf"}}) {
                const CommandRun r = runCommand(args);
                QCOMPARE(r.code, 2);
                QVERIFY2(r.err.contains(reason), qPrintable(r.err));
            }
        }
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // The HTML table and the CSV of a copied block hold the cells of the
    // plain text, without the empty columns after the block's last text.
    void copiedFormats()
    {
        reports::GridModel grid;
        grid.setCell(0, 0, "S.N.");
        grid.setCell(0, 1, "NAME, FULL");
        grid.setCell(1, 0, "1");
        grid.setCell(1, 1, "A <b> & \"c\"");
        grid.setCell(2, 1, "85.5%");
        const queries::Block block{0, 0, 2, 4};
        queries::ClipState clip;
        const QString plain = clip.copy(grid, block, "TITLE", "Rows: 3");
        const QList<QStringList> rows = output::copiedRows(grid, block, "TITLE", "Rows: 3");

        QStringList fromPlain;
        for (const QString& line : plain.split('\r'))
            fromPlain << QString(line).remove('\n').split('\t').join('|').remove(QRegularExpression("\\|+$"));
        QStringList fromHtml;
        const QString html = output::htmlTable(rows);
        for (const QString& tr : html.split("<tr>").mid(1)) {
            QStringList cells;
            QRegularExpressionMatchIterator it = QRegularExpression("<td[^>]*>(.*?)</td>").globalMatch(tr);
            while (it.hasNext()) {
                QString c = it.next().captured(1);
                cells << c.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
            }
            fromHtml << cells.join('|').remove(QRegularExpression("\\|+$"));
        }
        QCOMPARE(fromHtml, fromPlain);
        QCOMPARE(output::csvText(rows), QStringLiteral("TITLE\nRows: 3\nS.N.,\"NAME, FULL\"\n1,\"A <b> & \"\"c\"\"\"\n,85.5%\n"));
    }
};

QTEST_MAIN(TestOutput)
#include "test_output.moc"
