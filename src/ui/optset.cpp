#include "ui/optset.h"

#include "admin/employees.h"
#include "admin/password.h"
#include "admin/settings.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/failurebox.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/database.h"
#include "ui/closedmonth.h"
#include "ui/common.h"
#include "ui/main.h"
#include "ui/program.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QGridLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace ui {

namespace {

// Screen position and size of the window, in pixels.
constexpr int kLeft = 350, kTop = 0, kWidth = 392, kHeight = 213;

const QString kWrongPassword = QStringLiteral("INCORRECT PASSWORD, TRY AGAIN.");
const QString kBadStartDay = QStringLiteral("Check Starting Date for the Job Card. It should be between 1 & 28.");
const QString kStartDaySaved = QStringLiteral(
    "Default Start-Date setting changed successfully, The program will now close.\r\n"
    "Please re-start your program to effect the change.");
const QString kDepartmentSet = QStringLiteral("Default Department Set Successfully. The Program will now Close");
const QString kAskEmployeeId = QStringLiteral("ENTER THE EIGHT DIGIT EMPLOYEE'S ID WHOSE DATA ARE TO BE UPDATED");
const QString kAskEmployeeIdTitle = QStringLiteral("Update Employee Data");
const QString kIdOutOfRange = QStringLiteral("INCORRECT EMPLOYEE ID, PLEASE TRY AGAIN.");
const QString kNoSuchEmployee = QStringLiteral("No Record Found for the given IEmployee D");
const QString kBadBirthDate = QStringLiteral("Check date of birth");
const QString kBadEmployeeId = QStringLiteral("Check Employee ID, must be of eight digits");
const QString kConfirmAdd = QStringLiteral("You are going to ADD this Employee in the existing Database.");
const QString kConfirmEdit = QStringLiteral("You are going to EDIT this Employee's Record in the Database.");
const QString kAdded = QStringLiteral("Employee's Data appended to the Database Successfully.");
const QString kUpdated = QStringLiteral("Employee's Record Updated in the Database Successfully.");
const QString kDuplicateId = QStringLiteral("Check Employee ID. You can not use same ID more than once.");

QString failureText(const store::DbError& e, const char* routine, const char* notSaved = "")
{
    return app::failureBoxText(QString::fromLatin1(routine), e, QString::fromLatin1(notSaved));
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

// A picker that lists the known values and also takes a new one typed in.
void makeTypable(QComboBox* box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
}

} // namespace

OptSet::OptSet(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("OptSet"));
    setWindowTitle(QStringLiteral("Edit Default Settings"));

    Tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools->setObjectName(QStringLiteral("Tools"));
    Modez = Tools->addAction(QStringLiteral("&Edit Default Start Date"));
    Modez->setObjectName(QStringLiteral("Modez"));
    SetDept = Tools->addAction(QStringLiteral("Set Default &Department"));
    SetDept->setObjectName(QStringLiteral("SetDept"));
    AddEmp = Tools->addAction(QStringLiteral("&Add New Employee"));
    AddEmp->setObjectName(QStringLiteral("AddEmp"));
    UpdateEmp = Tools->addAction(QStringLiteral("Update E&mployee Info "));
    UpdateEmp->setObjectName(QStringLiteral("UpdateEmp"));
    EnableTools = menuBar()->addAction(QStringLiteral("&EnableTools"));
    EnableTools->setObjectName(QStringLiteral("EnableTools"));
    Months = addMonthMenu(this, menuBar(), EnableTools);
    setToolsEnabled(false);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    // Two slots side by side: the start-day panel on the left, the
    // authorization or the default-department panel on the right; the
    // employee panel takes the whole window.
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setSpacing(4);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    Frame3 = named(new QGroupBox(QStringLiteral("Authorization"), central), QStringLiteral("Frame3"));
    auto* a = new QVBoxLayout(Frame3);
    a->setSpacing(3);
    Text4 = named(new QLineEdit(Frame3), QStringLiteral("Text4"));
    Text4->setEchoMode(QLineEdit::Password);
    EnableTool = named(new QPushButton(QStringLiteral("Allow Settings"), Frame3), QStringLiteral("EnableTool"));
    EnableTool->setAutoDefault(false);
    Label1 = named(caption(QStringLiteral("Note: Password can be changed from the Report Section"), Frame3),
                   QStringLiteral("Label1"));
    a->addWidget(caption(QStringLiteral("ENTER PASSWORD:"), Frame3));
    a->addWidget(Text4);
    a->addWidget(EnableTool);
    a->addWidget(Label1);
    a->addStretch();
    grid->addWidget(Frame3, 0, 1);

