#include "ui/program.h"

#include "app/dialogs.h"
#include "ui/aboutf.h"
#include "ui/closedmonth.h"
#include "ui/dataentpwd.h"
#include "ui/main.h"
#include "ui/optset.h"
#include "ui/qtdialogs.h"
#include "ui/reportsection.h"
#include "ui/textlimits.h"

#include <QApplication>

namespace ui {

Windows& windows()
{
    static Windows w;
    return w;
}

Main* ensureMain()
{
    Windows& w = windows();
    if (!w.main) {
        w.main = new Main();
        w.main->load();
        guardTextBoxes(w.main);
    }
    return w.main;
}

OptSet* ensureOptSet()
{
    Windows& w = windows();
    if (!w.optSet) {
        w.optSet = new OptSet();
        w.optSet->load();
        guardTextBoxes(w.optSet);
    } else if (!w.optSet->isVisible()) {
        // Its lists are filled afresh at every opening.
        w.optSet->load();
    }
    return w.optSet;
}

void showAbout()
{
    Windows& w = windows();
    if (!w.about)
        w.about = new Aboutf();
    w.about->show();
    w.about->raise();
}

bool startProgram()
{
    Windows& w = windows();
    w.report = new ReportSection();
    guardTextBoxes(w.report);
    const bool started = w.report->load();
    if (w.pwd)
        guardTextBoxes(w.pwd);
    if (started)
        noteUpgradeNeeded(w.report->StatusBar1);
    return started;
}

void closeProgram()
{
    Windows& w = windows();
    delete w.optSet;
    delete w.about;
    delete w.pwd;
    delete w.main;
    delete w.report;
    w = Windows{};
}

int runProgram(QApplication& app)
{
    static QtDialogs boxes;
    app::setDialogs(&boxes);
    QApplication::setQuitOnLastWindowClosed(false);
    if (!startProgram())
        return 1;
    return app.exec();
}

} // namespace ui
