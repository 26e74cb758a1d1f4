// The report window's query panel, the Sortz menu and the grid's pop-up
// menu with its clipboard commands.

#include "ui/reportsection.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/settings.h"
#include "queries/gridtools.h"
#include "queries/headers.h"
#include "queries/panel.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "ui/common.h"
#include "ui/periodpickers.h"
#include "ui/usermanual.h"

#include <QAbstractButton>
#include <QClipboard>
#include "ui/reportoutput.h"
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>

#include <functional>

namespace ui {

namespace {

// Runs a function on the events of a widget; returning true swallows the
// event.
class EventTap : public QObject {
public:
    EventTap(QObject* target, std::function<bool(QEvent*)> f) : QObject(target), f_(std::move(f))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override { return f_(e); }

private:
    std::function<bool(QEvent*)> f_;
};

QAction* menuItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void separator(QMenu* menu, const QString& name)
{
    menu->addSeparator()->setObjectName(name);
}

} // namespace

void ReportSection::setupQueryPanel()
{
    // The panel: each option with the inputs it reads.
    auto* g = new QGridLayout();
    queryPanel->addLayout(g);
    const QStringList captions = queries::optionCaptions();
    for (int i = 0; i < queries::kQueryCount; ++i) {
        Option2[i] = named(new QRadioButton(captions[i], Frame5), QStringLiteral("Option2"), i);
        // An option runs when it becomes chosen, by the user or the program,
        // and when the user clicks it again while it is chosen.
        connect(Option2[i], &QRadioButton::pressed, this, [this, i] { optionWasChosen = Option2[i]->isChecked(); });
        connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                option2Clicked(i);
        });
        connect(Option2[i], &QRadioButton::clicked, this, [this, i] {
            if (optionWasChosen)
                option2Clicked(i);
            optionWasChosen = false;
        });
    }
    Text1 = named(new QLineEdit(QStringLiteral("25-35"), Frame5), QStringLiteral("Text1"));
    Text1->setMaximumWidth(60);
    Text2 = named(new QLineEdit(QString::fromLatin1(queries::kSampleSearch), Frame5), QStringLiteral("Text2"));
    Combo6 = named(new QComboBox(Frame5), QStringLiteral("Combo6"));
    Text3 = named(new QLineEdit(QString::fromLatin1(queries::kJobHint), Frame5), QStringLiteral("Text3"));
    GenerateList = named(new QPushButton(QStringLiteral("&Show"), Frame5), QStringLiteral("GenerateList"));

    int row = 0;
    g->addWidget(Option2[0], row, 0);
    g->addWidget(Combo7, row++, 1, 1, 3);
    for (int i = 1; i <= 3; ++i)
        g->addWidget(Option2[i], row++, 0, 1, 4);
    g->addWidget(Option2[4], row, 0);
    g->addWidget(Combo5[0], row++, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("in"), Frame5), row, 0, Qt::AlignRight);
    g->addWidget(Combo5[1], row++, 1, 1, 3);
    g->addWidget(Option2[5], row, 0);
    auto* age = new QHBoxLayout();
    age->addWidget(named(new QLabel(QStringLiteral("Between"), Frame5), QStringLiteral("AgeBetween")));
    age->addWidget(Text1);
    age->addWidget(named(new QLabel(QStringLiteral("years"), Frame5), QStringLiteral("AgeYears")));
    age->addStretch();
    g->addLayout(age, row++, 1, 1, 3);
    g->addWidget(named(new QLabel(QStringLiteral("Enter in format like:     23-35"), Frame5), QStringLiteral("AgeHint")),
                 row++, 1, 1, 3);
    g->addWidget(Option2[6], row++, 0, 1, 4);
    g->addWidget(Option2[7], row, 0);
    g->addWidget(Text2, row++, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("in"), Frame5), row, 0, Qt::AlignRight);
    g->addWidget(Combo6, row++, 1, 1, 3);
    g->addWidget(Option2[8], row, 0);
    g->addWidget(Text3, row++, 1, 1, 3);
    g->addWidget(Option2[9], row++, 0, 1, 4);
    g->addWidget(Option2[10], row++, 0, 1, 4);
    g->addWidget(Option2[11], row++, 0, 1, 4);
    g->addWidget(Option2[12], row++, 0, 1, 4);
    g->addWidget(GenerateList, row++, 0, 1, 4);
    g->setColumnStretch(1, 1);

    connect(GenerateList, &QPushButton::clicked, this, &ReportSection::GenerateListClicked);
    // The inputs' own clicks keep the title of their query up to date.
    const auto retitle = [this](int index) {
        if (QueryMode && Option2[index]->isChecked())
            Label1[0]->setText(queries::queryTitle(index, queryInputs(), [this] {
                QStringList c;
                for (QRadioButton* o : Option2)
                    c << o->text();
                return c;
            }()));
    };
    connect(Combo7, &QComboBox::currentIndexChanged, this, [retitle] { retitle(queries::LeadJobs); });
    connect(Combo5[0], &QComboBox::currentIndexChanged, this, [retitle] { retitle(queries::GradeEmps); });
    connect(Combo5[1], &QComboBox::currentIndexChanged, this, [retitle] { retitle(queries::GradeEmps); });
    connect(Combo6, &QComboBox::currentIndexChanged, this, [retitle] { retitle(queries::SearchEmp); });
    new EventTap(Text3, [this](QEvent* e) {
        // Focus coming back with the window or after a pop-up is not the
        // user entering the box.
        if (e->type() == QEvent::FocusIn) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
            if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
                Text3->clear();
        }
        return false;
    });
    hooks(Label7)->onDoubleClick = [this] {
        app::dialogs().message(queries::employeeIdText(Combo1->currentText()), app::style::Information);
    };

    // Status bar panel 2 repeats the query's title.
    StatusPanel2 = named(new QLabel(StatusBar1), QStringLiteral("StatusBar1_2"));
    StatusBar1->addWidget(StatusPanel2, 1);

    // Menus: Queries, Sortz and Help stand before About.
    QueriesAction = new QAction(QStringLiteral("Open &Queries"), this);
    QueriesAction->setObjectName(QStringLiteral("Queries"));
    menuBar()->insertAction(AboutAction, QueriesAction);
    connect(QueriesAction, &QAction::triggered, this, &ReportSection::queriesClicked);

    Sortz = new QMenu(QStringLiteral("&Sort"), this);
    Sortz->setObjectName(QStringLiteral("Sortz"));
    Sortz->menuAction()->setObjectName(QStringLiteral("Sortz"));
    AscNo = menuItem(Sortz, QStringLiteral("AscNo"), QStringLiteral("Sort &Ascending (Nos.)"));
    DescNo = menuItem(Sortz, QStringLiteral("DescNo"), QStringLiteral("Sort &Descending (Nos.)"));
    separator(Sortz, QStringLiteral("sep1"));
    SortMaxMin = menuItem(Sortz, QStringLiteral("SortMaxMin"), QStringLiteral("Sort Ascending (Dates)"));
    SortMinMax = menuItem(Sortz, QStringLiteral("SortMinMax"), QStringLiteral("Sort Descending (Dates)"));
    separator(Sortz, QStringLiteral("sep2"));
    Alphabet = menuItem(Sortz, QStringLiteral("Alphabet"), QStringLiteral("Sort Alpha&betically (A-Z)"));
    AlphabetRev = menuItem(Sortz, QStringLiteral("AlphabetRev"), QStringLiteral("Sort Alpha&betically (Z-A)"));
    separator(Sortz, QStringLiteral("sep3"));
    Normalize = menuItem(Sortz, QStringLiteral("Normalize"), QStringLiteral("Normalize Sorted Data"));
    Normalize->setEnabled(false);
    menuBar()->insertMenu(AboutAction, Sortz);
    using queries::SortMode;
    connect(AscNo, &QAction::triggered, this, [this] { sortGrid(SortMode::NumericAscending); });
    connect(DescNo, &QAction::triggered, this, [this] { sortGrid(SortMode::NumericDescending); });
    connect(Alphabet, &QAction::triggered, this, [this] { sortGrid(SortMode::TextAscending); });
    connect(AlphabetRev, &QAction::triggered, this, [this] { sortGrid(SortMode::TextDescending); });
    // "Ascending (Dates)" puts the latest date on top.
    connect(SortMaxMin, &QAction::triggered, this, [this] { sortGridByDate(true); });
    connect(SortMinMax, &QAction::triggered, this, [this] { sortGridByDate(false); });

    HelpAction = new QAction(QStringLiteral("&Help"), this);
    HelpAction->setObjectName(QStringLiteral("Help"));
    menuBar()->insertAction(AboutAction, HelpAction);
    connect(HelpAction, &QAction::triggered, this, &ReportSection::showHelp);
    auto* manual = new QAction(QStringLiteral("User Manual"), this);
    manual->setObjectName(QStringLiteral("UserManual"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setToolTip(QStringLiteral("User Manual (F1)"));
    menuBar()->insertAction(AboutAction, manual);
    connect(manual, &QAction::triggered, this, [] { openUserManual(); });

    // The grid's pop-up menu, on the right button.
    pop = new QMenu(QStringLiteral("PopupMenu"), this);
    pop->setObjectName(QStringLiteral("pop"));
    popCopy = menuItem(pop, QStringLiteral("popCopy"), QStringLiteral("Copy"));
    popCut = menuItem(pop, QStringLiteral("popCut"), QStringLiteral("Cut"));
    popPaste = menuItem(pop, QStringLiteral("popPaste"), QStringLiteral("Paste"));
    popSelectAll = menuItem(pop, QStringLiteral("popSelectAll"), QStringLiteral("Select All"));
    popClearClip = menuItem(pop, QStringLiteral("popClearClip"), QStringLiteral("ClearClip"));
    connect(popCopy, &QAction::triggered, this, &ReportSection::CopySelection);
    connect(popCut, &QAction::triggered, this, &ReportSection::CutSelection);
    connect(popPaste, &QAction::triggered, this, &ReportSection::PasteClip);
    connect(popSelectAll, &QAction::triggered, this, &ReportSection::selectAllCells);
    connect(popClearClip, &QAction::triggered, this, &ReportSection::ClearClipboard);

    // One rectangular block is selected at a time; the cell where it was
    // started is the cursor cell. The right button opens the pop-up menu
    // and leaves the selection as it is.
    Flx->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Flx->setContextMenuPolicy(Qt::PreventContextMenu);
    new EventTap(Flx->viewport(), [this](QEvent* e) {
        if (e->type() == QEvent::ContextMenu)
            return true;
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() == Qt::RightButton) {
            pop->popup(me->globalPosition().toPoint());
            return true;
        }
        if (me->button() == Qt::LeftButton && !(me->modifiers() & Qt::ShiftModifier))
            selectionAnchor = Flx->indexAt(me->position().toPoint());
        return false;
    });
    connect(Flx->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        // Keyboard moves and the program's own choices start a new block;
        // a drag or a shifted move extends the block from its anchor.
        if (QGuiApplication::mouseButtons() == Qt::NoButton &&
            !(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier))
            selectionAnchor = current;
    });
}

