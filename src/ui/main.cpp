#include "ui/main.h"

#include "app/calendar.h"
#include "app/numtext.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "app/clock.h"
#include "app/failurebox.h"
#include "app/dialogs.h"
#include "app/logo.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/database.h"
#include "ui/closedmonth.h"
#include "ui/common.h"
#include "ui/optset.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QApplication>
#include <QWindowStateChangeEvent>

namespace ui {

namespace {
const char* kMission = "Our mission: engineering delivered on time, every day of it accounted for.";
const char* kLeaveCaptions[9] = {"CL", "RH", "HPL", "SL", "EL", "Spl. leave", "LWP", "Misc.", "Holiday"};
const int kLeaveSerials[9] = {5, 4, 3, 1, 2, 6, 7, 8, 9};
} // namespace

Main::Main(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromLatin1(app::kProgramTitle));
    setMouseTracking(true);

    ReportAction = menuBar()->addAction(QStringLiteral("&ReportSection"));
    ReportAction->setObjectName(QStringLiteral("Report"));
    SettingsAction = menuBar()->addAction(QStringLiteral("&Settings"));
    SettingsAction->setObjectName(QStringLiteral("Settings"));
    AboutAction = menuBar()->addAction(QStringLiteral("&About"));
    AboutAction->setObjectName(QStringLiteral("About"));
    ExitAction = menuBar()->addAction(QStringLiteral("E&xit"));
    ExitAction->setObjectName(QStringLiteral("Exit"));
    RecordMenu = new QMenu(QStringLiteral("&Edit/Delete"), this);
    RecordMenu->setObjectName(QStringLiteral("Record"));
    EditRecord = RecordMenu->addAction(QStringLiteral("Open Current &Record to Edit"));
    EditRecord->setObjectName(QStringLiteral("EditRecord"));
    DeleteRecord = RecordMenu->addAction(QStringLiteral("Open Current Record to &Delete"));
    DeleteRecord->setObjectName(QStringLiteral("DeleteRecord"));
    ResetAction = RecordMenu->addAction(QStringLiteral("Rese&t"));
    ResetAction->setObjectName(QStringLiteral("Resetz"));
    menuBar()->insertMenu(AboutAction, RecordMenu);
    EditJob = new QAction(QStringLiteral("Edit&Job"), this);
    EditJob->setObjectName(QStringLiteral("EditJob"));
    menuBar()->insertAction(AboutAction, EditJob);
    connect(EditRecord, &QAction::triggered, this, &Main::EditRecordCommand);
    connect(DeleteRecord, &QAction::triggered, this, &Main::DeleteRecordCommand);
    connect(ResetAction, &QAction::triggered, this, &Main::Resetz);
    connect(EditJob, &QAction::triggered, this, &Main::EditJobCommand);
    connect(ReportAction, &QAction::triggered, this, [this] {
        hide();
        if (windows().report)
            windows().report->show();
    });
    connect(SettingsAction, &QAction::triggered, this, [] {
        OptSet* o = ensureOptSet();
        o->show();
        o->raise();
    });
    connect(AboutAction, &QAction::triggered, this, [] { showAbout(); });
    connect(ExitAction, &QAction::triggered, this, [] { app::endProgram(0); });

    auto* central = new QWidget(this);
    central->setMouseTracking(true);
    setCentralWidget(central);
    auto* outer = new QHBoxLayout(central);
    auto* card = new QVBoxLayout();
    outer->addLayout(card, 5);

    // Banner.
    auto* banner = new QHBoxLayout();
    Image4[0] = named(new QLabel(central), QStringLiteral("Image4"), 0);
    Image4[1] = named(new QLabel(central), QStringLiteral("Image4"), 1);
    Image4[0]->setPixmap(drawnLogo(36, QColor(0x1f, 0x5f, 0x8b), QStringLiteral("K")));
    Image4[1]->setPixmap(drawnLogo(36, QColor(0xb2, 0x6a, 0x00), QStringLiteral("J")));
    Label17 = named(new QLabel(central), QStringLiteral("Label17"));
    Label17->setWordWrap(true);
    Label20 = named(new QLabel(central), QStringLiteral("Label20"));
    banner->addWidget(Image4[0]);
    banner->addWidget(Image4[1]);
    MediaPlayer1 = new LogoPlayer(36, central);
    banner->addWidget(MediaPlayer1);
    banner->addWidget(Label17, 1);
    banner->addWidget(Label20, 1);
    card->addLayout(banner);

    // Period.
    Frame2 = named(new QGroupBox(QStringLiteral("Double Click to lock dates >>"), central), QStringLiteral("Frame2"));
    periods = new PeriodPickers(Frame2, PeriodPickers::Kind::DataEntry);
    auto* pg = new QGridLayout(Frame2);
    pg->addWidget(new QLabel(QStringLiteral("From"), Frame2), 0, 0);
    pg->addWidget(new QLabel(QStringLiteral("To"), Frame2), 1, 0);
    for (int i = 0; i < 3; ++i) {
        pg->addWidget(periods->from[i], 0, 1 + i);
        pg->addWidget(periods->to[i], 1, 1 + i);
    }
    card->addWidget(Frame2);

