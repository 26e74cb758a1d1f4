#include "ui/aboutf.h"

#include "ui/common.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

Aboutf::Aboutf(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Aboutf"));
    setWindowTitle(QStringLiteral("About the Author"));
    auto* v = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    auto* about = new QLabel(QStringLiteral("<h2>Karvela</h2><p>Version %1</p>"
                                            "<p>Monthly job cards of an engineering organisation: engineering days "
                                            "booked on jobs, leave, job balances, reports and queries.</p>")
                                 .arg(QStringLiteral(KARVELA_VERSION)),
                             tabs);
    about->setWordWrap(true);
    about->setObjectName(QStringLiteral("AboutText"));
    tabs->addTab(about, QStringLiteral("Karvela"));
    auto* data = new QLabel(QStringLiteral("<p>Data source: ODBC DSN <b>Tessara</b>.</p>"
                                           "<p>Settings are kept per user.</p>"),
                            tabs);
    data->setWordWrap(true);
    tabs->addTab(data, QStringLiteral("Data"));
    v->addWidget(tabs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    v->addWidget(buttons);
    resize(420, 240);
}

} // namespace ui
