#pragma once

#include <QString>
#include <QUrl>
#include <vector>

// The help's topics: each help context number that a window opens (F1, "Návod") names a page of
// the HTML help in <data directory>/help and an anchor on it.
namespace HelpTopics {

struct Topic {
    int context;
    QString page;   // file name inside the help directory
    QString anchor; // id of the element on the page
};

// Context numbers. The windows and their controls open 0, 2-7 and 11-14; 1, 8, 9 and 10 name
// chapters without a window of their own (the file dialog, the keys, the menu, the reports).
enum Context {
    Contents = 0,
    FirstStart = 1,
    DiameterClasses = 2,
    Species = 3,
    MeanStem = 4,
    StandHeader = 5,
    StandList = 6,
    UserInformation = 7,
    Keys = 8,
    AllCommands = 9,
    Printing = 10,
    Summary = 11,
    TallyGrid = 12,
    SpeciesCodes = 13,
    HeightCurve = 14,
};

const std::vector<Topic>& All();
// The topic of a context; an unknown context opens the contents.
Topic ForContext(int context);
// The file URL of a context's page with its anchor as the fragment.
QUrl Url(const QString& helpDirectory, int context);

} // namespace HelpTopics
