// libs: rivwood_core
// Feeds arbitrary bytes to the *.JHK reader; a rejected file must leave the session untouched.
#include "JhkFileReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StandSession session;
    session.stand.name = "před";
    const TManualy225 before = session.stand;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const JhkFileReader::Result r = JhkFileReader::ReadJhkData(bytes, "F.JHK", session);
    if (!r.loaded && !(session.stand == before))
        std::abort();
    for (int i = 0; i < session.stand.count(); ++i)
        if (session.stand.at(i).classes.size() != size_t(session.stand.at(i).classCount))
            std::abort();
    return 0;
}
