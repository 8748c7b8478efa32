#include "TFileVersion.h"

#include "LanguageNames.h"
#include "VersionResource.h"

namespace {

constexpr qsizetype FixedInfoSize = 52; // sizeof(VS_FIXEDFILEINFO)
constexpr qsizetype MaxLanguageName = 49;

quint32 le32(const QByteArray& bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

} // namespace

void TFileVersion::setFileName(const QString& fileName) {
    m_fileName = fileName;
    load(VersionResource::fromFile(fileName));
}

void TFileVersion::loadBytes(const QString& fileName, QByteArrayView contents) {
    m_fileName = fileName;
    load(VersionResource::fromBytes(contents));
}

void TFileVersion::load(const VersionResource& resource) {
    m_block = {};
    m_fixedInfo.clear();
    m_languageId = m_codePage = 0;
    if (resource.declaredSize == 0) {
        m_error = QStringLiteral("InfoSize=0");
        return;
    }
    m_block = VersionBlock(resource.data);
    if (!m_block.isValid()) {
        fail(QStringLiteral("No FileVersionInfo"));
        return;
    }

    // The root always has a value, possibly empty, so an empty one is "No FixedInfo" as well;
    // a failed lookup must not leave the error text of an earlier file in place.
    const std::optional<VersionBlock::Value> fixed = m_block.query(QStringLiteral("\\"));
    if (!fixed || fixed->bytes.isEmpty()) {
        fail(QStringLiteral("No FixedInfo"));
        return;
    }
    if (fixed->bytes.size() != FixedInfoSize) {
        fail(QStringLiteral("Bad size of FixedInfo"));
        return;
    }
    m_error.clear();
    m_fixedInfo = fixed->bytes;

    const std::optional<VersionBlock::Value> translation =
        m_block.query(QStringLiteral("\\VarFileInfo\\Translation"));
    if (!translation || translation->bytes.size() < 4) {
        fail(QStringLiteral("No Language Info"));
        return;
    }
    const quint32 first = le32(translation->bytes, 0);
    m_languageId = quint16(first);
    m_codePage = quint16(first >> 16);
}

void TFileVersion::fail(const QString& error) {
    m_error = error;
    m_block = {};
    m_fixedInfo.clear();
    m_languageId = m_codePage = 0;
}

quint32 TFileVersion::fixedField(FixedOffset offset) const {
    if (!m_error.isEmpty() || m_fixedInfo.size() != FixedInfoSize)
        return 0;
    return le32(m_fixedInfo, offset);
}

QString TFileVersion::language() const {
    if (!m_error.isEmpty())
        return {};
    return languageName(m_languageId).left(MaxLanguageName);
}

QString TFileVersion::infoString(const QString& name) const {
    if (!m_error.isEmpty())
        return {};
    const QString table = QStringLiteral("%1%2")
                              .arg(m_languageId, 4, 16, QLatin1Char('0'))
                              .arg(m_codePage, 4, 16, QLatin1Char('0'))
                              .toUpper();
    const std::optional<VersionBlock::Value> value =
        m_block.query(QStringLiteral("\\StringFileInfo\\") + table + QLatin1Char('\\') + name);
    if (!value)
        return {};
    // Strings are UTF-16 even where a writer marked the node as binary.
    const QString text = value->toString();
    return text.isEmpty() ? QStringLiteral("No ") + name : text;
}
