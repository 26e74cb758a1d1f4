#pragma once
// The three per-user settings and the globals read from them at start-up.

#include <QString>
#include <QVariant>

namespace app {

inline constexpr const char* kAppName = "karvela";

// Settings store: organisation and application are both the program's name.
QString readSetting(const QString& section, const QString& key, const QString& fallback = QString());
void writeSetting(const QString& section, const QString& key, const QString& value);
// Reads and writes a setting of any kind (window places and sizes) under
// "section/key", with the same private file as writeSetting.
QVariant readSettingValue(const QString& section, const QString& key);
void writeSettingValue(const QString& section, const QString& key, const QVariant& value);

struct Globals {
    QString Department; // position of the default department, as text
    QString DeptPwd;    // departmental password
    QString StartDate;  // card start day, "1" to "28"
};

// Reads the three settings ("21" when no start day is stored).
Globals readGlobals();
// The program-wide values, read once at start-up.
Globals& globals();

} // namespace app
