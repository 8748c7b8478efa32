#include "StandJson.h"
#include "RivwoodError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

TEST(StandJson, RoundTripsEveryField) {
    StandSession s;
    s.SetClassLayout(2, 8);
    s.stand.name = "Luh pod hrází";
    s.stand.river = "Dyje";
    s.stand.area = 12345.5;
    s.stand.age = 60;
    s.stand.summary = true;
    s.work.KodDreviny = StringToChars("OLS");
    s.work.KodJhkDle = StringToChars("ol");
    s.work.KodTabZasDle = StringToChars("js");
    s.work.Cetnosti[5] = 12;
    s.work.StrTloustka = 18.5;
    s.work.VyskoveVzorniky = {{16.5, 14.25}, {22, 17}};
    s.RecordWorkingCopy(81, false);
    s.stand.at(0).share = 55.5;
    s.stand.at(0).conifer = true;

    const QJsonObject json = StandJson::ToJson(s, 17);
    EXPECT_EQ(json["key"].toInt(), 17);
    EXPECT_EQ(json["classWidth"].toInt(), 2);
    EXPECT_EQ(json["species"].toArray()[0].toObject()["classes"].toArray().size(), 98);
    EXPECT_EQ(json["species"].toArray()[0].toObject()["sampleHeights"],
              (QJsonArray{QJsonArray{16.5, 14.25}, QJsonArray{22, 17}}));

    StandSession back;
    EXPECT_EQ(StandJson::FromJsonBytes(QJsonDocument(json).toJson(), back), 17);
    EXPECT_EQ(back.stand, s.stand);
    EXPECT_EQ(back.layout, s.layout);
}

TEST(StandJson, BlankGroupsTakeTheDefaultsOfTheAbbreviation) {
    StandSession s;
    StandJson::FromJsonBytes(R"({"species":[{"abbreviation":"VR"}]})", s);
    EXPECT_EQ(CharsToString(s.stand.at(0).curveSpecies), "db");
    EXPECT_EQ(CharsToString(s.stand.at(0).tableSpecies), "tp");
}

TEST(StandJson, MalformedInputLeavesTheSessionAsItWas) {
    StandSession s;
    s.stand.name = "Původní";
    for (const char* bad : {"", "[1]", "{\"area\":\"x\"}", "{\"species\":[{\"abbreviation\":\"ABCD\"}]}",
                            "{\"species\":[{\"classes\":[[1,2,3]]}]}", "{\"classWidth\":0}",
                            "{\"species\":[{\"curve\":40000}]}", "{\"species\":[{\"sampleHeights\":[[20]]}]}",
                            "{\"species\":[{\"sampleHeights\":[[20, 1.2]]}]}"}) {
        EXPECT_THROW(StandJson::FromJsonBytes(bad, s), RivwoodError) << bad;
        EXPECT_EQ(s.stand.name, "Původní");
    }
}

TEST(StandJson, SpeciesWithoutClassesGetTheStandLayout) {
    StandSession s;
    StandJson::FromJsonBytes(R"({"classWidth":4,"firstCentre":10,"species":[{"abbreviation":"SM"}]})", s);
    ASSERT_EQ(s.stand.count(), 1);
    EXPECT_EQ(s.stand.at(0).classes.size(), 50u);
    EXPECT_EQ(s.stand.at(0).classes[49].centre, 202);
}
