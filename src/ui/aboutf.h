#pragma once
#include <QDialog>

namespace ui {
// The about window: the program's name, version and purpose.
class Aboutf : public QDialog {
    Q_OBJECT
public:
    explicit Aboutf(QWidget* parent = nullptr);
};
} // namespace ui
