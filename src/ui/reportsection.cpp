#include "ui/reportsection.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/logo.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "app/startfailure.h"
#include "reports/builders.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "store/schema.h"
#include "ui/common.h"
#include "ui/dataentpwd.h"
#include "ui/employeepicker.h"
#include "ui/main.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportgrid.h"
#include "ui/reportoutput.h"
#include "ui/windowplace.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QShortcut>
#include <QStandardItemModel>

namespace ui {

ReportSection::ReportSection(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("ReportSection"));
    setWindowTitle(QStringLiteral("REPORT SECTION"));
    resize(1100, 700);

    // Menus.
    DataEntryAction = menuBar()->addAction(QStringLiteral("&Data Entries"));
    DataEntryAction->setObjectName(QStringLiteral("DataEntry"));
    AboutAction = menuBar()->addAction(QStringLiteral("&About"));
    AboutAction->setObjectName(QStringLiteral("About"));
    ExitzAction = menuBar()->addAction(QStringLiteral("E&xit"));
    ExitzAction->setObjectName(QStringLiteral("Exitz"));
    connect(DataEntryAction, &QAction::triggered, this, &ReportSection::showPasswordDialog);
    connect(AboutAction, &QAction::triggered, this, [] { showAbout(); });
    connect(ExitzAction, &QAction::triggered, this, [] { app::endProgram(0); });
    addReportFileMenu(this);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QHBoxLayout(central);

    // Left: the report and query panels, the pickers, data entry and logo.
    auto* left = new QVBoxLayout();
    outer->addLayout(left, 0);

    auto* logoRow = new QHBoxLayout();
    Image1 = named(new QLabel(central), QStringLiteral("Image1"));
    Image1->setPixmap(drawnLogo(48, QColor(0x1f, 0x5f, 0x8b), QStringLiteral("K")));
    logoRow->addWidget(Image1);
    MediaPlayer1 = new LogoPlayer(48, central);
    logoRow->addWidget(MediaPlayer1);
    auto* name = new QLabel(QStringLiteral("<b>Karvela</b><br>Job cards and ED reports"), central);
    logoRow->addWidget(name, 1);
    left->addLayout(logoRow);

    auto* reportBox = new QGroupBox(QStringLiteral("Reports"), central);
    reportBox->setObjectName(QStringLiteral("Frame1"));
    reportPanel = new QVBoxLayout(reportBox);
    left->addWidget(reportBox);

    Frame5 = named(new QGroupBox(QStringLiteral("Select Query"), central), QStringLiteral("Frame5"));
    queryPanel = new QVBoxLayout(Frame5);
    Combo5[0] = named(new QComboBox(Frame5), QStringLiteral("Combo5"), 0);
    Combo5[1] = named(new QComboBox(Frame5), QStringLiteral("Combo5"), 1);
    Combo7 = named(new QComboBox(Frame5), QStringLiteral("Combo7"));
    Frame5->hide();
    left->addWidget(Frame5);

    auto* pickBox = new QGroupBox(QStringLiteral("Department, employee and period"), central);
    pickBox->setObjectName(QStringLiteral("Frame2"));
    auto* pg = new QGridLayout(pickBox);
    pickers = new EmployeePicker(pickBox);
    Combo4 = pickers->department;
    Combo1 = pickers->employee;
    Label7 = pickers->employeeId;
    Check1 = named(new QCheckBox(QStringLiteral("Include Superannuated Employees"), pickBox), QStringLiteral("Check1"));
    periods = new PeriodPickers(pickBox, PeriodPickers::Kind::Report);
    pickers->placeIn(pg, 3);
    pg->addWidget(Check1, 2, 0, 1, 4);
    periods->placeIn(pg, 3);
    left->addWidget(pickBox);

    List5 = named(new QListWidget(central), QStringLiteral("List5"));
    List2 = named(new QListWidget(central), QStringLiteral("List2"));
    List3 = named(new QListWidget(central), QStringLiteral("List3"));
    for (QListWidget* l : {List5, List2, List3})
        l->hide();

