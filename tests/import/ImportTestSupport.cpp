#include "ImportTestSupport.h"

#include "CaliperFile.h"
#include "TestSupport.h"

namespace importtest {

QString samplePath(const QString& name) {
    return testsupport::dataPath("import/" + name);
}

QStringList sampleLines(const QString& name) {
    return CaliperFile::ReadLines(samplePath(name));
}

int elementAt(const TManual225& species, double centre) {
    for (size_t i = 1; i < species.classes.size(); ++i)
        if (species.classes[i].centre == centre)
            return int(i);
    return -1;
}

double treesAt(const TManual225& species, double centre) {
    const int i = elementAt(species, centre);
    return i < 0 ? -1 : species.classes[size_t(i)].trees;
}

} // namespace importtest
