#pragma once

// Rounds to the nearest integer, refusing values that lie within 1e-6 of a half: the generated
// bytes must not depend on the last bits of a libm result, so a near tie is a modelling error.
int RoundWellSeparated(double value);