    Frame4 = named(new QGroupBox(central), QStringLiteral("Frame4"));
    Frame4->setCursor(Qt::PointingHandCursor);
    auto* de = new QHBoxLayout(Frame4);
    Image2 = named(new QLabel(Frame4), QStringLiteral("Image2"));
    Image2->setPixmap(drawnLogo(32, QColor(0x2e, 0x7d, 0x32), QStringLiteral("D")));
    Label8 = named(new QLabel(QStringLiteral("DATA ENTRY"), Frame4), QStringLiteral("Label8"));
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);
    Label15 = named(new QLabel(QStringLiteral("Job cards, job master and job status"), Frame4),
                    QStringLiteral("Label15"));
    de->addWidget(Image2);
    auto* deText = new QVBoxLayout();
    deText->addWidget(Label8);
    deText->addWidget(Label15);
    de->addLayout(deText, 1);
    left->addWidget(Frame4);
    for (QWidget* w : {static_cast<QWidget*>(Frame4), static_cast<QWidget*>(Image2), static_cast<QWidget*>(Label8),
                       static_cast<QWidget*>(Label15)})
        hooks(w)->onClick = [this] { showPasswordDialog(); };
    left->addStretch(1);

    // Right: title lines, the grid, the elapsed time.
    auto* right = new QVBoxLayout();
    outer->addLayout(right, 1);
    Label1[0] = named(new QLabel(central), QStringLiteral("Label1"), 0);
    Label1[1] = named(new QLabel(central), QStringLiteral("Label1"), 1);
    Label1[0]->setFont(bold);
    right->addWidget(Label1[0]);
    right->addWidget(Label1[1]);
    FlxGrid = named(new ReportGrid(central), QStringLiteral("Flx"));
    Flx = FlxGrid;
    grid = new reports::GridModel(this);
    FlxGrid->setGridModel(grid);
    right->addWidget(Flx, 1);
    auto* bottom = new QHBoxLayout();
    Label2 = named(new QLabel(QStringLiteral("Please wait...!"), central), QStringLiteral("Label2"));
    ProgressBar1 = named(new QProgressBar(central), QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    Label5 = named(new QLabel(central), QStringLiteral("Label5"));
    bottom->addWidget(Label2);
    bottom->addWidget(ProgressBar1, 1);
    bottom->addStretch();
    bottom->addWidget(Label5);
    right->addLayout(bottom);

    StatusBar1 = named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    StatusPanel1 = named(new QLabel(StatusBar1), QStringLiteral("StatusBar1_1"));
    StatusBar1->addWidget(StatusPanel1, 1);
    setStatusBar(StatusBar1);

    connect(pickers, &EmployeePicker::departmentChosen, this, &ReportSection::departmentChosen);
    connect(pickers, &EmployeePicker::employeeChosen, this, &ReportSection::employeeChosen);
    connect(Check1, &QCheckBox::clicked, this, &ReportSection::check1Clicked);
    for (int i = 0; i < 3; ++i) {
        connect(periods->from[i], &QComboBox::currentIndexChanged, this, &ReportSection::periodChosen);
        connect(periods->to[i], &QComboBox::currentIndexChanged, this, &ReportSection::periodChosen);
    }
    buildReportPanel();
    setupQueryPanel();
    setupKeys();
    // Within the screen, content scrolling; back where the user left it.
    scrollContent(this);
    rememberPlace(this, QStringLiteral("Report"), true);
}

