#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Czech dictionary order in SQL. The collation "CZECH" (QCollator, locale cs_CZ, case ignored)
// sorts as Czech dictionaries do: č after c, ř after r, š after s, ž after z, "ch" after "h",
// accents of á, é, í, ó, ú, ů, ý and ď, ť, ň only breaking ties, capitals equal to small letters.
// The file backend registers it on its connection (a server database holds a collation "czech"
// of the same order, through ICU); queries name it in their "order by".
namespace CzechCollation {

inline constexpr const char* Name = "CZECH";

// The comparison behind the collation: negative, 0 or positive.
int Compare(QStringView a, QStringView b);

// An "order by" clause with the collation on every text term: "order by A, B desc" becomes
// "order by A collate CZECH, B collate CZECH desc"; number columns (KLIC, DR_KOD, …) stay as
// they are. Other text is returned unchanged.
QString OrderBy(const QString& clause);
// A query given line by line, its "order by" line collated.
QStringList Collated(QStringList lines);

} // namespace CzechCollation
