#pragma once

#include "TVystPrvek.h"

#include <vector>

// One composed page: its output items in drawing order.
struct TStranaPrvku {
    int number = 0; // 1-based page number
    std::vector<TVystPrvek> items;
};
