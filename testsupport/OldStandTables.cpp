#include "OldStandTables.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <stdexcept>

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

namespace testsupport {

namespace {

using C = OldColumn;

const std::map<QString, std::vector<OldColumn>>& tables() {
    static const std::map<QString, std::vector<OldColumn>> t = {
        {"RivwoodPor", {{"KLIC", C::Integer},        {"USED", C::Boolean},      {"NazevTok", C::Char, 20},
                        {"NazevBreh", C::Char, 2},   {"NazevRKm", C::Char, 16}, {"NazevAkce", C::Char, 30},
                        {"PLOCHA", C::Numeric},      {"VEK", C::Integer},       {"POC_DREV", C::Smallint},
                        {"KROVINY", C::Numeric},     {"POPIS", C::Char, 80},    {"KOMENT", C::Blob, 1},
                        {"KODPOROSTU", C::Char, 70}, {"DATUM", C::Char, 16},    {"VYPOCTENO", C::Boolean},
                        {"SOUHRN", C::Boolean},      {"ZAVOD", C::Char, 80},    {"PROVOZ", C::Char, 80},
                        {"TAXATOR", C::Char, 80},    {"UZIVATEL", C::Char, 80}}},
        {"RivwoodDre",
         {{"KLIC", C::Integer},
          {"DR_ZKR", C::Char, 3},
          {"DR_VYP", C::Char, 3},
          {"DR_TAB", C::Char, 3},
          {"JHK", C::Smallint},
          {"TLOUSTKA", C::Numeric},
          {"VYPOC_TL", C::Boolean},
          {"VYSKA", C::Numeric},
          {"VYPOCTENO", C::Boolean},
          {"TAB_ZAS", C::Numeric},
          {"TL_INTERVAL", C::Smallint},
          {"POCET_TL", C::Smallint},
          {"TL_MIN", C::Numeric}}},
        {"RivwoodTlo",
         {{"KLIC", C::Integer},
          {"DR_ZKR", C::Char, 3},
          {"TLOUSTKA", C::Numeric},
          {"CETNOST", C::Numeric},
          {"OBJEMJ", C::Numeric},
          {"OBJEMC", C::Numeric}}},
        {"RivwoodSes", {{"KLIC", C::Integer},       {"PLOCHA", C::Numeric},     {"ZAKM", C::Numeric},
                        {"DR_ZKR", C::Char, 3},     {"DR_KOD", C::Smallint},    {"POR_V_ZAP", C::Smallint},
                        {"DR_ZAKM", C::Numeric},    {"DR_PLO", C::Numeric},     {"DR_PLO_RED", C::Numeric},
                        {"DR_PLO_RHA", C::Numeric}, {"DR_ZAST", C::Numeric},    {"JEHL", C::Boolean},
                        {"VYSKA", C::Numeric},      {"TLOUSTKA", C::Numeric},   {"JHK", C::Numeric},
                        {"GHA", C::Numeric},        {"DR_G", C::Numeric},       {"ZTJ", C::Numeric},
                        {"ZTL", C::Numeric},        {"ZT", C::Numeric},         {"ZHA", C::Numeric},
                        {"ZHA_JEHL", C::Numeric},   {"ZHA_LIST", C::Numeric},   {"DR_ZAS_J", C::Numeric},
                        {"DR_ZAS_L", C::Numeric},   {"DR_ZAS_CEL", C::Numeric}, {"STRANKA", C::Smallint}}},
        {"RivwoodVys",
         {{"KLIC", C::Integer}, {"DR_ZKR", C::Char, 3}, {"TLOUSTKA", C::Numeric}, {"VYSKA", C::Numeric}}},
    };
    return t;
}

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// The text in the code page, converted by iconv.
QByteArray encode(const QString& text, int codePage) {
    const QByteArray from = text.toUtf8();
    iconv_t cd = iconv_open(QByteArray("CP" + QByteArray::number(codePage)).constData(), "UTF-8");
    if (cd == iconv_t(-1))
        fail(QString("iconv: kódová stránka %1").arg(codePage));
    QByteArray out(from.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(from.constData());
    size_t inLeft = size_t(from.size());
    char* dst = out.data();
    size_t outLeft = size_t(out.size());
    const size_t done = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (done == size_t(-1))
        fail(QString("iconv: „%1“ nelze převést do cp%2").arg(text).arg(codePage));
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

void collectError(pxdoc_t*, int, const char* message, void* data) {
    *static_cast<std::string*>(data) = message;
}

char pxType(OldColumn::Type type) {
    switch (type) {
    case C::Char:
        return pxfAlpha;
    case C::Numeric:
        return pxfNumber;
    case C::Smallint:
        return pxfShort;
    case C::Integer:
        return pxfLong;
    case C::Boolean:
        return pxfLogical;
    case C::Blob:
        return pxfMemoBLOb;
    }
    return 0;
}

int pxSize(const OldColumn& c) {
    switch (c.type) {
    case C::Char:
        return c.size;
    case C::Numeric:
        return 8;
    case C::Smallint:
        return 2;
    case C::Integer:
        return 4;
    case C::Boolean:
        return 1;
    case C::Blob:
        return c.size + 10;
    }
    return 0;
}

} // namespace

const std::vector<OldColumn>& OldTableColumns(const QString& table) {
    const auto it = tables().find(table);
    if (it == tables().end())
        fail("neznámá tabulka " + table);
    return it->second;
}

int OldTableKeyColumns(const QString& table) {
    return table == "RivwoodPor" ? 1 : table == "RivwoodDre" ? 2 : 0;
}

struct ParadoxTableWriter::Document {
    pxdoc_t* px = nullptr;
    std::string error;
};

ParadoxTableWriter::ParadoxTableWriter(const QString& path, const std::vector<OldColumn>& columns,
                                       int keyColumns, int codePage)
    : m_doc(new Document), m_columns(columns), m_codePage(codePage) {
    static const bool booted = [] {
        PX_boot();
        return true;
    }();
    (void)booted;
    m_doc->px = PX_new3(collectError, nullptr, nullptr, nullptr, &m_doc->error);
    // pxlib owns the field list and frees it with the document.
    auto* fields = static_cast<pxfield_t*>(std::calloc(columns.size(), sizeof(pxfield_t)));
    bool memo = false;
    for (size_t i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = strdup(columns[i].name);
        fields[i].px_ftype = pxType(columns[i].type);
        fields[i].px_flen = pxSize(columns[i]);
        memo = memo || columns[i].type == C::Blob;
    }
    const QByteArray file = QFile::encodeName(path);
    if (PX_create_file(m_doc->px, fields, int(columns.size()), file.constData(),
                       keyColumns > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB) < 0)
        fail(QString("pxlib: %1: %2").arg(path, QString::fromStdString(m_doc->error)));
    if (keyColumns > 0)
        PX_set_value(m_doc->px, "numprimkeys", float(keyColumns));
    PX_set_value(m_doc->px, "codepage", float(codePage));
    PX_set_parameter(m_doc->px, "tablename", QFileInfo(path).completeBaseName().toLatin1().constData());
    if (memo) {
        const QFileInfo info(path);
        const QByteArray mb = QFile::encodeName(info.dir().filePath(info.completeBaseName() + ".mb"));
        if (PX_set_blob_file(m_doc->px, mb.constData()) < 0)
            fail(QString("pxlib: %1: %2").arg(path, QString::fromStdString(m_doc->error)));
    }
}

ParadoxTableWriter::~ParadoxTableWriter() {
    close();
    delete m_doc;
}

void ParadoxTableWriter::addRow(const std::vector<QVariant>& values) {
    if (values.size() != m_columns.size())
        fail(QString("řádek má %1 hodnot, tabulka %2 sloupců").arg(values.size()).arg(m_columns.size()));
    pxdoc_t* px = m_doc->px;
    std::vector<pxval_t*> row(values.size());
    std::vector<QByteArray> texts(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        MAKE_PXVAL(px, row[i]);
        const OldColumn& c = m_columns[i];
        const QVariant& v = values[i];
        row[i]->type = pxType(c.type);
        row[i]->isnull = v.isNull() ? 1 : 0;
        if (v.isNull())
            continue;
        switch (c.type) {
        case C::Char:
        case C::Blob:
            texts[i] = encode(v.toString(), m_codePage);
            if (c.type == C::Char && texts[i].size() > c.size)
                fail(QString("„%1“ je delší než sloupec %2").arg(v.toString(), c.name));
            row[i]->value.str.val = texts[i].data();
            row[i]->value.str.len = int(texts[i].size());
            break;
        case C::Numeric:
            row[i]->value.dval = v.toDouble();
            break;
        case C::Smallint:
        case C::Integer:
            row[i]->value.lval = v.toInt();
            break;
        case C::Boolean:
            row[i]->value.lval = v.toBool() ? 1 : 0;
            break;
        }
    }
    const int written = PX_insert_record(px, row.data());
    for (pxval_t* v : row)
        FREE_PXVAL(px, v);
    if (written < 0)
        fail(QString("pxlib: %1").arg(QString::fromStdString(m_doc->error)));
}

void ParadoxTableWriter::deleteRow(int row) {
    if (PX_delete_record(m_doc->px, row) < 0)
        fail(QString("pxlib: %1").arg(QString::fromStdString(m_doc->error)));
}

void ParadoxTableWriter::close() {
    if (!m_doc->px)
        return;
    PX_close(m_doc->px);
    PX_delete(m_doc->px);
    m_doc->px = nullptr;
}

void WriteOldTable(const QString& directory, const QString& table,
                   const std::vector<std::vector<QVariant>>& rows, int codePage) {
    ParadoxTableWriter writer(QDir(directory).filePath(table + ".db"), OldTableColumns(table),
                              OldTableKeyColumns(table), codePage);
    for (const auto& row : rows)
        writer.addRow(row);
}

void WriteOldDatabase(const QString& directory, int stands, int species, int classes, int heights) {
    const char* const names[] = {"SM", "BO", "JD", "MD", "DB", "BK", "OL", "JS"};
    species = std::min(species, 8);
    classes = std::min(classes, 11);
    const QVariant null;
    const auto writer = [&](const char* table) {
        return std::make_unique<ParadoxTableWriter>(QDir(directory).filePath(QString(table) + ".db"),
                                                    OldTableColumns(table), OldTableKeyColumns(table));
    };
    auto por = writer("RivwoodPor"), dre = writer("RivwoodDre"), tlo = writer("RivwoodTlo"),
         ses = writer("RivwoodSes"), vys = writer("RivwoodVys");
    for (int key = 1; key <= stands; ++key) {
        const QString km = QString::number(key % 1000);
        por->addRow(
            {key,
             true,
             QString("Želivka %1").arg(key % 97),
             "L",
             km,
             QString("Údržba břehů %1").arg(key),
             10000.0 + key,
             40 + key % 60,
             species,
             0.5 * (key % 7),
             QString("Porost č. %1").arg(key),
             QString("Poznámka k porostu %1: olše a vrby. ").arg(key).repeated(key % 10 == 0 ? 60 : 2),
             QString("Želivka L %1").arg(km),
             "3.5.1998",
             true,
             true,
             "Povodí Vltavy",
             "Provoz Jih",
             "Ing. Řehoř Šťastný",
             "Šárka"});
        // Keyed by species abbreviation: the key order is the alphabetical one.
        std::vector<int> order(size_t(species), 0);
        for (int s = 0; s < species; ++s)
            order[size_t(s)] = s;
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return QString(names[a]) < QString(names[b]); });
        for (const int s : order) {
            const QString zkr = names[s];
            dre->addRow(
                {key, zkr, zkr, zkr, 2400 + s, 20.0 + s, true, 22.5 + s, true, 300.0 + s, 4, 12, 10.0});
        }
        for (int s = 0; s < species; ++s) {
            const QString zkr = names[s];
            for (int c = 1; c <= classes; ++c)
                tlo->addRow({key, zkr, 10.0 + 4 * (c - 1), double(1 + (key + c) % 9), 0.01 * c,
                             0.01 * c * (1 + (key + c) % 9)});
            ses->addRow({key,
                         10000.0 + key,
                         0.9,
                         zkr,
                         10 + s,
                         s + 1,
                         0.1,
                         1000.0,
                         900.0,
                         0.09,
                         12.5,
                         s < 4,
                         22.5 + s,
                         20.0 + s,
                         2400.0 + s,
                         1.5,
                         3.0,
                         s < 4 ? QVariant(300.0 + s) : null,
                         s < 4 ? null : QVariant(300.0 + s),
                         300.0 + s,
                         40.0,
                         s < 4 ? QVariant(40.0) : null,
                         s < 4 ? null : QVariant(40.0),
                         s < 4 ? QVariant(50.0) : null,
                         s < 4 ? null : QVariant(50.0),
                         50.0,
                         null});
            for (int h = 0; h < heights; ++h)
                vys->addRow({key, zkr, 12.0 + 6 * h, 14.0 + 3.5 * h});
        }
    }
}

} // namespace testsupport
