// The data-entry window's controls: menus, banner, card panel and job panel,
// and the wiring of their events.
#include "ui/main.h"

#include "app/dialogs.h"
#include "app/settings.h"
#include "entry/joblists.h"
#include "ui/cardsmenu.h"
#include "ui/closedmonth.h"
#include "ui/common.h"
#include "ui/employeepicker.h"
#include "ui/optset.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>

namespace ui {

namespace {
const char* kLeaveCaptions[9] = {"CL", "RH", "HPL", "SL", "EL", "Spl. leave", "LWP", "Misc.", "Holiday"};
const int kLeaveSerials[9] = {5, 4, 3, 1, 2, 6, 7, 8, 9};
} // namespace

Main::Main(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QString::fromLatin1(app::kProgramTitle));
    setMouseTracking(true);
    buildMenus();

    auto* central = new QWidget(this);
    central->setMouseTracking(true);
    setCentralWidget(central);
    auto* outer = new QHBoxLayout(central);
    auto* cardColumn = new QVBoxLayout();
    outer->addLayout(cardColumn, 5);
    buildBanner(central, cardColumn);
    buildCardPanel(central, cardColumn);
    auto* jobColumn = new QVBoxLayout();
    outer->addLayout(jobColumn, 4);
    buildJobPanel(central, jobColumn);

    statusLine = named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    statusPanel = named(new QLabel(statusLine), QStringLiteral("StatusBar1_1"));
    statusLine->addWidget(statusPanel, 1);
    setStatusBar(statusLine);

    wireBanner(central);
    wireCardPanel();
    wireJobPanel();
    buildKeys(central, cardColumn, jobColumn);
    for (int r = 0; r < 10; ++r)
        setStatusOpen(r, false);
}

void Main::buildMenus()
{
    reportAction = menuBar()->addAction(QStringLiteral("&ReportSection"));
    reportAction->setObjectName(QStringLiteral("Report"));
    settingsAction = menuBar()->addAction(QStringLiteral("&Settings"));
    settingsAction->setObjectName(QStringLiteral("Settings"));
    aboutAction = menuBar()->addAction(QStringLiteral("&About"));
    aboutAction->setObjectName(QStringLiteral("About"));
    exitAction = menuBar()->addAction(QStringLiteral("E&xit"));
    exitAction->setObjectName(QStringLiteral("Exit"));
    recordMenu = new QMenu(QStringLiteral("&Edit/Delete"), this);
    recordMenu->setObjectName(QStringLiteral("Record"));
    editRecordAction = recordMenu->addAction(QStringLiteral("Open Current &Record to Edit"));
    editRecordAction->setObjectName(QStringLiteral("EditRecord"));
    deleteRecordAction = recordMenu->addAction(QStringLiteral("Open Current Record to &Delete"));
    deleteRecordAction->setObjectName(QStringLiteral("DeleteRecord"));
    resetAction = recordMenu->addAction(QStringLiteral("Rese&t"));
    resetAction->setObjectName(QStringLiteral("Resetz"));
    menuBar()->insertMenu(aboutAction, recordMenu);
    editJobAction = new QAction(QStringLiteral("Edit&Job"), this);
    editJobAction->setObjectName(QStringLiteral("EditJob"));
    menuBar()->insertAction(aboutAction, editJobAction);
    addCardsMenu(this);
    connect(editRecordAction, &QAction::triggered, this, &Main::EditRecordCommand);
    connect(deleteRecordAction, &QAction::triggered, this, &Main::DeleteRecordCommand);
    connect(resetAction, &QAction::triggered, this, &Main::Resetz);
    connect(editJobAction, &QAction::triggered, this, &Main::EditJobCommand);
    connect(reportAction, &QAction::triggered, this, [this] {
        hide();
        if (windows().report)
            windows().report->show();
    });
    connect(settingsAction, &QAction::triggered, this, [] {
        OptSet* o = ensureOptSet();
        o->show();
        o->raise();
    });
    connect(aboutAction, &QAction::triggered, this, [] { showAbout(); });
    connect(exitAction, &QAction::triggered, this, [] { app::endProgram(0); });
}