void ReportSection::FillSearchFields()
{
    fillSilently(Combo6, queries::searchFieldNames());
    selectEntry(Combo6, 0);
}

queries::QueryInputs ReportSection::queryInputs() const
{
    queries::QueryInputs in;
    in.leadDepartment = Combo7->currentText();
    in.gradePos = Combo5[0]->currentIndex();
    in.grade = Combo5[0]->currentText();
    in.departmentPos = Combo5[1]->currentIndex();
    in.department = Combo5[1]->currentText();
    in.ageRange = Text1->text();
    in.searchText = Text2->text();
    in.searchField = std::max(0, Combo6->currentIndex());
    in.jobText = Text3->text();
    in.from = FromDate;
    in.to = ToDate;
    in.startDay = app::calendar::startDay(app::globals().StartDate);
    in.today = app::today();
    in.employeeId = Label7->text().trimmed();
    in.employeeName = Combo1->currentText();
    return in;
}

void ReportSection::enableFromPickers()
{
    // The day picker stays locked when the start day fixes it.
    periods->from[0]->setEnabled(true);
    periods->from[2]->setEnabled(true);
    if (app::calendar::startDay(app::globals().StartDate) <= 1)
        periods->from[1]->setEnabled(true);
}

void ReportSection::queriesClicked()
{
    const bool opening = !QueryMode;
    QueriesAction->setText(opening ? QStringLiteral("Close &Queries") : QStringLiteral("Open &Queries"));
    QueryMode = opening;
    Check1->setVisible(!opening);
    Frame5->setVisible(opening);
    // The query panel takes the report options' place.
    if (auto* reportFrame = findChild<QWidget*>(QStringLiteral("Frame1")))
        reportFrame->setVisible(!opening);
    enableFromPickers();
    grid->clearTexts();
    if (opening) {
        grid->setFixed(2, 0);
        if (Option2[0]->isChecked())
            option2Clicked(queries::LeadJobs);
        else
            Option2[0]->setChecked(true);
        return;
    }
    grid->setFixed(2, 3);
    // Back to the first report option, with its click handling.
    if (auto* first = findChild<QAbstractButton*>(QStringLiteral("Option1_0")))
        first->click();
}