    // Department and employee.
    auto* who = new QGridLayout();
    Combo4 = named(new QComboBox(central), QStringLiteral("Combo4"));
    Combo1 = named(new QComboBox(central), QStringLiteral("Combo1"));
    Label7 = named(new QLabel(central), QStringLiteral("Label7"));
    who->addWidget(new QLabel(QStringLiteral("Department"), central), 0, 0);
    who->addWidget(Combo4, 0, 1, 1, 2);
    who->addWidget(new QLabel(QStringLiteral("Employee"), central), 1, 0);
    who->addWidget(Combo1, 1, 1);
    who->addWidget(Label7, 1, 2);
    card->addLayout(who);
    // Pickers take no more room than their shortest useful width.
    for (QComboBox* b : {Combo4, Combo1, periods->from[0], periods->from[1], periods->from[2], periods->to[0],
                         periods->to[1], periods->to[2]}) {
        b->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        b->setMinimumContentsLength(b == Combo4 || b == Combo1 ? 12 : 4);
    }

    // Job rows of the card.
    Frame3 = named(new QGroupBox(QStringLiteral("Displaying JobName, JobNo, ED, BalanceED, AllottedED  && JobStatus"),
                                 central),
                   QStringLiteral("Frame3"));
    Frame3->setMouseTracking(true);
    auto* rows = new QGridLayout(Frame3);
    rows->setVerticalSpacing(2);
    rows->setColumnStretch(1, 1);
    for (int r = 0; r < 10; ++r) {
        Label1[r] = named(new QLabel(Frame3), QStringLiteral("Label1"), r);
        Label2[r] = named(new QLabel(Frame3), QStringLiteral("Label2"), r);
        Text1[r] = named(new QLineEdit(Frame3), QStringLiteral("Text1"), r);
        Text9[r] = named(new QLineEdit(Frame3), QStringLiteral("Text9"), r);
        Label14[r] = named(new QLabel(QStringLiteral("%"), Frame3), QStringLiteral("Label14"), r);
        Label1[r]->setMinimumWidth(60);
        Text1[r]->setFixedWidth(50);
        Text9[r]->setFixedWidth(36);
        Text9[r]->setReadOnly(true);
        Text9[r]->setAutoFillBackground(true);
        rows->addWidget(Label1[r], r, 0);
        rows->addWidget(Label2[r], r, 1);
        rows->addWidget(Text1[r], r, 2);
        rows->addWidget(Text9[r], r, 5);
        rows->addWidget(Label14[r], r, 6);
    }
    for (int i = 0; i < 30; ++i) {
        Label6[i] = named(new QLabel(Frame3), QStringLiteral("Label6"), i);
        Label6[i]->setMinimumWidth(50);
        Label6[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i < 20)
            rows->addWidget(Label6[i], i % 10, 3 + i / 10);
    }
    for (int r = 0; r < 10; ++r)
        for (QWidget* w : std::initializer_list<QWidget*>{Label1[r], Label2[r], Text1[r], Text9[r], Label14[r],
                                                          Label6[r], Label6[r + 10], Label6[r + 20]}) {
            QSizePolicy sp = w->sizePolicy();
            if (w == Label2[r])
                sp.setHorizontalPolicy(QSizePolicy::Ignored); // a long name must not widen the card
            sp.setRetainSizeWhenHidden(true);
            w->setSizePolicy(sp);
            w->hide();
        }
    card->addWidget(Frame3, 1);

    // Leave boxes: serials 1-5 on the upper row, 6-9 on the lower row.
    Frame4 = named(new QGroupBox(QStringLiteral("Leaves"), central), QStringLiteral("Frame4"));
    auto* lg = new QGridLayout(Frame4);
    lg->setVerticalSpacing(2);
    lg->setHorizontalSpacing(4);
    for (int i = 0; i < 9; ++i) {
        Text2[i] = named(new QLineEdit(Frame4), QStringLiteral("Text2"), i);
        Text2[i]->setFixedWidth(36);
        Label8[i] = named(new QLabel(QString::fromLatin1(kLeaveCaptions[i]), Frame4), QStringLiteral("Label8"), i);
        Label13[i] = named(new QLabel(QString::number(kLeaveSerials[i]), Frame4), QStringLiteral("Label13"), i);
        const int pos = kLeaveSerials[i] - 1;
        const int row = pos / 5, col = (pos % 5) * 3;
        lg->addWidget(Label13[i], row, col);
        lg->addWidget(Text2[i], row, col + 1);
        lg->addWidget(Label8[i], row, col + 2);
    }
    card->addWidget(Frame4);

    auto* buttons = new QHBoxLayout();
    AddRecord = named(new QPushButton(QStringLiteral("Add Record"), central), QStringLiteral("AddRecord"));
    AddRecord->setEnabled(false);
    card->insertWidget(card->indexOf(Frame2) + 1, new ClosedMonthLine(central, periods, Combo4, AddRecord));
    jobStUpdate = named(new QPushButton(QStringLiteral("Update Status %"), central), QStringLiteral("jobStUpdate"));
    jobStUpdate->setEnabled(false);
    ShowJobs = named(new QPushButton(QStringLiteral("Hide JobList"), central), QStringLiteral("ShowJobs"));
    buttons->addWidget(AddRecord, 1);
    buttons->addWidget(jobStUpdate);
    buttons->addWidget(ShowJobs);
    card->addLayout(buttons);

