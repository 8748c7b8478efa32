#pragma once

#include "StandSession.h"
#include "UserMessage.h"

#include <QString>

// Reader of the binary *.JHK stand files, versions 1, 2 and 3.
class JhkFileReader {
  public:
    struct Result {
        bool loaded = false;   // the stand was replaced by the file's content
        UserMessages messages; // errors and warnings for message boxes, in order
    };

    // Loads the file into the session's stand. A file that cannot be opened is an IoError and a
    // rejected file leaves the session untouched; the stand is only replaced once the file has
    // been read.
    static Result ReadJhkFile(const QString& path, StandSession& session);
    static Result ReadJhkData(const QByteArray& data, const QString& fileName, StandSession& session);

    static constexpr int HeaderSize = 100;
    static constexpr int OldRecordSizeV1 = 424;
    static constexpr int OldRecordSizeV2 = 427;
};