void ReportSection::option2Clicked(int index)
{
    QueryIndex = index;
    grid->clearTexts();
    FindDuration();
    Label1[1]->setText(QString::fromLatin1(queries::kCountUnknown));
    const queries::QueryInputs in = queryInputs();
    if (index == queries::Superannuated)
        Option2[index]->setText(queries::superannuatedCaption(in.today));
    if (index == queries::CardHistory)
        Combo1->setEnabled(true); // its employee is the one whose cards are shown
    QStringList captions;
    for (QRadioButton* o : Option2)
        captions << o->text();
    const QString title = queries::queryTitle(index, in, captions);
    Label1[0]->setText(title);
    if (index == queries::JobBooking)
        Label1[1]->setText(queries::periodLine(FromDate, ToDate, in.startDay));
    queries::formatColStrg(*grid);
    StatusPanel2->setText(title);
}

void ReportSection::queryPeriodChosen()
{
    option2Clicked(QueryIndex);
}

void ReportSection::GenerateListClicked()
{
    grid->clearTexts();
    grid->setFixed(grid->fixedRows(), 1);
    queries::QueryResult r;
    try {
        r = queries::runQuery(QueryIndex, queryInputs(), *grid);
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + e.description(), app::style::Critical);
        return;
    }
    if (r.refusal) {
        app::dialogs().message(*r.refusal, app::style::Critical);
        Text1->clear();
        return;
    }
    if (r.from)
        FromDate = *r.from;
    if (r.to)
        ToDate = *r.to;
    if (r.title)
        Label1[0]->setText(*r.title);
    if (r.countLine)
        Label1[1]->setText(*r.countLine);
    if (r.gridFormat)
        GridFormat = *r.gridFormat;
    UsedRows = r.usedRows;
    if (QueryIndex == queries::SearchEmp)
        StatusPanel2->setText(Label1[0]->text());
    // Row 2 and column 1 are the first scrollable ones: back to the start.
    Flx->verticalScrollBar()->setValue(0);
    Flx->horizontalScrollBar()->setValue(0);
}

