// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariant>

namespace brevanta::testing {

/// The description of the BrevantaError `operation` throws, or a null string when it throws none.
template <typename Operation> QString failureOf(Operation&& operation) {
    try {
        operation();
    } catch (const BrevantaError& error) {
        return error.description();
    }
    return QString();
}

/// Talks to a journal file behind the store's back, as another program would: the way tests make
/// a real save fail (a trigger that aborts) or look at what is really stored.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        database.open();
    }
    ~RawDatabase() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    bool execute(const QString& statement) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(statement)) {
            qWarning() << statement << query.lastError().text();
            return false;
        }
        return true;
    }
    QVariant value(const QString& statement) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        return query.exec(statement) && query.next() ? query.value(0) : QVariant();
    }

private:
    QString m_name = QStringLiteral("raw-%1").arg(QUuid::createUuid().toString());
};

} // namespace brevanta::testing
