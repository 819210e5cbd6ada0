// SPDX-License-Identifier: MIT
#include "core/store/SqliteStatement.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace brevanta {

namespace {

sqlite3* connectionOf(const QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw SqliteStatement::Failure{SQLITE_MISUSE, QStringLiteral("not an SQLite connection")};
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection)
        throw SqliteStatement::Failure{SQLITE_MISUSE, QStringLiteral("connection is closed")};
    return connection;
}

} // namespace

SqliteStatement::SqliteStatement(const QSqlDatabase& database, const char* sql)
    : m_connection(connectionOf(database)) {
    const int result = sqlite3_prepare_v2(m_connection, sql, -1, &m_statement, nullptr);
    if (result != SQLITE_OK)
        fail(result);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int parameter, std::int64_t value) {
    const int result = sqlite3_bind_int64(m_statement, parameter, value);
    if (result != SQLITE_OK)
        fail(result);
}

void SqliteStatement::reset() {
    // Its result repeats the last step's, already reported there.
    sqlite3_reset(m_statement);
}

bool SqliteStatement::next() {
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    fail(result);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

std::optional<std::int64_t> SqliteStatement::optionalInteger(int column) const {
    if (isNull(column))
        return std::nullopt;
    return integer(column);
}

QByteArrayView SqliteStatement::utf8(int column) const {
    // The text first, then its length: asking for the length first could convert it.
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column));
}

QString SqliteStatement::text(int column) const {
    return QString::fromUtf8(utf8(column));
}

std::optional<QString> SqliteStatement::optionalText(int column) const {
    if (isNull(column))
        return std::nullopt;
    return text(column);
}

void SqliteStatement::fail(int code) const {
    throw Failure{code, QString::fromUtf8(sqlite3_errmsg(m_connection))};
}

} // namespace brevanta