void ReportSection::showHelp()
{
    app::dialogs().message(queries::helpText(), app::style::OkOnly);
}

// --- Selection, sorting and clipboard -------------------------------------

queries::Block ReportSection::gridSelection() const
{
    const QItemSelectionModel* sm = Flx->selectionModel();
    const QModelIndex current = sm->currentIndex();
    const QItemSelection sel = sm->selection();
    if (sel.isEmpty()) {
        const int r = std::max(0, current.row()), c = std::max(0, current.column());
        return {r, c, r, c};
    }
    int top = sel.first().top(), bottom = sel.first().bottom();
    int left = sel.first().left(), right = sel.first().right();
    for (const QItemSelectionRange& range : sel) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    const auto corner = [&](const QModelIndex& i) {
        return i.isValid() && (i.row() == top || i.row() == bottom) && (i.column() == left || i.column() == right);
    };
    int r1 = top, c1 = left;
    if (corner(selectionAnchor)) {
        r1 = selectionAnchor.row();
        c1 = selectionAnchor.column();
    } else if (corner(current)) {
        r1 = current.row();
        c1 = current.column();
    }
    return {r1, c1, r1 == top ? bottom : top, c1 == left ? right : left};
}

void ReportSection::setGridSelection(const queries::Block& b)
{
    // The grid grows to take the block.
    grid->setCell(b.bottom(), b.right(), grid->cell(b.bottom(), b.right()));
    QItemSelectionModel* sm = Flx->selectionModel();
    const QModelIndex cursor = grid->index(b.r1, b.c1);
    sm->setCurrentIndex(cursor, QItemSelectionModel::NoUpdate);
    sm->select(QItemSelection(grid->index(b.top(), b.left()), grid->index(b.bottom(), b.right())),
               QItemSelectionModel::ClearAndSelect);
    selectionAnchor = cursor;
}

void ReportSection::sortGrid(queries::SortMode mode)
{
    queries::sortBlock(*grid, gridSelection(), mode);
}

void ReportSection::sortGridByDate(bool latestFirst)
{
    if (!queries::sortBlockByDate(*grid, gridSelection(), latestFirst))
        app::dialogs().message(queries::datesOnlyMessage(), app::style::Critical);
}

void ReportSection::CopySelection()
{
    const QString text = clip.copy(*grid, gridSelection(), Label1[0]->text(), Label1[1]->text());
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setMimeData(copyMimeData(*grid, gridSelection(), Label1[0]->text(), Label1[1]->text(), text));
    popPaste->setEnabled(clip.pasteEnabled);
}

void ReportSection::CutSelection()
{
    const QString text = clip.cut(*grid, gridSelection());
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(text);
    popPaste->setEnabled(clip.pasteEnabled);
}

void ReportSection::PasteClip()
{
    QClipboard* cb = QGuiApplication::clipboard();
    const queries::Block cursor = gridSelection();
    bool clearClipboard = false;
    const queries::Block target = clip.paste(*grid, cb->text(), cursor.r1, cursor.c1, clearClipboard);
    setGridSelection(target);
    if (clearClipboard)
        cb->clear();
    popPaste->setEnabled(clip.pasteEnabled);
}

void ReportSection::selectAllCells()
{
    setGridSelection(queries::selectAllBlock(UsedRows, grid->columnCount() - 1));
}

void ReportSection::ClearClipboard()
{
    QGuiApplication::clipboard()->clear();
    clip.clearClip();
    popPaste->setEnabled(false);
}

} // namespace ui
