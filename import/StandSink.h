#pragma once

#include "TManualy225.h"

// Where the bulk import puts its stands: the stand database, or a test double.
class StandSink {
  public:
    virtual ~StandSink() = default;
    // A free key, or a new one (largest + 1), with the user identification filled.
    virtual int AllocateStandKey() = 0;
    // Writes the stand under an allocated key.
    virtual void SaveStand(const TManualy225& stand, int key) = 0;
};
