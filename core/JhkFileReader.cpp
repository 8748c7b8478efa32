#include "JhkFileReader.h"

#include "Cp1250.h"
#include "FileErrorText.h"
#include "Real48.h"
#include "RivwoodError.h"
#include "StandCode.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>

namespace {

// Bounds-checked view of the file bytes.
class Bytes {
  public:
    explicit Bytes(const QByteArray& data) : m_data(data) {}
    qsizetype size() const { return m_data.size(); }
    bool has(qsizetype pos, qsizetype n) const { return pos >= 0 && n >= 0 && pos <= size() - n; }
    const char* at(qsizetype pos) const { return m_data.constData() + pos; }
    bool flag(qsizetype pos) const { return m_data.at(pos) != 0; }
    int int16(qsizetype pos) const {
        return std::int16_t(std::uint16_t(std::uint8_t(m_data[pos]) | std::uint8_t(m_data[pos + 1]) << 8));
    }
    double real48(qsizetype pos) const {
        return Real48ToDouble(reinterpret_cast<const std::uint8_t*>(at(pos)));
    }
    double float64(qsizetype pos) const {
        double v;
        std::memcpy(&v, at(pos), 8);
        return v;
    }
    // A short string [capacity]: length byte, then the characters.
    QString shortString(qsizetype pos, int capacity) const {
        const int len = std::min<int>(std::uint8_t(m_data[pos]), capacity);
        return Cp1250::decode(at(pos + 1), len);
    }

