#pragma once
// The departmental password dialog that guards the data-entry window.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

class DataEntPwd : public QDialog {
    Q_OBJECT
public:
    explicit DataEntPwd(QWidget* parent = nullptr);

    QLabel* Label1[3] = {};
    QLabel* Label2 = nullptr;   // today's date
    QLabel* Label3 = nullptr;   // department guarded
    QLineEdit* Text1[2] = {};   // password, new password
    QPushButton* OK = nullptr;
    QPushButton* ChangePwd = nullptr;
    QPushButton* Accept = nullptr;
    QPushButton* Close = nullptr;

    // True while the new-password row is open.
    bool newPasswordRowOpen() const { return rowOpen_; }

    void okClicked();
    void changePwdClicked();
    void acceptClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setRowOpen(bool open);
    bool rowOpen_ = false;
};

} // namespace ui
