#include "Real48.h"

#include "RivwoodError.h"

#include <cmath>

double Real48ToDouble(const std::uint8_t* b) {
    if (b[0] == 0)
        return 0.0;
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i)
        fraction = (fraction << 8) | b[i];
    const bool negative = (fraction >> 39) & 1;
    fraction &= (std::uint64_t(1) << 39) - 1;
    const double mantissa = 1.0 + double(fraction) / double(std::uint64_t(1) << 39);
    const double v = std::ldexp(mantissa, int(b[0]) - 129);
    return negative ? -v : v;
}

Real48Bytes DoubleToReal48(double value) {
    Real48Bytes out{};
    if (value == 0.0)
        return out;
    if (!std::isfinite(value))
        throw RangeError("Hodnotu nelze uložit jako 6bajtové reálné číslo.");
    const bool negative = value < 0;
    int exp = 0;
    // frexp gives m in [0.5, 1): value = m * 2^exp = (2m) * 2^(exp-1).
    const double m = std::frexp(std::fabs(value), &exp);
    double scaled = (2.0 * m - 1.0) * double(std::uint64_t(1) << 39);
    std::uint64_t fraction = std::uint64_t(std::nearbyint(scaled));
    int e = exp - 1 + 129;
    if (fraction == (std::uint64_t(1) << 39)) { // rounding carried into the exponent
        fraction = 0;
        ++e;
    }
    if (e <= 0)
        return out;
    if (e > 255)
        throw RangeError("Hodnota je příliš velká pro 6bajtové reálné číslo.");
    out[0] = std::uint8_t(e);
    if (negative)
        fraction |= std::uint64_t(1) << 39;
    for (int i = 1; i <= 5; ++i) {
        out[size_t(i)] = std::uint8_t(fraction & 0xFF);
        fraction >>= 8;
    }
    return out;
}

double RoundToReal48(double value) {
    const Real48Bytes b = DoubleToReal48(value);
    return Real48ToDouble(b.data());
}
