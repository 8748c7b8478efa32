#include "ZipArchive.h"

#include <zip.h>

#include <memory>

namespace ZipArchive {

namespace {

QString libzipText(zip_error_t* error) {
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// Reads one entry, never more than `limit` bytes whatever its header claims.
bool readEntry(zip_t* zip, zip_uint64_t index, qint64 limit, QByteArray& out) {
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(zip, index, 0));
    if (!file)
        return false;
    out.clear();
    char buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (out.size() + n > limit)
            return false;
        out.append(buffer, qsizetype(n));
    }
}

} // namespace

bool read(const QByteArray& package, Parts& parts, QString& error, const Limits& limits) {
    parts.clear();
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* source =
        zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &zerr);
    if (!source) {
        error = QStringLiteral("Soubor nelze číst jako archiv zip (%1).").arg(libzipText(&zerr));
        zip_error_fini(&zerr);
        return false;
    }
    std::unique_ptr<zip_t, ArchiveCloser> zip(zip_open_from_source(source, ZIP_RDONLY, &zerr));
    if (!zip) {
        zip_source_free(source);
        error = QStringLiteral("Soubor není platný archiv zip (%1).").arg(libzipText(&zerr));
        zip_error_fini(&zerr);
        return false;
    }
    zip_error_fini(&zerr);
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    if (count < 0 || count > limits.maxEntries) {
        error = QStringLiteral("Archiv zip má příliš mnoho položek (%1).").arg(count);
        return false;
    }
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(zip.get(), zip_uint64_t(i), 0);
        if (!rawName) {
            error = QStringLiteral("Položka %1 archivu zip nemá čitelné jméno.").arg(i + 1);
            return false;
        }
        const QString name = QString::fromUtf8(rawName);
        if (name.endsWith(u'/'))
            continue; // a directory entry
        QByteArray bytes;
        const qint64 limit = std::min(limits.maxPartSize, limits.maxTotalSize - total);
        if (!readEntry(zip.get(), zip_uint64_t(i), limit, bytes)) {
            error = QStringLiteral("Položku „%1“ archivu zip nelze rozbalit (poškozená nebo příliš velká).")
                        .arg(name);
            return false;
        }
        total += bytes.size();
        parts[name] = std::move(bytes);
    }
    return true;
}

bool write(const Parts& parts, QByteArray& package, QString& error) {
    zip_error_t zerr;
    zip_error_init(&zerr);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zerr);
    if (!buffer) {
        error = libzipText(&zerr);
        zip_error_fini(&zerr);
        return false;
    }
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &zerr);
    if (!zip) {
        error = libzipText(&zerr);
        zip_error_fini(&zerr);
        zip_source_free(buffer);
        return false;
    }
    zip_error_fini(&zerr);
    zip_source_keep(buffer); // the bytes are read back after zip_close has released the archive's hold
    bool ok = true;
    for (const auto& [name, bytes] : parts) {
        zip_source_t* data = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const QByteArray utf8 = name.toUtf8();
        const zip_int64_t index = data ? zip_file_add(zip, utf8.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            ok = false;
            break;
        }
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
    }
    if (!ok || zip_close(zip) < 0) {
        error = QString::fromLocal8Bit(zip_strerror(zip));
        zip_discard(zip);
        zip_source_free(buffer);
        return false;
    }
    package.clear();
    zip_stat_t st;
    if (zip_source_stat(buffer, &st) < 0 || zip_source_open(buffer) < 0) {
        error = QStringLiteral("archiv zip nelze dokončit");
        zip_source_free(buffer);
        return false;
    }
    package.resize(qsizetype(st.size));
    const zip_int64_t n = zip_source_read(buffer, package.data(), st.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (n != zip_int64_t(st.size)) {
        error = QStringLiteral("archiv zip nelze dokončit");
        return false;
    }
    return true;
}

} // namespace ZipArchive
