// libs: rivwood_reports
// Feeds arbitrary bytes to the template reader and writes the result back: neither may crash, and a
// template the writer produced must read back to the same lines.
#include "TPredloha.h"
#include "TemplateReader.h"
#include "TemplateWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines =
        TPredloha::splitLines(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    TSestavaTyp report;
    TemplateReader reader;
    if (!reader.read(lines, report)) {
        if (reader.errorString().isEmpty())
            std::abort();
        return 0;
    }
    const QStringList written = TemplateWriter::write(report);
    TSestavaTyp again;
    if (!reader.read(written, again) || TemplateWriter::write(again) != written)
        std::abort();
    return 0;
}