void ReportSection::setupKeys()
{
    // The options of the panel on show: Ctrl+1 to Ctrl+9 and Ctrl+0 the
    // first ten, Ctrl+Shift+1 to 3 the rest.
    const auto optionKey = [](int i) {
        if (i < 9)
            return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i));
        if (i == 9)
            return QKeySequence(Qt::CTRL | Qt::Key_0);
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key(Qt::Key_1 + i - 10));
    };
    for (int i = 0; i < queries::kQueryCount; ++i) {
        const QKeySequence key = optionKey(i);
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, this, [this, i] {
            QAbstractButton* b = QueryMode ? static_cast<QAbstractButton*>(Option2[i])
                                           : (i < reports::kOptionCount ? Option1[i] : nullptr);
            if (b && b->isVisible() && b->isEnabled()) {
                b->setFocus(Qt::ShortcutFocusReason);
                b->click();
            }
        });
        const QString tip = QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
        Option2[i]->setToolTip(plainCaption(Option2[i]->text()) + tip);
        if (i < reports::kOptionCount)
            Option1[i]->setToolTip(plainCaption(Option1[i]->text()) + tip);
    }
    // F5 runs the panel on show: Generate Report or Show. One shortcut for
    // both, since two on one key in a window would leave it ambiguous.
    {
        const QKeySequence f5(Qt::Key_F5);
        auto* s = new QShortcut(f5, this);
        connect(s, &QShortcut::activated, this, [this] {
            for (QAbstractButton* b : {static_cast<QAbstractButton*>(GenerateRpt), static_cast<QAbstractButton*>(GenerateList)})
                if (b->isVisible() && b->isEnabled()) {
                    b->click();
                    return;
                }
        });
        for (QAbstractButton* b : {static_cast<QAbstractButton*>(GenerateRpt), static_cast<QAbstractButton*>(GenerateList)})
            b->setToolTip(plainCaption(b->text()) + QStringLiteral(" (") + f5.toString(QKeySequence::NativeText) +
                          QLatin1Char(')'));
    }

    // The menus' commands.
    giveKey(DataEntryAction, QKeySequence(Qt::CTRL | Qt::Key_D));
    Frame4->setToolTip(DataEntryAction->toolTip());
    giveKey(QueriesAction, QKeySequence(Qt::CTRL | Qt::Key_U));
    giveKey(HelpAction, QKeySequence(Qt::SHIFT | Qt::Key_F1));
    giveKey(AboutAction, QKeySequence(Qt::CTRL | Qt::Key_B));
    giveKey(ExitzAction, QKeySequence(Qt::CTRL | Qt::Key_Q));
    const struct {
        QAction* action;
        QKeySequence key;
    } sorts[] = {
        {AscNo, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_1)},
        {DescNo, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_2)},
        {SortMaxMin, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_3)},
        {SortMinMax, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_4)},
        {Alphabet, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_5)},
        {AlphabetRev, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_6)},
        {Normalize, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_0)},
    };
    for (const auto& s : sorts)
        giveKey(s.action, s.key);
    Sortz->setToolTipsVisible(true);
    // The grid's pop-up commands work from the keyboard too, while the
    // grid has the focus (the boxes keep their own clipboard keys).
    const struct {
        QAction* action;
        QKeySequence key;
    } clip[] = {
        {popCopy, QKeySequence::Copy},
        {popCut, QKeySequence::Cut},
        {popPaste, QKeySequence::Paste},
        {popSelectAll, QKeySequence::SelectAll},
        {popClearClip, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
    };
    for (const auto& c : clip) {
        giveKey(c.action, c.key);
        c.action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        Flx->addAction(c.action);
    }
    pop->setToolTipsVisible(true);
    Flx->setToolTip(QStringLiteral("Copy (Ctrl+C), Cut (Ctrl+X), Paste (Ctrl+V), Select All (Ctrl+A), "
                                   "ClearClip (Ctrl+Shift+Del)"));
    // The File menu's commands that have no key yet.
    if (auto* file = findChild<QMenu*>(QStringLiteral("FileMenu"))) {
        for (QAction* a : file->actions()) {
            const QString n = a->objectName();
            if (n == QLatin1String("PrintPreview"))
                giveKey(a, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
            else if (n == QLatin1String("FitToWidth"))
                giveKey(a, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
            else if (n == QLatin1String("ExportXlsx"))
                giveKey(a, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X));
            else if (n == QLatin1String("ExportCsv"))
                giveKey(a, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
            else if (!a->shortcut().isEmpty())
                a->setToolTip(plainCaption(a->text()) + QStringLiteral(" (") +
                              a->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));
        }
        file->setToolTipsVisible(true);
    }

    // Tab order: the left column top to bottom (the report options or the
    // query panel, then the pickers), then the grid.
    QList<QWidget*> order;
    for (QRadioButton* o : Option1)
        order << o;
    order << GenerateRpt << Option2[0] << Combo7 << Option2[1] << Option2[2] << Option2[3] << Option2[4] << Combo5[0]
          << Combo5[1] << Option2[5] << Text1 << Option2[6] << Option2[7] << Text2 << Combo6 << Option2[8] << Text3;
    for (int i = 9; i < queries::kQueryCount; ++i)
        order << Option2[i];
    order << GenerateList << Combo4 << Combo1 << Check1;
    for (QComboBox* b : periods->from)
        order << b;
    for (QComboBox* b : periods->to)
        order << b;
    order << Flx;
    tabInOrder(order);
    // Tab leaves the grid; the arrow keys move within it.
    Flx->setTabKeyNavigation(false);
}

void ReportSection::setProgress(int value)
{
    ProgressBar1->setValue(value);
}

bool ReportSection::load()
{
    show();
    setCursor(Qt::WaitCursor);
    app::globals() = app::readGlobals();
    setProgress(5);
    Windows& w = windows();
    if (!w.pwd)
        w.pwd = new DataEntPwd();
    setProgress(10);
    if (!loadStartUpData())
        return false;
    setProgress(80);
    try {
        SearchGrades();
    } catch (const store::DbError&) {
    }
    setProgress(85);
    FillSearchFields();
    setProgress(90);
    if (Combo4->count() > 0)
        selectEntry(Combo4, app::defaultDepartmentIndex(app::globals().Department, Combo4->count()));
    if (w.main)
        w.pwd->Label3->setText(QStringLiteral("Currently Set Deptt. is ") + w.main->departmentPicker->currentText().left(17));
    LoadMyLogo();
    setProgress(95);
    try {
        SearchLeadDeptts();
    } catch (const store::DbError&) {
    }
    setProgress(100);
    Label2->hide();
    ProgressBar1->hide();
    unsetCursor();
    return true;
}

bool ReportSection::loadStartUpData()
{
    setProgress(15);
    try {
        store::connectDatabase();
    } catch (const store::DbError& e) {
        app::showStartFailure(app::kNoDataSource, e);
        app::endProgram(1);
        return false;
    }
    try {
        store::checkTables();
        LoadMonths();
        FindDuration();
        setProgress(20);
        SearchDeptts();
        setProgress(28);
        FillEmployees();
        setProgress(35);
        Main* m = ensureMain();
        m->LoadMonths();
        m->FindDuration();
        m->SearchDeptts();
        m->FillEmployees();
        setProgress(55);
        LoadMyLogo();
        setProgress(70);
        m->LoadMyLogo();
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject) {
            app::showStartFailure(app::kBadTables, e);
            app::endProgram(1);
            return false;
        }
        // Any other failure ends the loading here; the window goes on.
    }
    return true;
}

