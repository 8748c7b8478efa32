#pragma once

#include <array>
#include <cstdint>

// The 6-byte real of the JHK data files and species records: byte 0 the exponent biased by 129
// (0 means zero), bytes 1..5 a 39-bit fraction, least significant byte first, the top bit of
// byte 5 the sign.
using Real48Bytes = std::array<std::uint8_t, 6>;

double Real48ToDouble(const std::uint8_t* bytes);
// Encodes with rounding to the nearest 39-bit fraction; values too large for the format are a
// RangeError, values too small become 0.
Real48Bytes DoubleToReal48(double value);
// The value as it reads back after a store into a 6-byte real.
double RoundToReal48(double value);
