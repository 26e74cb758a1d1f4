#include "ui/optset.h"

#include "app/dialogs.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/database.h"
#include "ui/common.h"

#include <QFormLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ui {

OptSet::OptSet(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("OptSet"));
    setWindowTitle(QStringLiteral("Edit Default Settings"));

    Tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools->setObjectName(QStringLiteral("Tools"));
    Tools->setEnabled(false);
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

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* v = new QVBoxLayout(central);

    Frame3 = named(new QGroupBox(QStringLiteral("Authorization"), central), QStringLiteral("Frame3"));
    auto* a = new QFormLayout(Frame3);
    Text4 = named(new QLineEdit(Frame3), QStringLiteral("Text4"));
    Text4->setEchoMode(QLineEdit::Password);
    EnableTool = named(new QPushButton(QStringLiteral("Allow Settings"), Frame3), QStringLiteral("EnableTool"));
    EnableTool->setAutoDefault(false);
    Label1 = named(new QLabel(QStringLiteral("Note: Password can be changed from the Report Section"), Frame3),
                   QStringLiteral("Label1"));
    a->addRow(QStringLiteral("ENTER PASSWORD:"), Text4);
    a->addRow(EnableTool);
    a->addRow(Label1);
    v->addWidget(Frame3);

    Frame1 = named(new QGroupBox(QStringLiteral("Set Default Start-Date"), central), QStringLiteral("Frame1"));
    auto* f1 = new QFormLayout(Frame1);
    Text1[0] = named(new QLineEdit(Frame1), QStringLiteral("Text1"), 0);
    SetDefault = named(new QPushButton(QStringLiteral("Change"), Frame1), QStringLiteral("SetDefault"));
    SetDefault->setEnabled(false);
    SetDefault->setAutoDefault(false);
    f1->addRow(QStringLiteral("Set Starting Date of the Month"), Text1[0]);
    f1->addRow(SetDefault);
    v->addWidget(Frame1);
    Frame1->hide();

    Frame4 = named(new QGroupBox(QStringLiteral("Set Default Department"), central), QStringLiteral("Frame4"));
    auto* f4 = new QVBoxLayout(Frame4);
    f4->addWidget(new QLabel(QStringLiteral("SELECT DEFAULT DEPARMENT FROM"), Frame4));
    f4->addWidget(new QLabel(QStringLiteral("THE LIST AND THEN PRESS OK"), Frame4));
    List1 = named(new QListWidget(Frame4), QStringLiteral("List1"));
    OK = named(new QPushButton(QStringLiteral("OK"), Frame4), QStringLiteral("OK"));
    OK->setAutoDefault(false);
    f4->addWidget(List1);
    f4->addWidget(OK);
    v->addWidget(Frame4);
    Frame4->hide();

    Frame2 = named(new QGroupBox(QStringLiteral("Add/ Edit an Employee"), central), QStringLiteral("Frame2"));
    auto* f2 = new QFormLayout(Frame2);
    const char* labels[6] = {"Name", "Designation", "Address", "Date of Birth (dd/mm/yyyy)", nullptr, "Employee ID"};
    Combo1 = named(new QComboBox(Frame2), QStringLiteral("Combo1"));
    Combo2 = named(new QComboBox(Frame2), QStringLiteral("Combo2"));
    for (int i = 0; i < 6; ++i) {
        if (!labels[i])
            continue;
        Text2[i] = named(new QLineEdit(Frame2), QStringLiteral("Text2"), i);
        f2->addRow(QString::fromLatin1(labels[i]), Text2[i]);
    }
    f2->addRow(QStringLiteral("Select Department"), Combo1);
    f2->addRow(QStringLiteral("Grade"), Combo2);
    AddEmployee = named(new QPushButton(QStringLiteral("Add/Edit Employee"), Frame2), QStringLiteral("AddEmployee"));
    AddEmployee->setAutoDefault(false);
    f2->addRow(AddEmployee);
    v->addWidget(Frame2);
    Frame2->hide();

    // Always on top, at the top of the screen, 350 pixels from the left.
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setGeometry(350, 0, 392, 213);
}

bool OptSet::load()
{
    try {
        LoadDeptList();
        if (List1->count() == 0)
            return false;
        SearchGrades();
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + e.description(), app::style::Critical);
    }
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

} // namespace ui
