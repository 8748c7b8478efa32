#pragma once

#include "VersionBlock.h"

#include <QByteArrayView>
#include <QMetaType>
#include <QString>

struct VersionResource;

// Reader of a program file's version resource. Setting FileName loads it; the other properties
// then answer from it. Error is empty when the resource was read, otherwise it names the reason
// ("InfoSize=0", "No FileVersionInfo", "No FixedInfo", "Bad size of FixedInfo", "No Language Info");
// while Error is set the numbers are 0 and the texts empty.
class TFileVersion {
    Q_GADGET
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(quint16 MajorVersion READ majorVersion)
    Q_PROPERTY(quint16 MinorVersion READ minorVersion)
    Q_PROPERTY(quint16 Release READ release)
    Q_PROPERTY(quint16 Build READ build)
    Q_PROPERTY(quint32 FileFlagsMask READ fileFlagsMask)
    Q_PROPERTY(quint32 FileFlags READ fileFlags)
    Q_PROPERTY(QString Error READ error)
    Q_PROPERTY(QString Language READ language)
    Q_PROPERTY(QString CompanyName READ companyName)
    Q_PROPERTY(QString FileDescription READ fileDescription)
    Q_PROPERTY(QString FileVersion READ fileVersion)
    Q_PROPERTY(QString InternalName READ internalName)
    Q_PROPERTY(QString LegalCopyright READ legalCopyright)
    Q_PROPERTY(QString OriginalFilename READ originalFilename)
    Q_PROPERTY(QString ProductName READ productName)
    Q_PROPERTY(QString ProductVersion READ productVersion)

  public:
    TFileVersion() = default;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName);
    // Loads the resource from a file's contents already in memory (standard input, tests).
    void loadBytes(const QString& fileName, QByteArrayView contents);

    quint16 majorVersion() const { return quint16(fixedField(FileVersionMs) >> 16); }
    quint16 minorVersion() const { return quint16(fixedField(FileVersionMs)); }
    quint16 release() const { return quint16(fixedField(FileVersionLs) >> 16); }
    quint16 build() const { return quint16(fixedField(FileVersionLs)); }
    quint32 fileFlagsMask() const { return fixedField(FileFlagsMaskField); }
    quint32 fileFlags() const { return fixedField(FileFlagsField); }
    QString error() const { return m_error; }
    QString language() const;

    // The string `name` of the string table of the first translation. Empty when there is no
    // such string or Error is set; "No " + name when the string exists but is empty.
    QString infoString(const QString& name) const;

    QString companyName() const { return infoString(QStringLiteral("CompanyName")); }
    QString fileDescription() const { return infoString(QStringLiteral("FileDescription")); }
    QString fileVersion() const { return infoString(QStringLiteral("FileVersion")); }
    QString internalName() const { return infoString(QStringLiteral("InternalName")); }
    QString legalCopyright() const { return infoString(QStringLiteral("LegalCopyright")); }
    QString originalFilename() const { return infoString(QStringLiteral("OriginalFilename")); }
    QString productName() const { return infoString(QStringLiteral("ProductName")); }
    QString productVersion() const { return infoString(QStringLiteral("ProductVersion")); }

  private:
    // Byte offsets of fields in VS_FIXEDFILEINFO.
    enum FixedOffset {
        FileVersionMs = 8,
        FileVersionLs = 12,
        FileFlagsMaskField = 24,
        FileFlagsField = 28,
    };

    void load(const VersionResource& resource);
    void fail(const QString& error); // sets Error and drops the resource
    quint32 fixedField(FixedOffset offset) const;

    QString m_fileName;
    QString m_error = QStringLiteral("Empty FileName");
    VersionBlock m_block;
    QByteArray m_fixedInfo;
    quint16 m_languageId = 0;
    quint16 m_codePage = 0;
};
