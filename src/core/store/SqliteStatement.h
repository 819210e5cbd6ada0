// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace brevanta {

/// One prepared statement on the SQLite connection behind a Qt SQL database, stepped through
/// SQLite's own interface. For reading many rows at once: it hands out each column as it is
/// stored, with no value object per cell on the way.
class SqliteStatement {
public:
    /// The reason a statement could not be prepared or stepped, with SQLite's result code.
    struct Failure {
        int code = 0;
        QString description;
    };

    /// Prepares `sql` on `database`, which must be an open QSQLITE connection. Throws Failure.
    SqliteStatement(const QSqlDatabase& database, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int parameter, std::int64_t value);
    /// Rewinds to before the first row, keeping the bindings, to run the statement again.
    void reset();
    /// Moves to the next row; false after the last one. Throws Failure.
    bool next();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    std::optional<std::int64_t> optionalInteger(int column) const;
    /// The column's text as stored (UTF-8), valid until the next step.
    QByteArrayView utf8(int column) const;
    QString text(int column) const;
    std::optional<QString> optionalText(int column) const;

private:
    [[noreturn]] void fail(int code) const;

    sqlite3* m_connection = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace brevanta