    Frame1 = named(new QGroupBox(QStringLiteral("Set Default Start-Date"), central), QStringLiteral("Frame1"));
    auto* f1 = new QVBoxLayout(Frame1);
    f1->setSpacing(3);
    f1->setContentsMargins(5, 4, 5, 4);
    Text1[0] = named(new QLineEdit(Frame1), QStringLiteral("Text1"), 0);
    SetDefault = named(new QPushButton(QStringLiteral("Change"), Frame1), QStringLiteral("SetDefault"));
    SetDefault->setEnabled(false);
    SetDefault->setAutoDefault(false);
    f1->addWidget(caption(QStringLiteral("Set Starting Date of the Month"), Frame1));
    f1->addWidget(Text1[0]);
    f1->addWidget(SetDefault);
    f1->addStretch();
    grid->addWidget(Frame1, 0, 0);

    Frame4 = named(new QGroupBox(QStringLiteral("Set Default Department"), central), QStringLiteral("Frame4"));
    auto* f4 = new QVBoxLayout(Frame4);
    f4->setSpacing(2);
    f4->setContentsMargins(5, 4, 5, 4);
    f4->addWidget(new QLabel(QStringLiteral("SELECT DEFAULT DEPARMENT FROM"), Frame4));
    f4->addWidget(new QLabel(QStringLiteral("THE LIST AND THEN PRESS OK"), Frame4));
    List1 = named(new QListWidget(Frame4), QStringLiteral("List1"));
    OK = named(new QPushButton(QStringLiteral("OK"), Frame4), QStringLiteral("OK"));
    OK->setAutoDefault(false);
    f4->addWidget(List1, 1);
    f4->addWidget(OK);
    grid->addWidget(Frame4, 0, 1);
    Frame4->hide();

    Frame2 = named(new QGroupBox(QStringLiteral("Add/ Edit an Employee"), central), QStringLiteral("Frame2"));
    auto* f2 = new QGridLayout(Frame2);
    f2->setContentsMargins(6, 2, 6, 4);
    f2->setHorizontalSpacing(8);
    f2->setVerticalSpacing(0);
    const char* labels[6] = {"Name", "Designation", "Address", "Date of Birth (dd/mm/yyyy)", nullptr, "Employee ID"};
    for (int i = 0; i < 6; ++i) {
        if (!labels[i])
            continue;
        Text2[i] = named(new QLineEdit(Frame2), QStringLiteral("Text2"), i);
    }
    Combo1 = named(new QComboBox(Frame2), QStringLiteral("Combo1"));
    Combo2 = named(new QComboBox(Frame2), QStringLiteral("Combo2"));
    makeTypable(Combo1);
    makeTypable(Combo2);
    AddEmployee = named(new QPushButton(QStringLiteral("Add/Edit Employee"), Frame2), QStringLiteral("AddEmployee"));
    AddEmployee->setAutoDefault(false);
    // Left column: the person; right column: the ID and the placement.
    const auto put = [&](int row, int column, const QString& label, QWidget* field) {
        f2->addWidget(new QLabel(label, Frame2), row * 2, column);
        f2->addWidget(field, row * 2 + 1, column);
    };
    put(0, 0, QString::fromLatin1(labels[0]), Text2[0]);
    put(1, 0, QString::fromLatin1(labels[1]), Text2[1]);
    put(2, 0, QString::fromLatin1(labels[2]), Text2[2]);
    put(3, 0, QString::fromLatin1(labels[3]), Text2[3]);
    put(0, 1, QString::fromLatin1(labels[5]), Text2[5]);
    put(1, 1, QStringLiteral("Select Department"), Combo1);
    put(2, 1, QStringLiteral("Grade"), Combo2);
    f2->addWidget(AddEmployee, 7, 1);
    grid->addWidget(Frame2, 0, 0, 1, 2);
    // The slots share the width by their stretch, whatever their contents ask.
    for (QGroupBox* g : {Frame1, Frame3, Frame4})
        g->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Frame2->setEnabled(false);
    Frame2->hide();

