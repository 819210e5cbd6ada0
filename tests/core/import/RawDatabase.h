// SPDX-License-Identifier: MIT
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariant>
#include <QtDebug>

namespace brevanta::test {

// Talks to a journal file behind the store's back, as another program would: for triggers that
// make a save fail, and for reading what reached the file.
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

} // namespace brevanta::test