void ReportSection::LoadMonths()
{
    periods->loadMonths(app::today(), app::calendar::startDay(app::globals().StartDate));
}

void ReportSection::FindDuration()
{
    if (const auto p = periods->findDuration()) {
        FromDate = p->from;
        ToDate = p->to;
        PeriodDays = p->days;
    }
}

void ReportSection::SearchDeptts()
{
    const QStringList depts = app::departments();
    fillSilently(Combo5[1], QStringList{QStringLiteral("All Departments")} + depts);
    if (!pickers->fillDepartments(depts))
        return;
    selectEntry(Combo4, 0);
    selectEntry(Combo5[1], 0);
}

void ReportSection::FillEmployees()
{
    const QList<app::Employee> rows =
        handedEmployees ? app::listedEmployees(*handedEmployees, Check1->isChecked(), app::today())
                        : app::listedEmployees(Combo4->currentText(), Check1->isChecked(), app::today());
    fillSilently(Combo1, {});
    QStringList names, ids, designations;
    for (const app::Employee& e : rows) {
        names << e.name;
        ids << QString::number(e.empId);
        designations << e.designation;
    }
    for (auto [list, entries] : {std::pair{List5, names}, std::pair{List2, ids}, std::pair{List3, designations}}) {
        list->clear();
        list->addItems(entries);
    }
    if (!pickers->fillEmployees(names, ids))
        return;
    EmpCount = names.size();
}

void ReportSection::SearchGrades()
{
    fillSilently(Combo5[0], QStringList{QStringLiteral("ALL")} + app::grades());
    selectEntry(Combo5[0], 0);
}

void ReportSection::SearchLeadDeptts()
{
    fillSilently(Combo7, app::leadDepartments());
    selectEntry(Combo7, 0);
}

void ReportSection::LoadMyLogo()
{
    if (MediaPlayer1->playLogoFile())
        Image1->hide();
}

void ReportSection::departmentChosen()
{
    try {
        FillEmployees();
    } catch (const store::DbError&) {
    }
    Option1Click(ReportType);
}

void ReportSection::employeeChosen()
{
    Option1Click(ReportType);
}

void ReportSection::periodChosen()
{
    if (QueryMode) {
        queryPeriodChosen();
        return;
    }
    FindDuration();
    showPeriodLabel();
}

void ReportSection::check1Clicked()
{
    if (QueryMode) {
        app::dialogs().message(QStringLiteral("IT IS NOT EFFECTIVE FOR QUERIES"), app::style::Information);
        return;
    }
    try {
        FillEmployees();
    } catch (const store::DbError&) {
    }
}

void ReportSection::showPasswordDialog()
{
    Windows& w = windows();
    if (!w.pwd)
        w.pwd = new DataEntPwd();
    w.pwd->show();
    w.pwd->raise();
    w.pwd->activateWindow();
}

void ReportSection::closeEvent(QCloseEvent* e)
{
    e->accept();
    app::endProgram(0);
}

} // namespace ui
