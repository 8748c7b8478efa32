#include "TempStandDatabase.h"

#include "DatabaseChooser.h"

#include <QDir>
#include <stdexcept>

namespace testsupport {

TempStandDatabase::TempStandDatabase() : database(m_dir.filePath("Rivwood.INI")) {
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath("db"))
        throw std::runtime_error("no temporary directory");
    if (!DatabaseChooser::UseDirectory(database, databaseDirectory(), [](const UserMessage&) { return true; }))
        throw std::runtime_error("the temporary stand database did not open");
}

} // namespace testsupport
