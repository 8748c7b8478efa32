#include "JhkFileBuilder.h"

#include "Cp1250.h"
#include "Real48.h"

#include <cstring>

namespace {
void put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void putReal(QByteArray& b, double v) {
    const Real48Bytes r = DoubleToReal48(v);
    b.append(reinterpret_cast<const char*>(r.data()), 6);
}
void putCode(QByteArray& b, const QString& code) {
    b.append(Cp1250::encode(code).leftJustified(3, ' ', true));
}
void putShort(QByteArray& b, const QString& s, int capacity) {
    const QByteArray bytes = Cp1250::encode(s).left(capacity);
    b.append(char(bytes.size()));
    b.append(bytes.leftJustified(capacity, '\0'));
}
void putDouble(QByteArray& b, double v) {
    char raw[8];
    std::memcpy(raw, &v, 8);
    b.append(raw, 8);
}

QByteArray header(const JhkTestStand& s) {
    QByteArray h;
    put16(h, s.declaredSpecies >= 0 ? s.declaredSpecies : int(s.species.size()));
    putReal(h, s.area);
    h.append(s.signature.leftJustified(3, ' ', true));
    putReal(h, s.version);
    putShort(h, s.name, 40);
    putShort(h, s.designation, 20);
    putShort(h, s.date, 20);
    return h;
}
} // namespace

QByteArray BuildJhkV3(const JhkTestStand& s) {
    QByteArray out = header(s);
    for (const auto& sp : s.species) {
        putCode(out, sp.abbreviation);
        putCode(out, sp.curveSpecies);
        putReal(out, sp.meanDiameter);
        out.append(char(sp.meanDiameterComputed));
        putReal(out, sp.meanHeight);
        out.append(char(sp.computed));
        putReal(out, sp.tableStock);
        put16(out, sp.curve);
        putCode(out, sp.tableSpecies);
        put16(out, sp.classWidth);
        put16(out, int(sp.classes.size()));
        for (const auto& e : sp.classes)
            for (int k = 0; k < 4; ++k)
                putDouble(out, e[size_t(k)]);
    }
    return out;
}

QByteArray BuildJhkOld(const JhkTestStand& s, int version) {
    const int size = version == 1 ? 424 : 427;
    QByteArray out = header(s).leftJustified(size, '\0');
    for (const auto& sp : s.species) {
        QByteArray r;
        putCode(r, sp.abbreviation);
        r.append("   ");
        putReal(r, sp.meanDiameter);
        r.append(char(sp.meanDiameterComputed));
        putReal(r, sp.meanHeight);
        r.append(char(sp.computed));
        putReal(r, sp.tableStock);
        put16(r, sp.curve);
        for (int column = 1; column <= 3; ++column)
            for (int k = 0; k < 22; ++k)
                putReal(r, size_t(k) < sp.classes.size() ? sp.classes[size_t(k)][size_t(column)] : 0.0);
        out.append(r.leftJustified(size, '\0'));
    }
    return out;
}

JhkTestSpecies MakeSpecies(const QString& abbr, int width, int elements) {
    JhkTestSpecies sp;
    sp.abbreviation = abbr;
    sp.curveSpecies = "sm";
    sp.tableSpecies = "sm";
    sp.meanDiameter = 25.5;
    sp.meanHeight = 22;
    sp.meanDiameterComputed = true;
    sp.classWidth = width;
    sp.curve = 2400;
    sp.classes.assign(size_t(elements), {0, 0, 0, 0});
    double total = 0;
    for (int i = 1; i < elements; ++i) {
        sp.classes[size_t(i)][0] = 8 + (i - 1) * width;
        if (i % 3 == 0) {
            sp.classes[size_t(i)][1] = i;
            total += i;
        }
    }
    sp.classes[0][1] = total;
    return sp;
}
