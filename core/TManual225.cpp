#include "TManual225.h"

#include "Real48.h"
#include "RivwoodError.h"

#include <cstring>

namespace {

void putReal(QByteArray& out, double v) {
    const Real48Bytes b = DoubleToReal48(v);
    out.append(reinterpret_cast<const char*>(b.data()), 6);
}

void putInt16(QByteArray& out, std::int16_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

std::int16_t getInt16(const char* p) {
    return std::int16_t(std::uint16_t(std::uint8_t(p[0])) | std::uint16_t(std::uint8_t(p[1])) << 8);
}

Kod3 getCode(const char* p) {
    Kod3 k;
    std::memcpy(k.c.data(), p, 3);
    return k;
}

double getReal(const char* p) {
    return Real48ToDouble(reinterpret_cast<const std::uint8_t*>(p));
}

} // namespace

std::int16_t NarrowTo16(long long value, const char* field) {
    if (value < -32768 || value > 32767)
        throw RangeError(QString("Hodnota %1 pole %2 je mimo rozsah −32768..32767.").arg(value).arg(field));
    return std::int16_t(value);
}

QByteArray TManual225::Record() const {
    QByteArray out;
    out.reserve(RecordSize);
    out.append(abbreviation.c.data(), 3);
    out.append(curveSpecies.c.data(), 3);
    putReal(out, meanDiameter);
    out.append(char(meanDiameterComputed ? 1 : 0));
    putReal(out, meanHeight);
    out.append(char(computed ? 1 : 0));
    putReal(out, tableStock);
    putInt16(out, curve);
    out.append(tableSpecies.c.data(), 3);
    putInt16(out, classWidth);
    putInt16(out, classCount);
    return out;
}

void TManual225::SetRecord(const char* p) {
    abbreviation = getCode(p + 0);
    curveSpecies = getCode(p + 3);
    meanDiameter = getReal(p + 6);
    meanDiameterComputed = p[12] != 0;
    meanHeight = getReal(p + 13);
    computed = p[19] != 0;
    tableStock = getReal(p + 20);
    curve = getInt16(p + 26);
    tableSpecies = getCode(p + 28);
    classWidth = getInt16(p + 31);
    classCount = getInt16(p + 33);
}