    // Job lists and search.
    auto* right = new QVBoxLayout();
    outer->addLayout(right, 4);
    Frame1 = named(new QGroupBox(QStringLiteral("Select jobs"), central), QStringLiteral("Frame1"));
    auto* jl = new QGridLayout(Frame1);
    auto list = [this](const char* name) {
        auto* l = named(new QListWidget(Frame1), QString::fromLatin1(name));
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        return l;
    };
    List1 = list("List1");
    List2 = list("List2");
    List3 = list("List3");
    List4 = list("List4");
    List5 = list("List5");
    List6 = list("List6");
    List7 = list("List7");
    List8 = list("List8");
    List6->setSortingEnabled(true);
    for (QListWidget* hidden : {List3, List4, List5, List7, List8})
        hidden->hide();
    List1->setFixedWidth(64);
    List6->setFixedWidth(64);
    Text3 = named(new QLineEdit(Frame1), QStringLiteral("Text3"));
    Text4 = named(new QLineEdit(Frame1), QStringLiteral("Text4"));
    SearchJob = named(new QPushButton(QStringLiteral("Find Job No"), Frame1), QStringLiteral("SearchJob"));
    SearchStrng = named(new QPushButton(QStringLiteral("Find Job"), Frame1), QStringLiteral("SearchStrng"));
    auto* lists = new QHBoxLayout();
    lists->addWidget(List1);
    lists->addWidget(List2, 1);
    lists->addWidget(List6);
    jl->addLayout(lists, 0, 0, 1, 2);
    jl->addWidget(Text3, 1, 0);
    jl->addWidget(SearchJob, 1, 1);
    jl->addWidget(Text4, 2, 0);
    jl->addWidget(SearchStrng, 2, 1);
    right->addWidget(Frame1, 1);

    // Job master.
    Frame5 = named(new QGroupBox(QStringLiteral("Add/ Edit a Job"), central), QStringLiteral("Frame5"));
    auto* jm = new QGridLayout(Frame5);
    jm->setVerticalSpacing(2);
    auto field = [&](const char* name, const char* caption, int row) {
        auto* t = named(new QLineEdit(Frame5), QString::fromLatin1(name));
        jm->addWidget(new QLabel(QString::fromLatin1(caption), Frame5), row, 0);
        jm->addWidget(t, row, 1, 1, 2);
        return t;
    };
    Text5 = field("Text5", "Job No.", 0);
    Text6 = field("Text6", "Job Name", 1);
    Text7 = field("Text7", "ClientCo.", 2);
    Text8 = field("Text8", "Sanct.ED", 3);
    Text10 = field("Text10", "Balance ED", 4);
    Text11 = field("Text11", "Status % ", 5);
    Combo5 = named(new QComboBox(Frame5), QStringLiteral("Combo5"));
    jm->addWidget(new QLabel(QStringLiteral("LeadDeptt"), Frame5), 6, 0);
    jm->addWidget(Combo5, 6, 1, 1, 2);
    AddJob = named(new QPushButton(QStringLiteral("Update"), Frame5), QStringLiteral("AddJob"));
    Cancelz = named(new QPushButton(QStringLiteral("Cancel"), Frame5), QStringLiteral("Cancelz"));
    jm->addWidget(AddJob, 7, 1);
    jm->addWidget(Cancelz, 7, 2);
    Frame5->hide();
    right->addWidget(Frame5);

    StatusBar1 = named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    StatusPanel1 = named(new QLabel(StatusBar1), QStringLiteral("StatusBar1_1"));
    StatusBar1->addWidget(StatusPanel1, 1);
    setStatusBar(StatusBar1);

    // Banner behaviour.
    hooks(Label17)->onClick = [this] { Label17->hide(); };
    hooks(Label20)->onClick = [this] { Label20->hide(); };
    hooks(central)->onMove = [this] { showBanner(); };
    for (QLabel* img : Image4) {
        hooks(img)->onMove = [this] { Image4[0]->hide(); };
        hooks(img)->onPress = [this] { Image4[1]->hide(); };
    }
    hooks(Frame3)->onMove = [this] { Label20->show(); };

    connect(Combo4, &QComboBox::currentIndexChanged, this, &Main::departmentChosen);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Main::employeeChosen);

    // Job lists.
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1DblClick(); });
    connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2DblClick(); });
    connect(List6, &QListWidget::itemDoubleClicked, this, [this] { List6DblClick(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0 && List2->item(i))
            List1->setToolTip(List2->item(i)->text());
    });
    connect(List2, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0 && List1->item(i))
            List2->setToolTip(entry::jobNoTip(List1->item(i)->text()));
    });
    connect(ShowJobs, &QPushButton::clicked, this, &Main::ShowJobsCommand);

    // Card rows and leave boxes.
    for (int r = 0; r < 10; ++r) {
        connect(Text1[r], &QLineEdit::returnPressed, this, [this, r] {
            if (r < Card.lastJobRow)
                Text1[r + 1]->setFocus();
        });
        hooks(Text1[r])->onDoubleClick = [this, r] { Text1[r]->clear(); };
        hooks(Text9[r])->onDoubleClick = [this, r] { Text9DblClick(r); };
        hooks(Label6[r])->onDoubleClick = [this, r] { Label6DblClick(r); };
    }
    for (QLineEdit* t : Text2) {
        connect(t, &QLineEdit::returnPressed, this, &Main::AddRecordCommand);
        hooks(t)->onDoubleClick = [t] { t->clear(); };
    }
    connect(AddRecord, &QPushButton::clicked, this, &Main::AddRecordCommand);
    connect(jobStUpdate, &QPushButton::clicked, this, &Main::JobStUpdate);

    // Search and job master.
    connect(SearchJob, &QPushButton::clicked, this, &Main::SearchJobCommand);
    connect(SearchStrng, &QPushButton::clicked, this, &Main::SearchStrngCommand);
    connect(AddJob, &QPushButton::clicked, this, &Main::AddJobCommand);
    connect(Cancelz, &QPushButton::clicked, this, &Main::CancelzCommand);
    hooks(Frame2)->onDoubleClick = [this] {
        datesLocked_ = true;
        Frame2->setEnabled(false);
    };
    for (int r = 0; r < 10; ++r)
        setStatusOpen(r, false);
}

