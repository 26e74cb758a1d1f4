#pragma once
// One statement on the shared connection, run through the ODBC driver
// directly: values bound as the driver takes them, and each row's values
// read with SQLGetData into the types the program reads them as. Reading
// rows this way costs well under half of what going through QSqlQuery does,
// which matters for the lists of tens of thousands of jobs and bookings.

#include "store/database.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

namespace store::detail {

// What a failed call's state, native code and text say went wrong.
ErrorKind classify(const QString& state, const QString& native, const QString& text);
// What the driver reports of a handle's last call: the first record's state
// and native code, and every record's message.
struct Diagnostics {
    QString state, native, text;
};
Diagnostics diagnosticsOf(short handleType, void* handle);

class Statement {
public:
    // `dbc` is the connection's ODBC handle; texts are read as UTF-8 where
    // `utf8Text` (the driver hands back the stored bytes), else as UTF-16.
    Statement(void* dbc, bool utf8Text);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Each throws DbError (not yet marked as a lost connection).
    void prepare(const QString& sql);
    void execute(const QList<QVariant>& values);
    bool fetch();
    const QVariant& value(int index);

    int columns() const { return int(kinds_.size()); }
    qint64 rowsAffected() const;
    // Closes the open cursor, keeping the statement prepared.
    void close();

    enum class Kind : char { Int, BigInt, Double, Date, Time, DateTime, Text };

private:
    DbError error() const;
    void bind(int index, const QVariant& v);
    void readColumn(int index);
    QVariant readText(int index);

    void* h_ = nullptr;
    int connection_ = 0;
    bool utf8_ = false;
    bool cursor_ = false;
    QList<Kind> kinds_;
    QList<QVariant> row_;
    int read_ = 0;
    // What the bound values point at, kept until the next execute.
    QList<QByteArray> params_;
    QList<qint64> indicators_;
};

} // namespace store::detail
