#include "DatabaseSchema.h"

namespace DatabaseSchema {

namespace {

QString old(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

QString CreateStatement(StandDatabase::Table table) {
    const QString n = Numeric;
    switch (table) {
    case StandDatabase::Por:
        return "create table rivwoodpor (KLIC INTEGER, USED BOOLEAN, NazevTok CHAR(20), NazevBreh CHAR(2), "
               "NazevRKm CHAR(16), NazevAkce CHAR(30), PLOCHA " +
               n + ", VEK INTEGER, POC_DREV SMALLINT, KROVINY " + n +
               ", POPIS CHAR(80), KOMENT BLOB(1), KODPOROSTU CHAR(70), DATUM CHAR(16), VYPOCTENO BOOLEAN, "
               "SOUHRN BOOLEAN, PRIMARY KEY (KLIC))";
    case StandDatabase::Dre:
        return "create table rivwooddre (KLIC INTEGER, DR_ZKR CHAR(3), DR_VYP CHAR(3), DR_TAB CHAR(3), "
               "JHK SMALLINT, TLOUSTKA " +
               n + ", VYPOC_TL BOOLEAN, VYSKA " + n + ", VYPOCTENO BOOLEAN, TAB_ZAS " + n +
               ", TL_INTERVAL SMALLINT, POCET_TL SMALLINT, TL_MIN " + n + ", PRIMARY KEY (KLIC, DR_ZKR))";
    case StandDatabase::Tlo:
        return "create table rivwoodtlo (KLIC INTEGER, DR_ZKR CHAR(3), TLOUSTKA " + n + ", CETNOST " + n +
               ", OBJEMJ " + n + ", OBJEMC " + n + ")";
    case StandDatabase::Ses: {
        QString s = "create table rivwoodses (KLIC INTEGER, PLOCHA " + n + ", ZAKM " + n +
                    ", DR_ZKR CHAR(3), DR_KOD SMALLINT, POR_V_ZAP SMALLINT";
        for (const char* c : {"DR_ZAKM", "DR_PLO", "DR_PLO_RED", "DR_PLO_RHA", "DR_ZAST"})
            s += QString(", %1 %2").arg(c, n);
        s += ", JEHL BOOLEAN";
        for (const char* c : {"VYSKA", "TLOUSTKA", "JHK", "GHA", "DR_G", "ZTJ", "ZTL", "ZT", "ZHA",
                              "ZHA_JEHL", "ZHA_LIST", "DR_ZAS_J", "DR_ZAS_L", "DR_ZAS_CEL"})
            s += QString(", %1 %2").arg(c, n);
        return s + ", STRANKA SMALLINT)";
    }
    case StandDatabase::Vys:
        return "create table rivwoodvys (KLIC INTEGER, DR_ZKR CHAR(3), TLOUSTKA " + n + ", VYSKA " + n + ")";
    }
    return {};
}

QStringList OldTableNames() {
    return {old("rivwoopor"), old("jhkdre"), old("jhktlo"), old("jhkses"), old("jhkvys")};
}

QString StandIndexName(StandDatabase::Table table) {
    return StandDatabase::TableName(table).toLower() + "_klic";
}

} // namespace DatabaseSchema