void Main::load()
{
    try {
        LoadJobLists();
        LoadLeadDeptts();
        StatusPanel1->setText(Combo1->currentText());
        resize(width() < twips(12000) ? twips(12000) : width(), twips(8865));
        Label17->setText(QString::fromLatin1(kMission));
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::OkOnly);
    }
}

void Main::showBanner()
{
    Label17->show();
    Label20->show();
    Image4[0]->show();
    Image4[1]->show();
}

void Main::LoadMonths()
{
    periods->loadMonths(app::today(), app::calendar::startDay(app::globals().StartDate));
}

bool Main::FindDuration()
{
    const auto p = periods->findDuration();
    if (!p)
        return false;
    FromDate = p->from;
    ToDate = p->to;
    PeriodDays = p->days;
    return true;
}

void Main::SearchDeptts()
{
    const QStringList depts = app::departments();
    fillSilently(Combo4, depts);
    if (depts.isEmpty()) {
        app::dialogs().message(QString::fromLatin1(app::kNoDepartment), app::style::Information);
        return;
    }
    selectEntry(Combo4, app::defaultDepartmentIndex(app::globals().Department, depts.size()));
}

void Main::FillEmployees()
{
    const QList<app::EmployeeRow> rows = app::employeesOf(Combo4->currentText());
    const QDate today = app::today();
    QStringList entries;
    EmpIDs.clear();
    for (const app::EmployeeRow& e : rows) {
        if (app::isSuperannuated(e.dob, today))
            continue;
        entries << app::entryEmployeeText(e);
        EmpIDs << QString::number(e.empId);
    }
    fillSilently(Combo1, entries);
    if (entries.isEmpty())
        app::dialogs().message(app::noEmployeeMessage(Combo4->currentText()), app::style::Information);
    else
        selectEntry(Combo1, 0);
    StatusPanel1->setText(Combo1->currentText());
}

void Main::departmentChosen()
{
    try {
        FillEmployees();
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::OkOnly);
    }
}

void Main::employeeChosen()
{
    const int i = Combo1->currentIndex();
    if (i < 0)
        return;
    Label7->setText(EmpIDs.value(i));
    AddRecord->setEnabled(true);
    for (QLineEdit* t : Text2)
        t->clear();
    for (QLineEdit* t : Text1)
        t->clear();
    StatusPanel1->setText(Combo1->currentText());
    Label20->setText(Combo4->currentText() + QStringLiteral("\r\n") + Combo1->currentText());
}

void Main::LoadMyLogo()
{
    if (app::logoFileAccepted(app::logoPath()))
        MediaPlayer1->play();
}

void Main::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMaximized))
        return;
    // A maximized data-entry window goes back to its own width, centred.
    const int maxWidth = screen() ? screen()->availableGeometry().width() : width();
    QTimer::singleShot(0, this, [this, maxWidth] {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        resize(twips(12000), height());
        move((maxWidth - twips(12000)) / 2, y());
    });
}

void Main::closeEvent(QCloseEvent* e)
{
    e->accept();
    app::endProgram(0);
}

// ---- Job lists -------------------------------------------------------------

namespace {

QString textOf(QListWidget* l, int i)
{
    QListWidgetItem* it = i >= 0 ? l->item(i) : nullptr;
    return it ? it->text() : QString();
}

void setListEntry(QListWidget* l, int i, const QString& text)
{
    if (QListWidgetItem* it = l->item(i))
        it->setText(text);
}

void showInfo(const QString& text, int style)
{
    app::dialogs().message(text, style);
}

constexpr int kInfo = app::style::OkOnly + app::style::Information;
constexpr int kExclaim = app::style::OkOnly + app::style::Exclamation;
constexpr int kCritical = app::style::OkOnly + app::style::Critical;

} // namespace

void Main::LoadJobLists()
{
    const QList<entry::JobEntry> jobs = entry::loadJobLists();
    for (QListWidget* l : {List1, List2, List3, List4, List5, List6, List8})
        l->clear();
    for (const entry::JobEntry& j : jobs) {
        List1->addItem(QString::number(j.jobNo));
        List2->addItem(j.name);
        List3->addItem(app::generalNumber(j.balance));
        List4->addItem(app::generalNumber(j.allotted));
        List5->addItem(app::generalNumber(j.status));
        List6->addItem(QString::number(j.jobNo));
        List8->addItem(j.lead);
    }
    if (jobs.isEmpty()) {
        showInfo(QString::fromLatin1(entry::kNoJobs), kInfo);
    } else {
        List1->setCurrentRow(0);
        List2->setCurrentRow(0);
    }
    Frame1->setTitle(entry::listsCaption(List1->count()));
}

