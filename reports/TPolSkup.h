#pragma once

#include "TOddilSestavy.h"

#include <QString>

// A group of records: a new group starts whenever the text of its data field changes.
struct TPolSkup {
    explicit TPolSkup(int number = 0) : number(number) {
        head.number = TOddilSestavy::groupHeadNumber(number);
        foot.number = TOddilSestavy::groupFootNumber(number);
    }

    int number = 0;
    int fieldIndex = 0; // 0-based data field whose change starts a new group
    bool newPage = false;
    // The head is printed again below the page head of every page the group continues on
    // ("Opakovat hlavu na dalších stránkách"; an eighth field of the I,4 line, written when set).
    bool repeatHead = false;
    TOddilSestavy head;
    TOddilSestavy foot;

    // State of a run: the group field's last printed text and whether it has just changed.
    QString lastValue;
    bool changed = false;

    // Caption shown to the user for group n.
    static QString caption(int number) { return QStringLiteral("Skupina ") + QString::number(number + 1); }
};
