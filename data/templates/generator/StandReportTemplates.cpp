#include "StandReportTemplates.h"

#include "TPredloha.h"
#include "TemplateWriter.h"

namespace StandReportTemplates {

namespace {

const QString kFont = QStringLiteral("Arial CE");
constexpr int kBold = TSiReportElement::Bold;
constexpr int kLeft = TSiReportElement::AlignLeft;
constexpr int kRight = TSiReportElement::AlignRight;
constexpr int kCentre = TSiReportElement::AlignCenter;
constexpr int kWidth = 726; // printable width: 826 less the margins 60 and 40

// Group restart numbers of the functions.
constexpr int kWholeReport = 0;
constexpr int kPerRiver = 2; // group 0 changes
constexpr int kPerStand = 3; // group 1 changes

TSiReportElement textLike(int kind, int x, int y, int w, int h, int size, int style, int alignment) {
    TSiReportElement e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.width = w;
    e.height = h;
    e.fontName = kFont;
    e.fontSize = size;
    e.style = style;
    e.alignment = alignment;
    e.charset = 238; // central European
    return e;
}

void text(TOddilSestavy& s, int x, int y, int w, const QString& t, int style = 0, int alignment = kLeft,
          int size = 10) {
    TSiReportElement e = textLike(TSiReportElement::Text, x, y, w, 18, size, style, alignment);
    e.text = t;
    s.elements.push_back(e);
}

void field(TOddilSestavy& s, int x, int y, int w, const QString& name, int style = 0, int alignment = kLeft,
           int size = 10) {
    TSiReportElement e = textLike(TSiReportElement::FieldValue, x, y, w, 18, size, style, alignment);
    e.sourceName = name;
    s.elements.push_back(e);
}

void function(TOddilSestavy& s, int x, int y, int w, const QString& name, int style = 0, int size = 10) {
    TSiReportElement e = textLike(TSiReportElement::Function, x, y, w, 18, size, style, kRight);
    e.sourceName = name;
    s.elements.push_back(e);
}

void variable(TOddilSestavy& s, int x, int y, int w, int number, const QString& format, int alignment,
              int size = 9) {
    TSiReportElement e = textLike(TSiReportElement::Variable, x, y, w, 18, size, 0, alignment);
    e.source = number;
    e.text = format;
    s.elements.push_back(e);
}

void rule(TOddilSestavy& s, int y, int lineWidth = 1) {
    TSiReportElement e;
    e.kind = TSiReportElement::Line;
    e.source = 0; // horizontal through the middle of its box
    e.x = 0;
    e.y = y;
    e.width = kWidth;
    e.height = 3;
    e.fontName.clear();
    e.lineWidth = lineWidth;
    e.flags = TSiReportElement::FlagNoFill;
    e.fillColour = 15;
    s.elements.push_back(e);
}

void addFunction(TSestavaTyp& r, const QString& name, const QString& caption, const QString& expression,
                 int aggregate, int resetGroup, int digits) {
    TemplateFunction f;
    f.name = name;
    f.caption = caption;
    f.expression = expression;
    f.aggregate = aggregate;
    f.resetGroup = resetGroup;
    f.digits = digits;
    f.floatFormat = 2;
    r.functions().push_back(f);
}

// Columns of the species lines: x and width, shared by captions, values and totals.
struct Column {
    int x;
    int w;
};
const Column kSpecies{0, 60}, kDiameter{60, 75}, kHeight{135, 70}, kShare{205, 90}, kReduced{295, 85},
    kConifer{380, 85}, kBroadleaf{465, 85}, kTotal{550, 85}, kPerHa{635, 91};

void functions(TSestavaTyp& r) {
    // Values of one species line.
    addFunction(r, "Tloustka", "Tloušťka středního kmene", "#TLOUSTKA", 0, kWholeReport, 1);
    addFunction(r, "Vyska", "Výška středního kmene", "#VYSKA", 0, kWholeReport, 1);
    addFunction(r, "Zastoupeni", "Zastoupení dřeviny", "#DR_ZAST", 0, kWholeReport, 1);
    addFunction(r, "RedPlocha", "Redukovaná plocha dřeviny", "#DR_PLO_RED", 0, kWholeReport, 0);
    addFunction(r, "ZasobaJehl", "Zásoba jehličnaté dřeviny", "#DR_ZAS_J", 0, kWholeReport, 2);
    addFunction(r, "ZasobaList", "Zásoba listnaté dřeviny", "#DR_ZAS_L", 0, kWholeReport, 2);
    addFunction(r, "ZasobaCelk", "Zásoba dřeviny", "#DR_ZAS_CEL", 0, kWholeReport, 2);
    addFunction(r, "ZasobaHa", "Zásoba dřeviny na hektar", "#ZHA", 0, kWholeReport, 1);
    // Stand header values.
    addFunction(r, "PlochaPor", "Plocha porostu", "#PLOCHA", 0, kWholeReport, 0);
    addFunction(r, "Kroviny", "Plocha křovin", "#KROVINY", 0, kWholeReport, 0);
    addFunction(r, "Zakmeneni", "Zakmenění porostu (desetiny)", "#ZAKM*10", 0, kWholeReport, 1);
    // Stand totals.
    addFunction(r, "PorZast", "Zastoupení celkem", "#DR_ZAST", 2, kPerStand, 1);
    addFunction(r, "PorRedPl", "Redukovaná plocha celkem", "#DR_PLO_RED", 2, kPerStand, 0);
    addFunction(r, "PorJehl", "Zásoba jehličnanů porostu", "#DR_ZAS_J", 2, kPerStand, 2);
    addFunction(r, "PorList", "Zásoba listnáčů porostu", "#DR_ZAS_L", 2, kPerStand, 2);
    addFunction(r, "PorCelk", "Zásoba porostu", "#DR_ZAS_CEL", 2, kPerStand, 2);
    addFunction(r, "PorHa", "Zásoba porostu na hektar", "@PorCelk*10000/#PLOCHA", 0, kPerStand, 1);
    // River totals.
    addFunction(r, "TokJehl", "Zásoba jehličnanů toku", "#DR_ZAS_J", 2, kPerRiver, 2);
    addFunction(r, "TokList", "Zásoba listnáčů toku", "#DR_ZAS_L", 2, kPerRiver, 2);
    addFunction(r, "TokCelk", "Zásoba toku", "#DR_ZAS_CEL", 2, kPerRiver, 2);
    // Report totals.
    addFunction(r, "VseJehl", "Zásoba jehličnanů celkem", "#DR_ZAS_J", 2, kWholeReport, 2);
    addFunction(r, "VseList", "Zásoba listnáčů celkem", "#DR_ZAS_L", 2, kWholeReport, 2);
    addFunction(r, "VseCelk", "Zásoba celkem", "#DR_ZAS_CEL", 2, kWholeReport, 2);
}

void reportStart(TSestavaTyp& r) {
    TOddilSestavy& s = *r.section(TOddilSestavy::Zacatek);
    s.visible = true;
    s.height = 96;
    TSiReportElement title = textLike(TSiReportElement::Text, 0, 0, kWidth, 28, 14, kBold, kCentre);
    title.text = QStringLiteral("Zjišťování zásob břehových porostů metodou JHK");
    s.elements.push_back(title);
    text(s, 0, 40, 70, QStringLiteral("Závod:"));
    field(s, 70, 40, 290, QStringLiteral("zavod"));
    text(s, 370, 40, 100, QStringLiteral("Provoz:"));
    field(s, 470, 40, 256, QStringLiteral("provoz"));
    text(s, 0, 60, 70, QStringLiteral("Taxátor:"));
    field(s, 70, 60, 290, QStringLiteral("taxator"));
    text(s, 370, 60, 100, QStringLiteral("Data zadal:"));
    field(s, 470, 60, 256, QStringLiteral("uzivatel"));
    rule(s, 84, 2);
}

void pageHead(TSestavaTyp& r) {
    TOddilSestavy& s = *r.section(TOddilSestavy::Hlava);
    s.visible = true;
    s.height = 30;
    s.option = true; // the first page has the report start instead
    text(s, 0, 0, 450, QStringLiteral("Zjišťování zásob břehových porostů metodou JHK"), 0, kLeft, 9);
    variable(s, 600, 0, 126, TSiReportElement::DatumTisku, QString(), kRight);
    rule(s, 20);
}

void pageFoot(TSestavaTyp& r) {
    TOddilSestavy& s = *r.section(TOddilSestavy::Pata);
    s.visible = true;
    s.height = 28;
    rule(s, 0);
    text(s, 0, 8, 90, QStringLiteral("Vytištěno:"), 0, kLeft, 9);
    variable(s, 90, 8, 110, TSiReportElement::DatumTisku, QString(), kLeft);
    variable(s, 520, 8, 130, TSiReportElement::CisloStranky, QStringLiteral("Strana %d"), kRight);
    variable(s, 656, 8, 70, TSiReportElement::PocetStran, QStringLiteral("z %d"), kLeft);
}

void body(TSestavaTyp& r) {
    TOddilSestavy& s = *r.section(TOddilSestavy::Telo);
    s.visible = true;
    s.height = 18;
    field(s, kSpecies.x, 0, kSpecies.w, QStringLiteral("DR_ZKR"));
    function(s, kDiameter.x, 0, kDiameter.w, QStringLiteral("Tloustka"));
    function(s, kHeight.x, 0, kHeight.w, QStringLiteral("Vyska"));
    function(s, kShare.x, 0, kShare.w, QStringLiteral("Zastoupeni"));
    function(s, kReduced.x, 0, kReduced.w, QStringLiteral("RedPlocha"));
    function(s, kConifer.x, 0, kConifer.w, QStringLiteral("ZasobaJehl"));
    function(s, kBroadleaf.x, 0, kBroadleaf.w, QStringLiteral("ZasobaList"));
    function(s, kTotal.x, 0, kTotal.w, QStringLiteral("ZasobaCelk"));
    function(s, kPerHa.x, 0, kPerHa.w, QStringLiteral("ZasobaHa"));
}

void reportEnd(TSestavaTyp& r) {
    TOddilSestavy& s = *r.section(TOddilSestavy::Konec);
    s.visible = true;
    s.height = 40;
    rule(s, 4, 2);
    text(s, 0, 14, 360, QStringLiteral("Celkem všechny porosty sestavy"), kBold);
    function(s, kConifer.x, 14, kConifer.w, QStringLiteral("VseJehl"), kBold);
    function(s, kBroadleaf.x, 14, kBroadleaf.w, QStringLiteral("VseList"), kBold);
    function(s, kTotal.x, 14, kTotal.w, QStringLiteral("VseCelk"), kBold);
}

void riverGroup(TSestavaTyp& r) {
    TPolSkup& g = r.ensureGroup(0);
    g.fieldIndex = 1; // NazevTok
    g.newPage = false;
    g.head.visible = true;
    g.head.height = 30;
    text(g.head, 0, 4, 120, QStringLiteral("Vodní tok:"), kBold, kLeft, 12);
    field(g.head, 120, 4, 400, QStringLiteral("NazevTok"), kBold, kLeft, 12);
    g.foot.visible = true;
    g.foot.height = 34;
    rule(g.foot, 2);
    text(g.foot, 0, 10, 110, QStringLiteral("Celkem tok"), kBold);
    field(g.foot, 110, 10, 250, QStringLiteral("NazevTok"), kBold);
    function(g.foot, kConifer.x, 10, kConifer.w, QStringLiteral("TokJehl"), kBold);
    function(g.foot, kBroadleaf.x, 10, kBroadleaf.w, QStringLiteral("TokList"), kBold);
    function(g.foot, kTotal.x, 10, kTotal.w, QStringLiteral("TokCelk"), kBold);
}

void captions(TOddilSestavy& s, int y) {
    rule(s, y - 6);
    const struct {
        Column c;
        const char* caption;
        const char* unit;
    } columns[] = {
        {kSpecies, "Dřevina", ""},         {kDiameter, "Tloušťka", "[cm]"}, {kHeight, "Výška", "[m]"},
        {kShare, "Zastoup.", "[%]"},       {kReduced, "Red.pl.", "[m2]"},   {kConifer, "Zás.jehl.", "[m3]"},
        {kBroadleaf, "Zás.list.", "[m3]"}, {kTotal, "Zás.celk.", "[m3]"},   {kPerHa, "Zásoba/ha", "[m3/ha]"}};
    for (const auto& col : columns) {
        const int alignment = col.c.x == kSpecies.x ? kLeft : kRight;
        text(s, col.c.x, y, col.c.w, QString::fromUtf8(col.caption), kBold, alignment, 9);
        if (*col.unit)
            text(s, col.c.x, y + 16, col.c.w, QString::fromUtf8(col.unit), 0, alignment, 9);
    }
    rule(s, y + 34);
}

void standGroup(TSestavaTyp& r, bool withComment) {
    TPolSkup& g = r.ensureGroup(1);
    g.fieldIndex = 0; // the stand key
    g.newPage = true; // every stand begins a page: the page number in STRANKA is where it starts
    // A stand that runs over onto further pages shows its name and the column captions there too.
    g.repeatHead = true;
    g.head.visible = true;
    g.head.height = 150;
    TOddilSestavy& h = g.head;
    text(h, 0, 6, 60, QStringLiteral("Tok:"));
    field(h, 60, 6, 210, QStringLiteral("NazevTok"), kBold);
    text(h, 280, 6, 50, QStringLiteral("Břeh:"));
    field(h, 330, 6, 40, QStringLiteral("NazevBreh"), kBold);
    text(h, 380, 6, 80, QStringLiteral("Říční km:"));
    field(h, 460, 6, 150, QStringLiteral("NazevRKm"), kBold);
    text(h, 610, 6, 60, QStringLiteral("List:"), 0, kRight);
    field(h, 676, 6, 50, QStringLiteral("STRANKA"), kBold, kRight);
    text(h, 0, 26, 60, QStringLiteral("Akce:"));
    field(h, 60, 26, 310, QStringLiteral("NazevAkce"), kBold);
    text(h, 380, 26, 80, QStringLiteral("Datum:"));
    field(h, 460, 26, 150, QStringLiteral("datum"));
    text(h, 610, 26, 60, QStringLiteral("Věk:"), 0, kRight);
    field(h, 676, 26, 50, QStringLiteral("VEK"), 0, kRight);
    text(h, 0, 46, 60, QStringLiteral("Popis:"));
    field(h, 60, 46, 666, QStringLiteral("POPIS"));
    text(h, 0, 66, 180, QStringLiteral("Plocha porostu [m2]:"));
    function(h, 180, 66, 70, QStringLiteral("PlochaPor"));
    text(h, 270, 66, 120, QStringLiteral("Křoviny [m2]:"));
    function(h, 390, 66, 70, QStringLiteral("Kroviny"));
    text(h, 500, 66, 120, QStringLiteral("Zakmenění:"));
    function(h, 620, 66, 50, QStringLiteral("Zakmeneni"));
    captions(h, 100);

    g.foot.visible = true;
    g.foot.height = withComment ? 60 : 34;
    TOddilSestavy& f = g.foot;
    rule(f, 2);
    text(f, 0, 10, 140, QStringLiteral("Celkem porost"), kBold);
    function(f, kShare.x, 10, kShare.w, QStringLiteral("PorZast"), kBold);
    function(f, kReduced.x, 10, kReduced.w, QStringLiteral("PorRedPl"), kBold);
    function(f, kConifer.x, 10, kConifer.w, QStringLiteral("PorJehl"), kBold);
    function(f, kBroadleaf.x, 10, kBroadleaf.w, QStringLiteral("PorList"), kBold);
    function(f, kTotal.x, 10, kTotal.w, QStringLiteral("PorCelk"), kBold);
    function(f, kPerHa.x, 10, kPerHa.w, QStringLiteral("PorHa"), kBold);
    if (withComment) {
        text(f, 0, 36, 100, QStringLiteral("Poznámka:"));
        // The memo grows downwards with its text, and the foot with it.
        TSiReportElement comment = textLike(TSiReportElement::FieldValue, 100, 36, kWidth - 100, 18, 10, 0,
                                            kLeft | TSiReportElement::OptionStretch);
        comment.sourceName = QStringLiteral("KOMENT");
        f.elements.push_back(comment);
    }
}

} // namespace

void build(TSestavaTyp& r, bool withComment) {
    r.clear();
    r.setDescription(withComment ? QStringLiteral("Výsledky průměrkování JHK – břehové porosty, s poznámkou")
                                 : QStringLiteral("Výsledky průměrkování JHK – břehové porosty"));
    r.setVersion(4, 0, 0);
    ReportPaper& p = r.paper();
    p.orientation = 0;
    p.width = 826; // A4
    p.height = 1169;
    p.marginLeft = 60;
    p.marginRight = 40;
    p.marginTop = 50;
    p.marginBottom = 40;
    p.columns = 1;
    p.columnGap = 0;
    ReportGrid& grid = r.grid();
    grid.type = 0;
    grid.x = 8;
    grid.y = 8;
    functions(r);
    reportStart(r);
    pageHead(r);
    body(r);
    reportEnd(r);
    pageFoot(r);
    riverGroup(r);
    standGroup(r, withComment);
}

QStringList lines(bool withComment) {
    TSestavaTyp report;
    build(report, withComment);
    return TemplateWriter::write(report);
}

QByteArray fileBytes(bool withComment) {
    return TPredloha::joinLines(lines(withComment));
}

} // namespace StandReportTemplates
