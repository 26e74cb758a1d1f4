#include "ui/main.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/logo.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/database.h"
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
#include <QWindowStateChangeEvent>

namespace ui {

namespace {
const char* kMission = "Our mission: engineering delivered on time, every day of it accounted for.";
const char* kLeaveCaptions[9] = {"CL", "RH", "HPL", "SL", "EL", "Spl. leave", "LWP", "Misc.", "Holiday"};
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
    outer->addLayout(card, 1);

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
    hooks(Frame2)->onDoubleClick = [this] { Frame2->setEnabled(false); };
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

    // Job rows and leave boxes of the card.
    Frame3 = named(new QGroupBox(QStringLiteral("Displaying JobName, JobNo, ED, BalanceED, AllottedED  && JobStatus"),
                                 central),
                   QStringLiteral("Frame3"));
    Frame3->setMouseTracking(true);
    auto* rows = new QGridLayout(Frame3);
    for (int r = 0; r < 10; ++r) {
        Text1[r] = named(new QLineEdit(Frame3), QStringLiteral("Text1"), r);
        rows->addWidget(Text1[r], r, 0);
        Text1[r]->hide();
    }
    card->addWidget(Frame3, 1);

    Frame4 = named(new QGroupBox(QStringLiteral("Leaves"), central), QStringLiteral("Frame4"));
    auto* lg = new QGridLayout(Frame4);
    for (int i = 0; i < 9; ++i) {
        Text2[i] = named(new QLineEdit(Frame4), QStringLiteral("Text2"), i);
        auto* cap = named(new QLabel(QString::fromLatin1(kLeaveCaptions[i]), Frame4), QStringLiteral("Label8"), i);
        lg->addWidget(cap, (i / 5) * 2, i % 5);
        lg->addWidget(Text2[i], (i / 5) * 2 + 1, i % 5);
    }
    card->addWidget(Frame4);

    AddRecord = named(new QPushButton(QStringLiteral("&Save"), central), QStringLiteral("AddRecord"));
    AddRecord->setEnabled(false);
    card->addWidget(AddRecord);

    Frame1 = named(new QGroupBox(QStringLiteral("Select jobs"), central), QStringLiteral("Frame1"));
    outer->addWidget(Frame1, 1);

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
}

void Main::load()
{
    try {
        // The job lists and the lead departments are loaded here.
        StatusPanel1->setText(Combo1->currentText());
        resize(width() < twips(12000) ? twips(12000) : width(), twips(8865));
        Label17->setText(QString::fromLatin1(kMission));
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + e.description(), app::style::OkOnly);
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
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + e.description(), app::style::OkOnly);
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
    // The animation needs a media player; without one nothing plays.
    (void)app::logoFileAccepted(app::logoPath());
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

} // namespace ui