    connect(EnableTool, &QPushButton::clicked, this, &OptSet::enableToolClicked);
    connect(Text4, &QLineEdit::returnPressed, this, &OptSet::enableToolClicked);
    connect(Modez, &QAction::triggered, this, &OptSet::modezClicked);
    connect(SetDefault, &QPushButton::clicked, this, &OptSet::setDefaultClicked);
    connect(SetDept, &QAction::triggered, this, &OptSet::setDeptClicked);
    connect(OK, &QPushButton::clicked, this, &OptSet::okClicked);
    connect(AddEmp, &QAction::triggered, this, &OptSet::addEmpClicked);
    connect(UpdateEmp, &QAction::triggered, this, &OptSet::updateEmpClicked);
    connect(AddEmployee, &QPushButton::clicked, this, &OptSet::addEmployeeClicked);

    // Always on top, at the top of the screen, 350 pixels from the left, of
    // a fixed size.
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setFixedSize(kWidth, kHeight);
    move(kLeft, kTop);

    // Close, by button or Escape, as the window's own close does.
    auto* closeButton = named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("CloseWindow"));
    closeButton->setToolTip(QStringLiteral("Close (Esc)"));
    closeButton->setAutoDefault(false);
    menuBar()->setCornerWidget(closeButton);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    // The department frame's captions wrap rather than being cut.
    for (QLabel* l : Frame4->findChildren<QLabel*>())
        l->setWordWrap(true);

    // Keys of the tools and the buttons, each named in its tooltip.
    giveKey(Modez, QKeySequence(Qt::CTRL | Qt::Key_1));
    giveKey(SetDept, QKeySequence(Qt::CTRL | Qt::Key_2));
    giveKey(AddEmp, QKeySequence(Qt::CTRL | Qt::Key_3));
    giveKey(UpdateEmp, QKeySequence(Qt::CTRL | Qt::Key_4));
    giveKey(Months->actions().value(0), QKeySequence(Qt::CTRL | Qt::Key_M));
    Tools->setToolTipsVisible(true);
    Months->setToolTipsVisible(true);
    giveKey(EnableTool, this, QKeySequence(Qt::CTRL | Qt::Key_L));
    giveKey(SetDefault, this, QKeySequence(Qt::CTRL | Qt::Key_H));
    giveKey(OK, this, QKeySequence(Qt::CTRL | Qt::Key_O));
    giveKey(AddEmployee, this, QKeySequence(Qt::CTRL | Qt::Key_S));

    // Tab order: the start-day panel on the left, the authorization or
    // department panel on the right, the employee panel row by row, Close.
    tabInOrder({Text1[0], SetDefault, Text4, EnableTool, List1, OK, Text2[0], Text2[5], Text2[1], Combo1, Text2[2],
                Combo2, Text2[3], AddEmployee, closeButton});
}

bool OptSet::load()
{
    try {
        LoadDeptList();
        if (List1->count() == 0)
            return false;
        SearchGrades();
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::Critical);
    }
    AdminCode = admin::adminCode(app::today());
    return true;
}

void OptSet::LoadDeptList()
{
    const QStringList depts = app::departments();
    List1->clear();
    List1->addItems(depts);
    fillSilently(Combo1, depts);
    if (depts.isEmpty()) {
        app::dialogs().message(QStringLiteral("No Department found to display. Create 'employees' file in your "
                                              "database properly and try again. The program will now close.")
                                   .toUpper(),
                               app::style::Critical);
        app::endProgram(1);
        return;
    }
    Text1[0]->setText(app::globals().StartDate);
    bool ok = false;
    const int p = app::globals().Department.trimmed().toInt(&ok);
    if (ok && p >= 0 && p < List1->count()) {
        List1->setCurrentRow(p);
        selectEntry(Combo1, p);
    }
}