void Main::LoadLeadDeptts()
{
    const QStringList leads = app::leadDepartments();
    Combo5->clear();
    Combo5->addItems(leads);
    if (!leads.isEmpty())
        Combo5->setCurrentIndex(0);
}

void Main::RefreshBalances()
{
    // Each balance goes to the entry of its own job.
    const QHash<qint64, double> b = entry::balancesByJob();
    for (int i = 0; i < List1->count(); ++i) {
        const qint64 no = List1->item(i)->text().toLongLong();
        if (b.contains(no))
            setListEntry(List3, i, app::generalNumber(b.value(no)));
    }
}

void Main::EnableCardEntry()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame4, Combo1, AddRecord})
        w->setEnabled(true);
    Frame2->setEnabled(!datesLocked_);
}

void Main::DisableCardEntry()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame2, Frame4, Combo1, AddRecord})
        w->setEnabled(false);
}

void Main::showBalance(int row, double balance)
{
    QLabel* l = Label6[row];
    l->setText(app::generalNumber(balance));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, balance < 0 ? QColor(255, 0, 0) : palette().color(QPalette::ButtonText));
    l->setPalette(p);
}

void Main::setStatusOpen(int row, bool open)
{
    QLineEdit* t = Text9[row];
    t->setReadOnly(!open);
    QPalette p = t->palette();
    p.setColor(QPalette::Base, open ? QColor(Qt::white) : palette().color(QPalette::Window));
    t->setPalette(p);
}

void Main::List1DblClick()
{
    const int i = List1->currentRow();
    if (i < 0)
        return;
    List2->setCurrentRow(i);
    const qint64 no = List1->item(i)->text().toLongLong();
    int r = 0;
    switch (Card.place(no, &r)) {
    case entry::CardJobs::Placed::TooMany:
        showInfo(QString::fromLatin1(entry::kTooManyJobs), kCritical);
        return;
    case entry::CardJobs::Placed::AlreadySelected:
        showInfo(QString::fromLatin1(entry::kAlreadySelected), kExclaim);
        return;
    case entry::CardJobs::Placed::Ok:
        break;
    }
    const double bal = app::leadingNumber(textOf(List3, i));
    Label1[r]->setText(QString::number(no));
    Label1[r]->show();
    Label2[r]->setText(QStringLiteral(" ") + textOf(List2, i));
    Label2[r]->setToolTip(textOf(List2, i));
    Label2[r]->show();
    Text1[r]->show();
    Text9[r]->setText(QString::number(int(entry::roundHalfEven(app::leadingNumber(textOf(List5, i))))));
    Text9[r]->show();
    showBalance(r, bal);
    Label6[r + 10]->setText(textOf(List4, i));
    Label6[r + 10]->show();
    Label6[r + 20]->setText(textOf(List8, i));
    Label6[r]->show();
    Label14[r]->show();
    Credit[r] = 0;
    OldED[r] = 0;
}

void Main::List2DblClick()
{
    showInfo(entry::jobNameHint(textOf(List1, List2->currentRow())), kInfo);
}

void Main::List6DblClick()
{
    const QString no = textOf(List6, List6->currentRow());
    for (int i = 0; i < List1->count(); ++i)
        if (List1->item(i)->text() == no) {
            List1->setCurrentRow(i);
            List1DblClick();
            return;
        }
}

void Main::ShowJobsCommand()
{
    if (isMaximized()) {
        showInfo(QStringLiteral("You can not Resize Screen when Maximized."), kCritical);
        ShowJobs->setText(QStringLiteral("Hide JobList"));
        return;
    }
    if (ShowJobs->text() == QLatin1String("Show JobList")) {
        ShowJobs->setText(QStringLiteral("Hide JobList"));
        Frame1->show();
        Frame5->setVisible(Frame5->property("open").toBool());
        resize(twips(12000), height());
        move(0, y());
    } else {
        ShowJobs->setText(QStringLiteral("Show JobList"));
        Frame5->setProperty("open", !Frame5->isHidden());
        Frame1->hide();
        Frame5->hide();
        move(twips(2445), y());
        resize(twips(6735), height());
    }
}

// ---- Card commands ---------------------------------------------------------

QStringList Main::jobBoxTexts() const
{
    QStringList l;
    for (QLineEdit* t : Text1)
        l << t->text();
    return l;
}

QStringList Main::leaveBoxTexts() const
{
    QStringList l;
    for (QLineEdit* t : Text2)
        l << t->text();
    return l;
}

