#include "HelpTopics.h"

#include <QDir>

namespace HelpTopics {

const std::vector<Topic>& All() {
    static const std::vector<Topic> topics{
        {Contents, "index.html", "kontext-0"},
        {FirstStart, "databaze.html", "prvni-spusteni"},
        {DiameterClasses, "zapisnik.html", "stupne"},
        {Species, "zapisnik.html", "dreviny"},
        {MeanStem, "zapisnik.html", "stredni-kmen"},
        {StandHeader, "zapisnik.html", "ulozeni"},
        {StandList, "databaze.html", "seznam-porostu"},
        {UserInformation, "databaze.html", "uzivatel"},
        {Keys, "prikazy.html", "klavesy"},
        {AllCommands, "prikazy.html", "vsechny-prikazy"},
        {Printing, "sestavy.html", "nahled"},
        {Summary, "zapisnik.html", "souhrn"},
        {TallyGrid, "zapisnik.html", "cetnosti"},
        {SpeciesCodes, "prumerky.html", "kody-drevin"},
        {HeightCurve, "vyskova-krivka.html", "vzorniky"},
    };
    return topics;
}

Topic ForContext(int context) {
    for (const Topic& t : All())
        if (t.context == context)
            return t;
    return All().front();
}

QUrl Url(const QString& helpDirectory, int context) {
    const Topic topic = ForContext(context);
    QUrl url = QUrl::fromLocalFile(QDir(helpDirectory).filePath(topic.page));
    url.setFragment(topic.anchor);
    return url;
}

} // namespace HelpTopics