  private:
    const QByteArray& m_data;
};

struct Header {
    int species = 0;
    double area = 0;
    bool signature = false;
    double version = 0;
    QString name, designation, date;
};

Header readHeader(const Bytes& b) {
    Header h;
    h.species = b.int16(0);
    h.area = b.real48(2);
    h.signature = std::memcmp(b.at(8), "JHK", 3) == 0;
    h.version = b.real48(11);
    h.name = b.shortString(17, 40);
    h.designation = b.shortString(58, 20);
    h.date = b.shortString(79, 20);
    return h;
}

void setHeader(TManualy225& stand, const Header& h) {
    stand.ClearStand();
    stand.name = h.name;
    stand.designation = h.designation;
    stand.date = h.date;
    stand.area = h.area;
    // The file carries no comment; a comment of the stand shown before must not stick to it.
    stand.comment.clear();
}

UserMessage error(const QString& fileName, const char* text) {
    return {UserMessage::Error, fileName + "\r" + QString::fromUtf8(text)};
}

const char* const kNotJhk = "není datový soubor JHK ";
const char* const kNoData = "neobsahuje data JHK ";
const char* const kEndOfFile = " Konec datového souboru ";

bool allFinite(const std::vector<TTloustkoveStupne>& classes) {
    for (const auto& e : classes)
        if (!std::isfinite(e.centre) || !std::isfinite(e.trees) || !std::isfinite(e.treeVolume) ||
            !std::isfinite(e.classVolume))
            return false;
    return true;
}

JhkFileReader::Result readVersion3(const Bytes& b, const Header& h, const QString& fileName,
                                   StandSession& session) {
    JhkFileReader::Result result;
    TManualy225 stand = session.stand;
    setHeader(stand, h);
    const StandCodeParts parts = SplitStandCode(h.designation);
    stand.river = parts.river;
    stand.bank = parts.bank;
    stand.riverKm = parts.riverKm;
    stand.action = parts.action;
    stand.code = MakeStandCode(parts.river, parts.bank, parts.riverKm, parts.action);

    ClassLayout layout = session.layout;
    qsizetype pos = JhkFileReader::HeaderSize;
    for (int i = 0; i < h.species; ++i) {
        if (!b.has(pos, TManual225::RecordSize)) {
            result.messages.push_back({UserMessage::Warning, QString::fromUtf8(kEndOfFile)});
            break;
        }
        TManual225 s;
        s.SetRecord(b.at(pos));
        pos += TManual225::RecordSize;
        const int elements = s.classCount;
        bool fits = s.classWidth >= 1;
        if (fits) {
            const double centre = ClassLayout::DefaultFirstCentre(s.classWidth);
            layout = ClassLayout::Make(s.classWidth, centre);
            s.firstCentre = centre;
            fits = elements - 1 == layout.PocetStupnu;
        }
        if (elements < 0)
            fits = false;
        const qsizetype bytes = qsizetype(std::max(elements, 0)) * 32;
        if (fits && !b.has(pos, bytes)) {
            result.messages.push_back({UserMessage::Warning, QString::fromUtf8(kEndOfFile)});
            break;
        }
        if (fits) {
            s.classes.resize(size_t(elements));
            for (int e = 0; e < elements; ++e) {
                const qsizetype p = pos + qsizetype(e) * 32;
                s.classes[size_t(e)] = {b.float64(p), b.float64(p + 8), b.float64(p + 16), b.float64(p + 24)};
            }
            fits = allFinite(s.classes);
        }
        if (!fits) {
            result.messages.push_back(error(fileName, kNotJhk));
            layout = ClassLayout::Make(4, 10);
            // The rejected species' elements are skipped; a negative count leaves nothing to skip by.
            if (elements < 0 || !b.has(pos, bytes))
                break;
            pos += bytes;
            continue;
        }
        pos += bytes;
        stand.append(CharsToString(s.abbreviation), s);
    }
    session.stand = std::move(stand);
    session.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    result.loaded = true;
    return result;
}

JhkFileReader::Result readOldVersion(const QByteArray& data, const QString& fileName, StandSession& session) {
    JhkFileReader::Result result;
    // Record 0 is read into a zero-filled buffer of the version 2 size first.
    QByteArray record0 = data.left(JhkFileReader::OldRecordSizeV2);
    record0.append(QByteArray(JhkFileReader::OldRecordSizeV2 - record0.size(), '\0'));
    Header h = readHeader(Bytes(record0));
    int recordSize = JhkFileReader::OldRecordSizeV2;
    if (h.signature && h.version == 1.0)
        recordSize = JhkFileReader::OldRecordSizeV1;
    if (!(h.signature && (h.version == 1.0 || h.version == 2.0))) {
        result.messages.push_back(error(fileName, kNotJhk));
        return result;
    }

    const Bytes b(data);
    TManualy225 stand = session.stand;
    setHeader(stand, h);
    for (int i = 1; i <= h.species; ++i) {
        const qsizetype pos = qsizetype(i) * recordSize;
        if (!b.has(pos, JhkFileReader::OldRecordSizeV1)) {
            result.messages.push_back({UserMessage::Warning, QString::fromUtf8(kEndOfFile)});
            break;
        }
        TManual225 s;
        std::memcpy(s.abbreviation.c.data(), b.at(pos), 3);
        s.meanDiameter = b.real48(pos + 6);
        s.meanDiameterComputed = b.flag(pos + 12);
        s.meanHeight = b.real48(pos + 13);
        s.computed = b.flag(pos + 19);
        s.tableStock = b.real48(pos + 20);
        s.curve = std::int16_t(b.int16(pos + 26));
        s.classWidth = 4;
        s.firstCentre = 10;
        // Position 0 of the three arrays is the total row, positions 1..21 the classes from 10 cm
        // on; the array gets the full element count of the 4/10 layout so it matches the sheet.
        const ClassLayout layout = ClassLayout::Make(4, 10);
        s.classes.resize(size_t(layout.ElementCount()));
        for (int k = 0; k < 22; ++k) {
            TTloustkoveStupne& e = s.classes[size_t(k)];
            e.trees = b.real48(pos + 28 + 6 * k);
            e.treeVolume = b.real48(pos + 160 + 6 * k);
            e.classVolume = b.real48(pos + 292 + 6 * k);
        }
        for (int k = 1; k < layout.ElementCount(); ++k)
            s.classes[size_t(k)].centre = layout.Centre(k);
        s.classCount = std::int16_t(s.classes.size());
        stand.append(CharsToString(s.abbreviation), s);
    }
    session.SetClassLayout(4, 10);
    session.stand = std::move(stand);
    if (session.stand.count() > 0)
        session.LoadWorkingCopy(session.stand.at(0));
    result.loaded = true;
    return result;
}

} // namespace

JhkFileReader::Result JhkFileReader::ReadJhkFile(const QString& path, StandSession& session) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw IoError(QString("Soubor %1 nelze otevřít: %2.").arg(path, FileErrorText::ReadFailure(path)));
    // Real files hold a few dozen kilobytes; 64 MB covers any layout with room to spare.
    if (f.size() > 64 * 1024 * 1024)
        return {false, {error(QFileInfo(path).fileName(), kNotJhk)}};
    const QByteArray data = f.readAll();
    return ReadJhkData(data, QFileInfo(path).fileName(), session);
}

JhkFileReader::Result JhkFileReader::ReadJhkData(const QByteArray& data, const QString& fileName,
                                                 StandSession& session) {
    if (data.size() < HeaderSize)
        return {false, {error(fileName, kNotJhk)}};
    const Bytes b(data);
    const Header h = readHeader(b);
    if (h.species < 1)
        return {false, {error(fileName, kNoData)}};
    if (h.signature && h.version == 3.0)
        return readVersion3(b, h, fileName, session);
    if (h.signature && (h.version == 1.0 || h.version == 2.0))
        return readOldVersion(data, fileName, session);
    return {false, {error(fileName, kNotJhk)}};
}