void Main::AddRecordCommand()
{
    if (!AddRecord->isEnabled())
        return;
    EntryValid = true;
    if (!FindDuration()) {
        showInfo(QStringLiteral("0\r\nAddRecord SubRoutine\r\nThe dates picked for the period do not exist."),
                 kCritical);
        return;
    }
    bool ok = false;
    const qint64 empId = Label7->text().trimmed().toLongLong(&ok);
    if (!ok) {
        showInfo(QString::fromLatin1(entry::kBadEmployeeNumber), kCritical);
        return;
    }
    const QString caption = AddRecord->text();
    if (caption == QLatin1String("Add Record")) {
        try {
            if (entry::cardExists(empId, ToDate)) {
                showInfo(QString::fromLatin1(entry::kDuplicateCard), kCritical);
                return;
            }
        } catch (const store::DbError& e) {
            showInfo(entry::errorBoxText(QString::fromLatin1(entry::kAddRecord), e, app::notsaved::Card), kCritical);
            return;
        }
    }
    if (const auto bad = entry::checkCardItems(jobBoxTexts(), leaveBoxTexts(), PeriodDays)) {
        EntryValid = false;
        showInfo(*bad, kExclaim);
        return;
    }
    const entry::CardSum sum = entry::checkCardSum(jobBoxTexts(), Card.lastJobRow, leaveBoxTexts(), PeriodDays);
    JobED = sum.JobED;
    TotalED = sum.TotalED;
    Leaves = sum.leaves;
    SumValid = sum.SumValid;
    if (!SumValid) {
        showInfo(sum.message, kExclaim);
        return;
    }
    if (caption == QLatin1String("Update Record"))
        updateCard();
    else if (caption == QLatin1String("Delete Record"))
        deleteCard();
    else
        appendCard();
}

namespace {

// The rows of the card that carry a job, from 0 to the last job row.
QList<int> jobRows(QLabel* const labels[], int lastJobRow)
{
    QList<int> rows;
    for (int r = 0; r <= lastJobRow && r < 10; ++r)
        if (!labels[r]->text().trimmed().isEmpty())
            rows << r;
    return rows;
}

} // namespace

entry::CardHeader Main::cardHeader() const
{
    return entry::CardHeader{Label7->text().trimmed().toLongLong(), Combo1->currentText(), Combo4->currentText(),
                             ToDate};
}

QList<entry::CardLine> Main::cardLines(const QList<int>& rows, bool newDays, bool storedDays) const
{
    QList<entry::CardLine> lines;
    for (int r : rows)
        lines << entry::CardLine{Label1[r]->text().toLongLong(), newDays ? JobED[r] : 0,
                                 storedDays ? OldED[r] : 0, Credit[r]};
    return lines;
}

void Main::appendCard()
{
    if (app::dialogs().message(QString::fromLatin1(entry::kAppendQuestion),
                               app::style::OkCancel + app::style::Information)
        == app::button::Cancel)
        return;
    const entry::CardHeader h = cardHeader();
    const QList<int> rows = jobRows(Label1, Card.lastJobRow);
    const QList<entry::CardLine> lines = cardLines(rows, true, false);
    try {
        const auto balances = entry::appendCard(h, TotalED, Leaves, lines);
        if (!balances) {
            showInfo(QString::fromLatin1(entry::kDuplicateCard), kCritical);
            return;
        }
        for (int k = 0; k < rows.size(); ++k) {
            NewBalED[rows[k]] = balances->at(k);
            Credit[rows[k]] = 0;
            showBalance(rows[k], balances->at(k));
        }
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::Card), kCritical);
        return;
    }
    showInfo(QString::fromLatin1(entry::kAppended), kInfo);
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    AddRecord->setEnabled(false);
}

void Main::updateCard()
{
    if (app::dialogs().message(QString::fromLatin1(entry::kChangeQuestion),
                               app::style::OkCancel + app::style::Information)
        == app::button::Cancel)
        return;
    const entry::CardHeader h = cardHeader();
    const QList<int> rows = jobRows(Label1, Card.lastJobRow);
    const QList<entry::CardLine> lines = cardLines(rows, true, true);
    try {
        const QList<double> balances = entry::updateCard(h, TotalED, Leaves, lines);
        for (int k = 0; k < rows.size(); ++k) {
            NewBalED[rows[k]] = balances.at(k);
            showBalance(rows[k], balances.at(k));
        }
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::CardChange), kCritical);
        return;
    }
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    showInfo(QString::fromLatin1(entry::kChanged), kInfo);
    Resetz();
}

void Main::deleteCard()
{
    if (app::dialogs().message(entry::deleteQuestion(Combo1->currentText(), FromDate, ToDate),
                               app::style::YesNo + app::style::Exclamation)
        != app::button::Yes)
        return;
    const entry::CardHeader h = cardHeader();
    const QList<int> rows = jobRows(Label1, Card.lastJobRow);
    const QList<entry::CardLine> lines = cardLines(rows, false, true);
    QList<qint64> ids;
    for (int i = 0; i < List7->count(); ++i)
        ids << List7->item(i)->text().toLongLong();
    try {
        const QList<double> balances = entry::deleteCard(h, lines, ids);
        for (int k = 0; k < rows.size(); ++k)
            NewBalED[rows[k]] = balances.at(k);
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::CardDelete), kCritical);
        return;
    }
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    List7->clear();
    Resetz();
    showInfo(QString::fromLatin1(entry::kDeleted), kInfo);
    DeleteMode = false;
}

void Main::EditRecordCommand()
{
    if (Label7->text().trimmed().isEmpty() || Combo1->currentIndex() < 0)
        return;
    DeleteMode = false;
    AddRecord->setText(QStringLiteral("Add Record"));
    openStoredCard();
}

void Main::DeleteRecordCommand()
{
    if (Label7->text().trimmed().isEmpty() || Combo1->currentIndex() < 0)
        return;
    DeleteMode = true;
    openStoredCard();
}

void Main::openStoredCard()
{
    Resetz();
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    Combo1->setEnabled(false);
    FindDuration();
    LoadRecord(Label7->text().trimmed().toLongLong());
}