void OptSet::SearchGrades()
{
    const QStringList g = app::grades();
    fillSilently(Combo2, g);
    if (!g.isEmpty())
        selectEntry(Combo2, 0);
}

void OptSet::setToolsEnabled(bool on)
{
    Tools->setEnabled(on);
    Months->setEnabled(on);
    for (QAction* a : {Modez, SetDept, AddEmp, UpdateEmp})
        a->setEnabled(on);
}

void OptSet::enableToolClicked()
{
    const QDate today = app::today();
    AdminCode = admin::adminCode(today);
    const Main* m = windows().main;
    const QString department = m ? m->departmentPicker->currentText() : QString();
    if (admin::toolsUnlocked(department, Text4->text(), app::globals().DeptPwd, today)) {
        setToolsEnabled(true);
        SetDefault->setEnabled(true);
        Frame3->hide();
        return;
    }
    app::dialogs().message(kWrongPassword, app::style::Critical);
    Text4->clear();
}

void OptSet::modezClicked()
{
    AddMode = false;
    setWindowTitle(QStringLiteral("Edit Default Date Settings"));
    Frame1->show();
    Frame2->hide();
    Frame4->hide();
}

void OptSet::setDefaultClicked()
{
    const QString text = Text1[0]->text();
    if (!admin::startDayAccepted(text)) {
        app::dialogs().message(kBadStartDay, app::style::Exclamation);
        return;
    }
    admin::saveStartDay(text);
    app::dialogs().message(kStartDaySaved, app::style::Information);
    app::endProgram(0);
}

void OptSet::setDeptClicked()
{
    Frame4->show();
    HideEmployeePanel();
    setWindowTitle(QStringLiteral("Set Default Department"));
}

void OptSet::okClicked()
{
    const int position = List1->currentRow();
    if (position < 0)
        return; // nothing chosen
    const QString department = List1->item(position)->text();
    const int answer = app::dialogs().message(QStringLiteral("You have Selected '") + department
                                                  + QStringLiteral("' as Default Department.\r\nWould you like to continue?"),
                                              app::style::YesNoCancel + app::style::Information);
    if (answer != app::button::Yes)
        return;
    admin::saveDefaultDepartment(position);
    // The data-entry window switches to the new department at once.
    if (Main* m = windows().main) {
        try {
            int i = m->departmentPicker->findText(department);
            if (i < 0) {
                // A department that came in after the data-entry window was filled.
                fillSilently(m->departmentPicker, app::departments());
                i = m->departmentPicker->findText(department);
            }
            selectEntry(m->departmentPicker, i);
        } catch (const store::DbError& e) {
            app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::Critical);
        }
    }
    app::dialogs().message(kDepartmentSet, app::style::Information);
    close();
}

void OptSet::HideEmployeePanel()
{
    AddMode = false;
    Frame2->hide();
}

void OptSet::lockIdentityBoxes(bool locked)
{
    for (int i : {0, 3, 5})
        Text2[i]->setReadOnly(locked);
}

void OptSet::addEmpClicked()
{
    AddMode = true;
    Frame2->setEnabled(true);
    Frame2->show();
    Frame2->setTitle(QStringLiteral("Add New Employee Record"));
    setWindowTitle(QStringLiteral("Add New Employee Record"));
    Frame1->hide();
    Frame4->hide();
    lockIdentityBoxes(false);
}

void OptSet::showPicked(QComboBox* box, const QString& text)
{
    box->setCurrentIndex(box->findText(text));
    box->setEditText(text);
}

