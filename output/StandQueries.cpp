#include "StandQueries.h"

#include "SqlSupport.h"
#include "StandDatabase.h"
#include "TFJHKSest.h"

#include <QSqlQuery>

namespace StandQueries {

namespace {

std::vector<QSqlRecord> run(StandDatabase& db, const QString& sql, const QString& what) {
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        SqlSupport::Fail(q, what);
    std::vector<QSqlRecord> rows;
    while (q.next())
        rows.push_back(q.record());
    return rows;
}

} // namespace

QString QSestavaStandCondition(int key) {
    return QStringLiteral("and  RivwoodSes.KLIC  = ") + QString::number(key);
}

std::vector<QSqlRecord> QSestava(StandDatabase& db, int key) {
    QStringList lines = TFJHKSest::QSestavaLines();
    lines[10] = QSestavaStandCondition(key);
    return run(db, lines.join(u'\n'), QStringLiteral("QSestava"));
}

std::vector<QSqlRecord> QPor(StandDatabase& db) {
    return run(db, TFJHKSest::QPorLines().join(u'\n'), QStringLiteral("QPor"));
}

bool HasSummary(StandDatabase& db, int key) {
    QSqlQuery q = SqlSupport::Exec(
        db.connection(),
        QStringLiteral("select VYPOCTENO, SOUHRN from RivwoodPor where KLIC = ? and USED = true"), {key});
    return q.next() && SqlSupport::Boolean(q, 0) && SqlSupport::Boolean(q, 1);
}

QString text(const QSqlRecord& row, const char* field) {
    return row.value(QString::fromLatin1(field)).toString().trimmed();
}

double number(const QSqlRecord& row, const char* field) {
    return row.value(QString::fromLatin1(field)).toDouble();
}

} // namespace StandQueries
