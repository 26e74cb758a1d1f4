#include "ui/cardsmenu.h"

#include "app/dialogs.h"
#include "entry/cardsheets.h"
#include "output/cards.h"
#include "store/database.h"
#include "ui/main.h"

#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ui {

QMenu* addCardsMenu(Main* w)
{
    auto* menu = new QMenu(QStringLiteral("&Cards"), w);
    menu->setObjectName(QStringLiteral("CardsMenu"));
    QAction* print = menu->addAction(QStringLiteral("Print Cards..."));
    print->setObjectName(QStringLiteral("PrintCards"));
    w->menuBar()->insertMenu(w->aboutAction, menu);
    QObject::connect(print, &QAction::triggered, w, [w] { printCards(w); });
    return menu;
}

void printCards(Main* w)
{
    w->FindDuration();
    const QString department = w->departmentPicker->currentText();
    QList<entry::PrintedCard> cards;
    try {
        cards = entry::cardsOf(department, w->ToDate);
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\nPrintCards SubRoutine\r\n") + e.description(),
                               app::style::Critical);
        return;
    }
    if (cards.isEmpty()) {
        app::dialogs().message(entry::noCardsMessage(department, w->ToDate), app::style::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 18, 15),
                                      QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("Job cards ") + department);
    QPrintPreviewDialog dialog(&printer, w);
    dialog.setObjectName(QStringLiteral("CardsPreviewDialog"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, w,
                     [&cards](QPrinter* p) { output::paintCards(*p, cards); });
    dialog.resize(w->size());
    dialog.exec();
}

} // namespace ui
