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

// Context numbers of the windows and their controls.
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
    JhkMethod = 13,
    CaliperImport = 14,
    SpeciesCodes = 15,
    WorkbookExport = 16,
    CommandLine = 17,
};

const std::vector<Topic>& All();
// The topic of a context; an unknown context opens the contents.
Topic ForContext(int context);
// The file URL of a context's page with its anchor as the fragment.
QUrl Url(const QString& helpDirectory, int context);

} // namespace HelpTopics
