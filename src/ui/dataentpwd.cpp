#include "ui/dataentpwd.h"

#include "admin/password.h"
#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/settings.h"
#include "ui/common.h"
#include "ui/main.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QEvent>
#include <QGridLayout>

namespace ui {

DataEntPwd::DataEntPwd(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DataEntPwd"));
    setWindowTitle(QStringLiteral("Authorization for Data Entry"));
    setModal(false);

    Label1[0] = named(new QLabel(QStringLiteral("Enter Departmental Password"), this), QStringLiteral("Label1"), 0);
    Label1[1] = named(new QLabel(QStringLiteral("Enter Password:"), this), QStringLiteral("Label1"), 1);
    Label1[2] = named(new QLabel(QStringLiteral("Enter New Password:"), this), QStringLiteral("Label1"), 2);
    Label2 = named(new QLabel(app::calendar::longDayText(app::today()), this), QStringLiteral("Label2"));
    Label3 = named(new QLabel(QStringLiteral("Currently Set Deptt. is "), this), QStringLiteral("Label3"));
    for (int i = 0; i < 2; ++i) {
        Text1[i] = named(new QLineEdit(this), QStringLiteral("Text1"), i);
        Text1[i]->setEchoMode(QLineEdit::Password);
        Text1[i]->installEventFilter(this);
    }
    OK = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OK"));
    ChangePwd = named(new QPushButton(QStringLiteral("Change Password"), this), QStringLiteral("ChangePwd"));
    Accept = named(new QPushButton(QStringLiteral("Accept"), this), QStringLiteral("Accept"));
    Close = named(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("Close"));
    // Enter in a box runs its own command; the buttons must not run it again.
    for (QPushButton* b : {OK, ChangePwd, Accept, Close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* g = new QGridLayout(this);
    QFont bold = Label1[0]->font();
    bold.setBold(true);
    Label1[0]->setFont(bold);
    g->addWidget(Label1[0], 0, 0, 1, 2);
    g->addWidget(Label2, 0, 2, 1, 2, Qt::AlignRight);
    g->addWidget(Label3, 1, 0, 1, 4);
    g->addWidget(Label1[1], 2, 0);
    g->addWidget(Text1[0], 2, 1);
    g->addWidget(OK, 2, 2);
    g->addWidget(ChangePwd, 2, 3);
    g->addWidget(Label1[2], 3, 0);
    g->addWidget(Text1[1], 3, 1);
    g->addWidget(Accept, 3, 2);
    g->addWidget(Close, 3, 3);

    // Tab order: row by row, as the boxes and buttons stand.
    tabInOrder({Text1[0], OK, ChangePwd, Text1[1], Accept, Close});

    connect(OK, &QPushButton::clicked, this, &DataEntPwd::okClicked);
    connect(ChangePwd, &QPushButton::clicked, this, &DataEntPwd::changePwdClicked);
    connect(Accept, &QPushButton::clicked, this, &DataEntPwd::acceptClicked);
    connect(Close, &QPushButton::clicked, this, &DataEntPwd::hide);
    connect(Text1[0], &QLineEdit::returnPressed, this, &DataEntPwd::okClicked);
    connect(Text1[1], &QLineEdit::returnPressed, this, &DataEntPwd::acceptClicked);
    setRowOpen(false);
}

void DataEntPwd::setRowOpen(bool open)
{
    rowOpen_ = open;
    Label1[2]->setVisible(open);
    Text1[1]->setVisible(open);
    Accept->setVisible(open);
    adjustSize();
}

bool DataEntPwd::eventFilter(QObject* watched, QEvent* event)
{
    // A password is always typed afresh.
    if (event->type() == QEvent::FocusIn)
        for (QLineEdit* t : Text1)
            if (watched == t)
                t->clear();
    return QDialog::eventFilter(watched, event);
}

void DataEntPwd::okClicked()
{
    if (admin::passwordAccepted(Text1[0]->text(), app::globals().DeptPwd, app::today())) {
        hide();
        Windows& w = windows();
        if (w.report)
            w.report->hide();
        Main* m = ensureMain();
        m->show();
        m->raise();
        return;
    }
    app::dialogs().message(QStringLiteral("INCORRECT PASSWORD, TRY AGAIN."), app::style::Critical);
    Text1[0]->clear();
}

void DataEntPwd::changePwdClicked()
{
    if (admin::passwordAccepted(Text1[0]->text(), app::globals().DeptPwd, app::today())) {
        setRowOpen(true);
        Text1[1]->setFocus();
        Text1[1]->clear();
        return;
    }
    app::dialogs().message(QStringLiteral("Incorrect password. Enter Current password\r\nin the box above and try again."),
                           app::style::Critical);
    Text1[0]->setFocus();
    Text1[0]->clear();
}

void DataEntPwd::acceptClicked()
{
    const QString pwd = Text1[1]->text();
    app::writeSetting(QStringLiteral("DepttSetting"), QStringLiteral("DeptPwd"), pwd);
    app::globals().DeptPwd = pwd;
    app::dialogs().message(QStringLiteral("Password Changed Successfully."), app::style::Information);
    setRowOpen(false);
    hide();
}

} // namespace ui
