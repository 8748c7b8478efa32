#pragma once

#include "TSiReportElement.h"

#include <vector>

// A section of a report: the five fixed ones (0 report start, 1 page head, 2 body, 3 report end,
// 4 page foot) and the head (2n + 5) and foot (2n + 6) of every group n.
struct TOddilSestavy {
    enum Number { Zacatek = 0, Hlava = 1, Telo = 2, Konec = 3, Pata = 4 };

    int number = 0;
    int height = 0;
    bool visible = false;
    // The I,3 option of sections 0 to 3: new page after the report start, no page head on the first
    // page, each body on a new page, new page before the report end.
    bool option = false;
    std::vector<TSiReportElement> elements; // in template order

    static int groupHeadNumber(int group) { return 2 * group + 5; }
    static int groupFootNumber(int group) { return 2 * group + 6; }
};