void Main::buildBanner(QWidget* central, QVBoxLayout* column)
{
    auto* banner = new QHBoxLayout();
    logoImages[0] = named(new QLabel(central), QStringLiteral("Image4"), 0);
    logoImages[1] = named(new QLabel(central), QStringLiteral("Image4"), 1);
    logoImages[0]->setPixmap(drawnLogo(36, QColor(0x1f, 0x5f, 0x8b), QStringLiteral("K")));
    logoImages[1]->setPixmap(drawnLogo(36, QColor(0xb2, 0x6a, 0x00), QStringLiteral("J")));
    missionLabel = named(new QLabel(central), QStringLiteral("Label17"));
    missionLabel->setWordWrap(true);
    bannerLabel = named(new QLabel(central), QStringLiteral("Label20"));
    banner->addWidget(logoImages[0]);
    banner->addWidget(logoImages[1]);
    logoPlayer = new LogoPlayer(36, central);
    banner->addWidget(logoPlayer);
    banner->addWidget(missionLabel, 1);
    banner->addWidget(bannerLabel, 1);
    column->addLayout(banner);
}

void Main::buildCardPanel(QWidget* central, QVBoxLayout* column)
{
    // Period.
    periodPanel = named(new QGroupBox(QStringLiteral("Double Click to lock dates >>"), central), QStringLiteral("Frame2"));
    periods = new PeriodPickers(periodPanel, PeriodPickers::Kind::DataEntry);
    auto* pg = new QGridLayout(periodPanel);
    periods->placeIn(pg, 0);
    column->addWidget(periodPanel);

    // Department and employee.
    auto* who = new QGridLayout();
    pickers = new EmployeePicker(central);
    departmentPicker = pickers->department;
    employeePicker = pickers->employee;
    employeeIdLabel = pickers->employeeId;
    pickers->placeIn(who, 2);
    column->addLayout(who);
    // Pickers take no more room than their shortest useful width.
    for (QComboBox* b : {departmentPicker, employeePicker, periods->from[0], periods->from[1], periods->from[2],
                         periods->to[0], periods->to[1], periods->to[2]}) {
        b->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        b->setMinimumContentsLength(b == departmentPicker || b == employeePicker ? 12 : 4);
    }

    // Job rows of the card.
    jobRowsPanel = named(
        new QGroupBox(QStringLiteral("Displaying JobName, JobNo, ED, BalanceED, AllottedED  && JobStatus"), central),
        QStringLiteral("Frame3"));
    jobRowsPanel->setMouseTracking(true);
    auto* rows = new QGridLayout(jobRowsPanel);
    rows->setVerticalSpacing(2);
    rows->setColumnStretch(1, 1);
    for (int r = 0; r < 10; ++r) {
        rowJobNumber[r] = named(new QLabel(jobRowsPanel), QStringLiteral("Label1"), r);
        rowJobName[r] = named(new QLabel(jobRowsPanel), QStringLiteral("Label2"), r);
        rowDays[r] = named(new QLineEdit(jobRowsPanel), QStringLiteral("Text1"), r);
        rowStatus[r] = named(new QLineEdit(jobRowsPanel), QStringLiteral("Text9"), r);
        rowPercent[r] = named(new QLabel(QStringLiteral("%"), jobRowsPanel), QStringLiteral("Label14"), r);
        rowJobNumber[r]->setMinimumWidth(60);
        rowDays[r]->setFixedWidth(50);
        rowStatus[r]->setFixedWidth(36);
        rowStatus[r]->setReadOnly(true);
        rowStatus[r]->setAutoFillBackground(true);
        rows->addWidget(rowJobNumber[r], r, 0);
        rows->addWidget(rowJobName[r], r, 1);
        rows->addWidget(rowDays[r], r, 2);
        rows->addWidget(rowStatus[r], r, 5);
        rows->addWidget(rowPercent[r], r, 6);
    }
    for (int i = 0; i < 30; ++i) {
        rowFigures[i] = named(new QLabel(jobRowsPanel), QStringLiteral("Label6"), i);
        rowFigures[i]->setMinimumWidth(50);
        rowFigures[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i < 20)
            rows->addWidget(rowFigures[i], i % 10, 3 + i / 10);
    }
    for (int r = 0; r < 10; ++r)
        for (QWidget* w : std::initializer_list<QWidget*>{rowJobNumber[r], rowJobName[r], rowDays[r], rowStatus[r],
                                                          rowPercent[r], rowFigures[r], rowFigures[r + 10],
                                                          rowFigures[r + 20]}) {
            QSizePolicy sp = w->sizePolicy();
            if (w == rowJobName[r])
                sp.setHorizontalPolicy(QSizePolicy::Ignored); // a long name must not widen the card
            sp.setRetainSizeWhenHidden(true);
            w->setSizePolicy(sp);
            w->hide();
        }
    column->addWidget(jobRowsPanel, 1);

    // Leave boxes: serials 1-5 on the upper row, 6-9 on the lower row.
    leavePanel = named(new QGroupBox(QStringLiteral("Leaves"), central), QStringLiteral("Frame4"));
    auto* lg = new QGridLayout(leavePanel);
    lg->setVerticalSpacing(2);
    lg->setHorizontalSpacing(4);
    for (int i = 0; i < 9; ++i) {
        leaveBoxes[i] = named(new QLineEdit(leavePanel), QStringLiteral("Text2"), i);
        leaveBoxes[i]->setFixedWidth(36);
        leaveCaptions[i] =
            named(new QLabel(QString::fromLatin1(kLeaveCaptions[i]), leavePanel), QStringLiteral("Label8"), i);
        leaveSerials[i] =
            named(new QLabel(QString::number(kLeaveSerials[i]), leavePanel), QStringLiteral("Label13"), i);
        const int pos = kLeaveSerials[i] - 1;
        const int row = pos / 5, col = (pos % 5) * 3;
        lg->addWidget(leaveSerials[i], row, col);
        lg->addWidget(leaveBoxes[i], row, col + 1);
        lg->addWidget(leaveCaptions[i], row, col + 2);
    }
    column->addWidget(leavePanel);

    auto* buttons = new QHBoxLayout();
    saveButton = named(new QPushButton(entry::saveCaption(card.mode), central), QStringLiteral("AddRecord"));
    saveButton->setEnabled(false);
    column->insertWidget(column->indexOf(periodPanel) + 1,
                         new ClosedMonthLine(central, periods, departmentPicker, saveButton));
    statusUpdateButton =
        named(new QPushButton(QStringLiteral("Update Status %"), central), QStringLiteral("jobStUpdate"));
    statusUpdateButton->setEnabled(false);
    showJobsButton = named(new QPushButton(QStringLiteral("Hide JobList"), central), QStringLiteral("ShowJobs"));
    buttons->addWidget(saveButton, 1);
    buttons->addWidget(statusUpdateButton);
    buttons->addWidget(showJobsButton);
    column->addLayout(buttons);
}