void Main::LoadRecord(qint64 empId)
{
    entry::LoadedCard c;
    try {
        c = entry::loadCard(empId, ToDate);
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("LoadRecord"), e), kCritical);
        Resetz();
        return;
    }
    List7->clear();
    for (int r = 0; r < c.rows.size() && r < 10; ++r) {
        const entry::LoadedRow& row = c.rows[r];
        Label1[r]->setText(QString::number(row.jobNo));
        Text1[r]->setText(app::generalNumber(row.days));
        OldED[r] = row.days;
        Credit[r] = 0;
        List7->addItem(QString::number(row.id));
        if (row.jobFound) {
            Label6[r + 10]->setText(app::generalNumber(row.allotted));
            Label2[r]->setText(row.name);
        }
        showBalance(r, row.jobFound ? row.balance : 0);
        for (QWidget* w : std::initializer_list<QWidget*>{Label1[r], Label2[r], Text1[r], Label6[r], Label6[r + 10]})
            w->show();
    }
    Card.lastJobRow = int(std::min<qsizetype>(c.rows.size(), 10)) - 1;
    if (c.leaves) {
        for (int i = 0; i < entry::kLeaveBoxes; ++i)
            Text2[i]->setText(app::generalNumber(c.leaves->box(i)));
        AddRecord->setText(DeleteMode ? QStringLiteral("Delete Record") : QStringLiteral("Update Record"));
    } else {
        DeleteMode = false;
        showInfo(QString::fromLatin1(entry::kNoRecord), kInfo);
    }
    // Nothing stored at all: the window goes back to a new card. A card of
    // leave only stays open.
    if (c.rows.isEmpty() && !c.leaves)
        Resetz();
}

void Main::Resetz()
{
    Card.reset();
    AddRecord->setText(QStringLiteral("Add Record"));
    for (int i = 0; i < 10; ++i) {
        for (QLabel* l : {Label1[i], Label2[i], Label6[i], Label6[i + 10], Label6[i + 20]})
            l->clear();
        for (QWidget* w : std::initializer_list<QWidget*>{Label1[i], Label2[i], Label6[i], Label6[i + 10], Label14[i]})
            w->hide();
        Text1[i]->clear();
        Text1[i]->hide();
        Text9[i]->clear();
        Text9[i]->hide();
        setStatusOpen(i, false);
        Credit[i] = 0;
    }
    for (QLineEdit* t : Text2)
        t->clear();
    jobStUpdate->setEnabled(false);
    EnableCardEntry();
}

// ---- Job master ------------------------------------------------------------

void Main::EditJobCommand()
{
    EditJobMode = false;
    const QString no = textOf(List1, List1->currentRow());
    if (no.isEmpty())
        return;
    if (app::dialogs().message(entry::editJobQuestion(no), app::style::YesNo + app::style::Information)
        != app::button::Yes)
        return;
    Frame5->show();
    try {
        const auto j = entry::readJob(no.toLongLong());
        if (j) {
            Text5->setText(QString::number(j->jobNo));
            Text6->setText(j->name);
            Text7->setText(j->client);
            Text8->setText(app::generalNumber(j->allotted));
            Text10->setText(app::generalNumber(j->balance));
            Text11->setText(app::generalNumber(j->status));
            EditJobBalance = app::leadingNumber(Text10->text());
            Combo5->setCurrentText(j->lead);
            const int k = Combo5->findText(j->lead);
            if (k >= 0)
                Combo5->setCurrentIndex(k);
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("EditJob"), e), kCritical);
        return;
    }
    EditJobMode = true;
    Text5->setReadOnly(true);
}

void Main::AddJobCommand()
{
    try {
        const auto no = entry::jobNumberOf(Text5->text());
        if (!EditJobMode && no && entry::jobExists(*no)) {
            showInfo(QString::fromLatin1(entry::kDuplicateJob), kExclaim);
            return;
        }
        if (!no) {
            showInfo(QString::fromLatin1(entry::kBadJobNo), kExclaim);
            return;
        }
        if (!entry::isNumericText(Text8->text()) || Text8->text().trimmed().toDouble() < 0) {
            showInfo(QString::fromLatin1(entry::kBadAllotted), kExclaim);
            return;
        }
        if (EditJobMode) {
            EditJobMode = false;
            Update_Edit();
        } else {
            if (app::dialogs().message(QString::fromLatin1(entry::kAddJobQuestion),
                                       app::style::YesNoCancel + app::style::Question)
                != app::button::Yes)
                return;
            entry::JobRecord j;
            j.jobNo = *no;
            j.name = Text6->text();
            j.client = Text7->text();
            j.allotted = Text8->text().trimmed().toDouble();
            j.status = app::leadingNumber(Text11->text());
            j.lead = Combo5->currentText();
            if (!entry::addJob(j)) {
                // Another desktop added the number since the look-up.
                showInfo(QString::fromLatin1(entry::kDuplicateJob), kExclaim);
                return;
            }
            List1->addItem(QString::number(j.jobNo));
            List2->addItem(j.name);
            List3->addItem(QStringLiteral("0"));
            List4->addItem(app::generalNumber(j.allotted));
            List5->addItem(app::generalNumber(j.status));
            List6->addItem(QString::number(j.jobNo));
            List8->addItem(j.lead);
            Frame1->setTitle(entry::listsCaption(List1->count()));
            showInfo(QString::fromLatin1(entry::kJobAppended), kInfo);
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("AddJob"), e, app::notsaved::NewJob), kCritical);
        return;
    }
    closeJobPanel();
}

