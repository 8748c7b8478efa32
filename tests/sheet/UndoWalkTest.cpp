// Ctrl+Z and Ctrl+Y over a scripted run of edits: every state of the sheet on the way back and
// forth, compared whole with the states recorded in tests/data/sheet/undo-walk.txt.
#include "SheetFixture.h"
#include "StandJson.h"
#include "TestSupport.h"
#include "TextUtils.h"

#include <QJsonDocument>

namespace {

QString texts(const QStringList& list) {
    return "[" + list.join('|') + "]";
}

class UndoWalk : public SheetFixture {
  protected:
    // What the sheet holds and shows, one line per part.
    QString state() {
        const SheetCommands c = commands();
        const SheetView& v = sheet.view();
        const EditingFlags& f = flags();
        const WorkingCopy& w = session.work;
        QStringList rows;
        for (size_t r = 0; r < v.rows.size(); ++r)
            for (int col = 2; col < SheetView::Columns; ++col)
                if (!v.rows[r][size_t(col)].isEmpty())
                    rows << QString("%1.%2=%3").arg(r).arg(col).arg(v.rows[r][size_t(col)].trimmed());
        QStringList samples;
        for (const SheetView::SampleRow& s : v.samples)
            samples << s[0] + ";" + s[1];
        QStringList counts;
        for (size_t k = 0; k < w.Cetnosti.size(); ++k)
            if (w.Cetnosti[k] != 0)
                counts << QString("%1:%2").arg(k).arg(w.Cetnosti[k]);
        const auto b = [](bool on) { return on ? '1' : '0'; };
        QStringList out;
        out << "view " + v.widthText + "/" + v.firstText + " " + texts(v.species) + " #" +
                   QString::number(v.speciesIndex) + " " + v.speciesName + " " + v.curveSpecies + "/" +
                   v.tableSpecies + " d=" + v.diameter.trimmed() + " h=" + v.height.trimmed() +
                   " jhk=" + v.jhk.trimmed() + " top=" + QString::number(v.topRow);
        out << "grid " + rows.join(' ') + " total " +
                   texts({v.totals[2].trimmed(), v.totals[3].trimmed(), v.totals[4].trimmed()});
        out << "samples " + texts(samples);
        out << QString("commands %1")
                   .arg(QString() + b(c.vypocet) + b(c.tloustka) + b(c.speciesCombo) + b(c.groupCombos) +
                        b(c.novaDrevina) + b(c.zaznam) + b(c.zeZaznamu) + b(c.souhrn) + b(c.dataInput) +
                        b(c.layoutCombos) + b(c.ulozeni) + b(c.zrusitDrevinu) + b(c.vzorniky) +
                        b(c.vyskaZKrivky) + b(c.vypocteno) + b(c.zaznamenano) + b(c.ulozeno));
        out << QString("flags %1 key %2")
                   .arg(QString() + b(f.PoStartu) + b(f.JeNovaDrevina) + b(f.VybranaDrevina) +
                        b(f.VyplneneCetnosti) + b(f.ZmenaCetnosti) + b(f.ZmenaTloustky) + b(f.ZmenaVysky) +
                        b(f.Vypocteno) + b(f.Zaznamenano) + b(f.Ulozeno))
                   .arg(f.KlicZaznamu);
        out << QString("work %1 d=%2 h=%3 table=%4 computed=%5 jhk=%6 counts %7 stock=%8 samples=%9")
                   .arg(CharsToString(w.KodDreviny))
                   .arg(w.StrTloustka)
                   .arg(w.StrVyska)
                   .arg(w.TabZasoba)
                   .arg(b(w.TloustkaVypoctena))
                   .arg(w.CisloJhk100)
                   .arg(counts.join(' '))
                   .arg(w.Objemy.empty() ? 0 : w.Objemy[0])
                   .arg(w.VyskoveVzorniky.size());
        out << "stand " + QString::fromUtf8(QJsonDocument(StandJson::ToJson(session, session.key()))
                                                .toJson(QJsonDocument::Compact));
        out << QString("undo %1/%2 <%3> <%4>")
                   .arg(sheet.undoStack().index())
                   .arg(sheet.undoStack().count())
                   .arg(sheet.undoStack().undoText(), sheet.undoStack().redoText());
        return out.join('\n');
    }
    void step(const QString& what) { walk << "== " + what << state(); }
    QStringList walk;
};

} // namespace

TEST_F(UndoWalk, SameStatesBackAndForth) {
    step("start");
    sheet.setClassWidth("2");
    step("width 2");
    add("SM");
    step("SM");
    counts(5, {"4", "7", "abc"});
    step("counts");
    counts(7, {"2"});
    step("count mended");
    sheet.meanStem().computeDiameter();
    step("Tloušťka");
    typeHeight("18");
    step("height");
    sheet.meanStem().computeStock();
    step("Výpočet");
    sheet.meanStem().record();
    step("Záznam");
    add("BK");
    counts(10, {"3", "5"});
    typeDiameter("31.5");
    typeHeight("24");
    step("BK typed");
    sheet.meanStem().setTableSpecies("bo");
    step("table species");
    sheet.meanStem().computeStock();
    sheet.meanStem().record();
    step("BK recorded");
    sheet.pickSpecies(0);
    counts(8, {"1"});
    step("SM changed");
    for (const auto& [row, column, text] :
         {std::tuple{0, 0, "20"}, {0, 1, "17.5"}, {1, 0, "25"}, {1, 1, "19"}})
        sheet.heights().setSample(row, column, text);
    step("samples");
    sheet.pickSpecies(1);
    step("BK picked");
    answer(true);
    sheet.deleteSpecies();
    step("BK deleted");
    sheet.meanStem().setCurveSpecies("bo");
    step("curve species");
    add("OL");
    counts(3, {"6"});
    step("OL");

    while (sheet.undoStack().canUndo()) {
        sheet.undoStack().undo();
        step("undo");
    }
    while (sheet.undoStack().canRedo()) {
        sheet.undoStack().redo();
        step("redo");
    }
    for (int i = 0; i < 4; ++i) {
        sheet.undoStack().undo();
        step("undo");
    }
    counts(20, {"9"});
    step("another count");
    sheet.undoStack().undo();
    step("undo");
    sheet.undoStack().redo();
    step("redo");
    messages();

    const QString expected =
        QString::fromUtf8(testsupport::readFile(testsupport::dataPath("sheet/undo-walk.txt")));
    const QString actual = walk.join('\n') + '\n';
    EXPECT_EQ(actual, expected);
}