void Main::buildJobPanel(QWidget* central, QVBoxLayout* column)
{
    // Job lists and search.
    jobListPanel = named(new QGroupBox(QStringLiteral("Select jobs"), central), QStringLiteral("Frame1"));
    auto* jl = new QGridLayout(jobListPanel);
    auto list = [this](const char* name) {
        auto* l = named(new QListWidget(jobListPanel), QString::fromLatin1(name));
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        return l;
    };
    jobNumberList = list("List1");
    jobNameList = list("List2");
    balanceList = list("List3");
    allottedList = list("List4");
    statusList = list("List5");
    sortedJobNumberList = list("List6");
    recordKeyList = list("List7");
    leadDepartmentList = list("List8");
    sortedJobNumberList->setSortingEnabled(true);
    // Job numbers all fit the list's width, so the number lists need not
    // measure each entry. Names differ in width (the widest sets how far the
    // list scrolls sideways): that list lays out its entries in batches,
    // showing the first at once.
    for (QListWidget* numbers : {jobNumberList, sortedJobNumberList})
        numbers->setUniformItemSizes(true);
    jobNameList->setLayoutMode(QListView::Batched);
    jobNameList->setBatchSize(1000);
    for (QListWidget* hidden : {balanceList, allottedList, statusList, recordKeyList, leadDepartmentList})
        hidden->hide();
    jobNumberList->setFixedWidth(64);
    sortedJobNumberList->setFixedWidth(64);
    jobNumberSearch = named(new QLineEdit(jobListPanel), QStringLiteral("Text3"));
    jobNameSearch = named(new QLineEdit(jobListPanel), QStringLiteral("Text4"));
    findJobNumberButton =
        named(new QPushButton(QStringLiteral("Find Job No"), jobListPanel), QStringLiteral("SearchJob"));
    findJobNameButton = named(new QPushButton(QStringLiteral("Find Job"), jobListPanel), QStringLiteral("SearchStrng"));
    auto* lists = new QHBoxLayout();
    lists->addWidget(jobNumberList);
    lists->addWidget(jobNameList, 1);
    lists->addWidget(sortedJobNumberList);
    jl->addLayout(lists, 0, 0, 1, 2);
    jl->addWidget(jobNumberSearch, 1, 0);
    jl->addWidget(findJobNumberButton, 1, 1);
    jl->addWidget(jobNameSearch, 2, 0);
    jl->addWidget(findJobNameButton, 2, 1);
    column->addWidget(jobListPanel, 1);

    // Job master.
    jobMasterPanel = named(new QGroupBox(QStringLiteral("Add/ Edit a Job"), central), QStringLiteral("Frame5"));
    auto* jm = new QGridLayout(jobMasterPanel);
    jm->setVerticalSpacing(2);
    auto field = [&](const char* name, const char* caption, int row) {
        auto* t = named(new QLineEdit(jobMasterPanel), QString::fromLatin1(name));
        jm->addWidget(new QLabel(QString::fromLatin1(caption), jobMasterPanel), row, 0);
        jm->addWidget(t, row, 1, 1, 2);
        return t;
    };
    jobNumberField = field("Text5", "Job No.", 0);
    jobNameField = field("Text6", "Job Name", 1);
    clientField = field("Text7", "ClientCo.", 2);
    allottedField = field("Text8", "Sanct.ED", 3);
    balanceField = field("Text10", "Balance ED", 4);
    statusField = field("Text11", "Status % ", 5);
    leadDepartmentPicker = named(new QComboBox(jobMasterPanel), QStringLiteral("Combo5"));
    jm->addWidget(new QLabel(QStringLiteral("LeadDeptt"), jobMasterPanel), 6, 0);
    jm->addWidget(leadDepartmentPicker, 6, 1, 1, 2);
    jobSaveButton = named(new QPushButton(QStringLiteral("Update"), jobMasterPanel), QStringLiteral("AddJob"));
    jobCancelButton = named(new QPushButton(QStringLiteral("Cancel"), jobMasterPanel), QStringLiteral("Cancelz"));
    jm->addWidget(jobSaveButton, 7, 1);
    jm->addWidget(jobCancelButton, 7, 2);
    jobMasterPanel->hide();
    column->addWidget(jobMasterPanel);
}