void Main::Update_Edit()
{
    entry::JobRecord j;
    j.jobNo = Text5->text().trimmed().toLongLong();
    j.name = Text6->text();
    j.client = Text7->text();
    j.allotted = Text8->text().trimmed().toDouble();
    j.balance = app::leadingNumber(Text10->text());
    j.status = app::leadingNumber(Text11->text());
    try {
        if (!entry::updateJob(j, EditJobBalance)) {
            showInfo(QString::fromLatin1(entry::kJobMissing), kCritical);
            return;
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("Update_Edit"), e, app::notsaved::JobChange), kCritical);
        return;
    }
    showInfo(QString::fromLatin1(entry::kJobUpdated), kInfo);
}

void Main::CancelzCommand()
{
    EditJobMode = false;
    closeJobPanel();
}

void Main::closeJobPanel()
{
    for (QWidget* w : std::initializer_list<QWidget*>{SearchJob, SearchStrng, Text3, Text4})
        w->setEnabled(true);
    EnableCardEntry();
    Frame3->setEnabled(true);
    Frame5->hide();
}

void Main::Label6DblClick(int index)
{
    if (index < 0 || index > 9 || Label1[index]->text().trimmed().isEmpty())
        return;
    const QString no = Label1[index]->text().trimmed();
    std::optional<double> allotted;
    try {
        allotted = entry::allottedOf(no.toLongLong());
    } catch (const store::DbError&) {
        return;
    }
    if (!allotted)
        return;
    if (app::dialogs().message(entry::creditQuestion(no, *allotted), app::style::YesNo + app::style::Information)
        != app::button::Yes)
        return;
    Credit[index] += *allotted;
    showBalance(index, app::leadingNumber(Label6[index]->text()) + *allotted);
}

// ---- Job status ------------------------------------------------------------

void Main::Text9DblClick(int row)
{
    const QString d = entry::currentDepartment(Combo4->currentText());
    const QString l = Label6[row + 20]->text();
    if (d != l) {
        showInfo(entry::notAuthorizedMessage(l, d), kCritical);
        return;
    }
    StatusRow = row;
    if (app::dialogs().message(QString::fromLatin1(entry::kStatusQuestion),
                               app::style::YesNoCancel + app::style::Question)
        != app::button::Yes)
        return;
    setStatusOpen(row, true);
    jobStUpdate->setEnabled(true);
    DisableCardEntry();
}

void Main::JobStUpdate()
{
    const int r = StatusRow;
    const double p = entry::roundHalfEven(app::leadingNumber(Text9[r]->text()));
    if (p > 100) {
        showInfo(QString::fromLatin1(entry::kStatusTooHigh), kExclaim);
        return;
    }
    FindDuration();
    try {
        if (!entry::storeJobStatus(Label1[r]->text().toLongLong(), int(p), ToDate)) {
            showInfo(QStringLiteral("3021\r\nJobStUpdate SubRoutine\r\n") + QString::fromLatin1(entry::kJobMissing),
                     kCritical);
            return;
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("JobStUpdate"), e, app::notsaved::JobStatus), kCritical);
        return;
    }
    Text9[r]->setText(QString::number(int(p)));
    jobStUpdate->setEnabled(false);
    setStatusOpen(r, false);
    EnableCardEntry();
}

// ---- Job search ------------------------------------------------------------

void Main::SearchJobCommand()
{
    QStringList numbers;
    for (int i = 0; i < List1->count(); ++i)
        numbers << List1->item(i)->text();
    const int i = entry::indexOfExact(numbers, Text3->text());
    if (i >= 0) {
        List1->setCurrentRow(i);
        List2->setCurrentRow(i);
        for (int j = 0; j < List6->count(); ++j)
            if (List6->item(j)->text() == numbers[i]) {
                List6->setCurrentRow(j);
                break;
            }
        return;
    }
    if (app::dialogs().message(QString::fromLatin1(entry::kAddJobOffer), app::style::YesNo + app::style::Critical)
        != app::button::Yes)
        return;
    SearchJob->setEnabled(false);
    SearchStrng->setEnabled(false);
    DisableCardEntry();
    EditJobMode = false;
    Text5->setReadOnly(false);
    Text5->setText(Text3->text());
    for (QLineEdit* t : {Text6, Text7, Text8, Text10, Text11})
        t->clear();
    Frame5->show();
}

void Main::SearchStrngCommand()
{
    int count = 0;
    const int n = List2->count();
    for (int i = 0; i < n; ++i) {
        if (entry::jobNameMatches(List2->item(i)->text(), Text4->text())) {
            List1->setCurrentRow(i);
            List2->setCurrentRow(i);
            const QString no = textOf(List1, i);
            for (int j = 0; j < List6->count(); ++j)
                if (List6->item(j)->text() == no) {
                    List6->setCurrentRow(j);
                    break;
                }
            Text3->setText(no);
            ++count;
            if (app::dialogs().message(entry::foundQuestion(count), app::style::YesNo + app::style::Information)
                == app::button::No)
                return;
        }
        if (i == n - 1 && count >= 1)
            showInfo(QString::fromLatin1(entry::kNoMoreMatch), kInfo);
    }
    if (count == 0)
        showInfo(QString::fromLatin1(entry::kNameNotFound), kCritical);
}

} // namespace ui
