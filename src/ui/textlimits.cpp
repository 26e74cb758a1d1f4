#include "ui/textlimits.h"

#include "store/schema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace ui {

namespace {

// The column each stored text box goes to: window, box, table, column.
struct BoxColumn {
    const char* window;
    const char* box;
    const char* table;
    const char* column;
};
constexpr BoxColumn kBoxColumns[] = {
    {"Main", "Text6", "jobs", "JobName"},
    {"Main", "Text7", "jobs", "ClientCo"},
    {"OptSet", "Text2_0", "employees", "EmpName"},
    {"OptSet", "Text2_1", "employees", "Designation"},
    {"OptSet", "Text2_2", "employees", "Emp_Addr"},
    {"OptSet", "Combo1", "employees", "Deptt"},
    {"OptSet", "Combo2", "employees", "Grade"},
};

class TextGuard : public QValidator {
public:
    TextGuard(QLineEdit* box, int length) : QValidator(box), box_(box), length_(length) {}
    State validate(QString& input, int&) const override
    {
        if (input.contains(QChar(0)))
            return Invalid;
        // One more character typed into a full box is not taken.
        if (length_ > 0 && input.size() > length_ && box_->text().size() >= length_)
            return Invalid;
        return Acceptable;
    }

private:
    QLineEdit* box_;
    int length_;
};

// The box's name as the table above names it (an editable picker's own
// line edit goes by the picker's name).
QString boxName(const QLineEdit* box)
{
    if (!box->objectName().isEmpty())
        return box->objectName();
    if (const auto* combo = qobject_cast<const QComboBox*>(box->parent()))
        return combo->objectName();
    return {};
}

} // namespace

void guardTextBoxes(QWidget* window)
{
    const QString windowName = window->objectName();
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->validator())
            continue;
        int length = 0;
        const QString name = boxName(box);
        for (const BoxColumn& b : kBoxColumns)
            if (windowName == QLatin1String(b.window) && name == QLatin1String(b.box))
                length = store::textLength(QLatin1String(b.table), QLatin1String(b.column));
        box->setValidator(new TextGuard(box, length));
    }
}

} // namespace ui