void OptSet::updateEmpClicked()
{
    AddMode = false;
    setWindowTitle(QStringLiteral("Update Employee's Record"));
    Frame2->setTitle(QStringLiteral("Update Employee Record"));
    Frame1->hide();
    Frame4->hide();
    Frame2->show();

    const std::optional<QString> answer = app::dialogs().input(kAskEmployeeId, kAskEmployeeIdTitle);
    const std::optional<qint64> id = answer ? admin::idAnswerOf(*answer) : std::nullopt;
    if (!id) {
        HideEmployeePanel();
        app::dialogs().message(kAskEmployeeId, app::style::Critical);
        return;
    }
    EditEmpID = *id;
    if (EditEmpID < admin::kLowestEmployeeId || EditEmpID > admin::kHighestEmployeeId) {
        app::dialogs().message(kIdOutOfRange, app::style::Exclamation);
        HideEmployeePanel();
        return;
    }
    Frame2->setEnabled(true);
    lockIdentityBoxes(true);
    std::optional<app::Employee> r;
    try {
        r = admin::findEmployee(EditEmpID);
    } catch (const store::DbError& e) {
        HideEmployeePanel();
        app::dialogs().message(failureText(e, "UpdateEmp"), app::style::Critical);
        return;
    }
    if (!r) {
        HideEmployeePanel();
        app::dialogs().message(kNoSuchEmployee, app::style::Critical);
        return;
    }
    Text2[5]->setText(QString::number(r->empId));
    Text2[0]->setText(r->name);
    Text2[3]->setText(r->dob.isValid() ? r->dob.toString(QStringLiteral("dd/MM/yyyy")) : QString());
    Text2[1]->setText(r->designation);
    showPicked(Combo1, r->department);
    Text2[2]->setText(r->address);
    showPicked(Combo2, r->grade);
}

admin::EmployeeForm OptSet::form() const
{
    admin::EmployeeForm f;
    f.name = Text2[0]->text();
    f.designation = Text2[1]->text();
    f.address = Text2[2]->text();
    f.birthDate = Text2[3]->text();
    f.employeeId = Text2[5]->text();
    f.department = Combo1->currentText();
    f.grade = Combo2->currentText();
    return f;
}

void OptSet::addEmployeeClicked()
{
    const admin::EmployeeForm f = form();
    switch (admin::checkForm(f, AddMode, app::today())) {
    case admin::FormCheck::BadBirthDate:
        app::dialogs().message(kBadBirthDate, app::style::Exclamation);
        return;
    case admin::FormCheck::BadEmployeeId:
        app::dialogs().message(kBadEmployeeId, app::style::Exclamation);
        return;
    case admin::FormCheck::BlankFields:
        app::dialogs().message(QString::fromLatin1(admin::kBlankFields), app::style::Exclamation);
        return;
    case admin::FormCheck::Accepted:
        break;
    }
    if (const auto bad = admin::formTextProblem(f)) {
        app::dialogs().message(*bad, app::style::Exclamation);
        return;
    }
    const int confirm = app::style::OkCancel + app::style::Information;
    try {
        if (AddMode) {
            if (app::dialogs().message(kConfirmAdd, confirm) != app::button::Ok)
                return;
            admin::addEmployee(f);
            app::dialogs().message(kAdded, app::style::Information);
        } else {
            if (app::dialogs().message(kConfirmEdit, confirm) != app::button::Ok)
                return;
            admin::updateEmployee(EditEmpID, f);
            lockIdentityBoxes(false);
            app::dialogs().message(kUpdated, app::style::Information);
        }
        HideEmployeePanel();
    } catch (const store::DbError& e) {
        const bool adding = AddMode;
        HideEmployeePanel();
        if (e.kind() == store::ErrorKind::DuplicateKey)
            app::dialogs().message(kDuplicateId, app::style::Critical);
        else
            app::dialogs().message(
                failureText(e, "AddEmployee", adding ? app::notsaved::NewEmployee : app::notsaved::EmployeeChange),
                app::style::Critical);
    }
}

void OptSet::unload()
{
    Windows& w = windows();
    if (w.optSet == this)
        w.optSet = nullptr;
    deleteLater();
}

void OptSet::closeEvent(QCloseEvent* e)
{
    QMainWindow::closeEvent(e);
    if (e->isAccepted())
        unload();
}

} // namespace ui