void Main::wireBanner(QWidget* central)
{
    hooks(missionLabel)->onClick = [this] { missionLabel->hide(); };
    hooks(bannerLabel)->onClick = [this] { bannerLabel->hide(); };
    hooks(central)->onMove = [this] { showBanner(); };
    for (QLabel* img : logoImages) {
        hooks(img)->onMove = [this] { logoImages[0]->hide(); };
        hooks(img)->onPress = [this] { logoImages[1]->hide(); };
    }
    hooks(jobRowsPanel)->onMove = [this] { bannerLabel->show(); };
}

void Main::wireCardPanel()
{
    connect(pickers, &EmployeePicker::departmentChosen, this, &Main::departmentChosen);
    connect(pickers, &EmployeePicker::employeeChosen, this, &Main::employeeChosen);
    for (int r = 0; r < 10; ++r) {
        connect(rowDays[r], &QLineEdit::returnPressed, this, [this, r] {
            if (r < card.jobs.lastJobRow)
                rowDays[r + 1]->setFocus();
        });
        hooks(rowDays[r])->onDoubleClick = [this, r] { rowDays[r]->clear(); };
        hooks(rowStatus[r])->onDoubleClick = [this, r] { openStatusChange(r); };
        hooks(rowFigures[r])->onDoubleClick = [this, r] { creditAllottedDays(r); };
    }
    for (QLineEdit* t : leaveBoxes) {
        connect(t, &QLineEdit::returnPressed, this, &Main::AddRecordCommand);
        hooks(t)->onDoubleClick = [t] { t->clear(); };
    }
    connect(saveButton, &QPushButton::clicked, this, &Main::AddRecordCommand);
    connect(statusUpdateButton, &QPushButton::clicked, this, &Main::JobStUpdate);
    hooks(periodPanel)->onDoubleClick = [this] {
        datesLocked_ = true;
        periodPanel->setEnabled(false);
    };
}

void Main::wireJobPanel()
{
    connect(jobNumberList, &QListWidget::itemDoubleClicked, this, [this] { placeChosenJob(); });
    connect(jobNameList, &QListWidget::itemDoubleClicked, this, [this] { showJobNameHint(); });
    connect(sortedJobNumberList, &QListWidget::itemDoubleClicked, this, [this] { placeChosenSortedJob(); });
    connect(jobNumberList, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0 && jobNameList->item(i))
            jobNumberList->setToolTip(jobNameList->item(i)->text());
    });
    connect(jobNameList, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0 && jobNumberList->item(i))
            jobNameList->setToolTip(entry::jobNoTip(jobNumberList->item(i)->text()));
    });
    connect(showJobsButton, &QPushButton::clicked, this, &Main::ShowJobsCommand);
    connect(findJobNumberButton, &QPushButton::clicked, this, &Main::SearchJobCommand);
    connect(findJobNameButton, &QPushButton::clicked, this, &Main::SearchStrngCommand);
    connect(jobSaveButton, &QPushButton::clicked, this, &Main::AddJobCommand);
    connect(jobCancelButton, &QPushButton::clicked, this, &Main::CancelzCommand);
}

} // namespace ui
