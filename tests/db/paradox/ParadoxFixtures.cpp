#include "ParadoxFixtures.h"

QVariant Text(const char* s) {
    return QString::fromUtf8(s);
}

QString LongMemo() {
    QString s;
    for (int i = 0; s.size() < 3000; ++i)
        s += QString("Řádek %1: břeh podemletý, olše a vrby přestárlé; ošetřit do 31. 3.\r\n").arg(i);
    return s;
}

Rows StandRows() {
    const QVariant null;
    return {
        {1,
         true,
         Text("Želivka"),
         Text("L"),
         Text("12,5–13,0"),
         Text("Údržba břehových porostů"),
         12500.5,
         45,
         2,
         0.0,
         Text("Příliš žluťoučký kůň úpěl ďábelské ódy"),
         LongMemo(),
         Text("Želivka L 12,5–13,0"),
         Text("3.5.1998"),
         true,
         false,
         Text("Povodí Vltavy"),
         Text("České Budějovice"),
         Text("Ing. Řehoř Šťastný"),
         Text("Šárka")},
        {2,    false, null, null, null, null, null, null, null, null,
         null, null,  null, null, null, null, null, null, null, null},
        {3,
         true,
         Text("Ohře"),
         Text("P"),
         Text("0"),
         Text("Akce"),
         -0.25,
         null,
         -3,
         1e-7,
         Text("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž"),
         Text("Krátká poznámka: jasan, lípa, dub letní."),
         null,
         null,
         false,
         true,
         null,
         null,
         null,
         null},
        {4,    true,      Text("Jizera"), null, null, null, 1e300, 2147483647, 32767, -1e-300,
         null, Text("x"), null,           null, null, null, null,  null,       null,  null},
    };
}

Rows ClassRows(int count) {
    Rows rows;
    const char* species[] = {"SM", "BO", "DB", "OL", "JS"};
    for (int i = 0; i < count; ++i)
        rows.push_back({1000 + i / 8, QString::fromLatin1(species[i % 5]), 8.0 + 4 * (i % 8), double(i % 17),
                        0.01 * i, -0.5 * i});
    return rows;
}

Rows ReadAll(ParadoxTable& table) {
    Rows rows;
    while (table.next()) {
        std::vector<QVariant> row;
        for (size_t f = 0; f < table.header().fields.size(); ++f)
            row.push_back(table.value(int(f)));
        rows.push_back(row);
    }
    return rows;
}

Rows ReadAll(const QString& path) {
    ParadoxTable table(path);
    return ReadAll(table);
}
