#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The volume row of one curve: the volume at the first tabulated diameter and 21 steps, each one
// unsigned byte in hundredths of m3; a step of 0 tells the reader to grow the volume with basal area.
struct VolumeRow {
    int curve = 0;
    std::array<uint8_t, 22> values{};
};

// Builds the row from the one-tree volumes (hundredths of m3) at the tabulated diameters. Each step
// brings the volume the reader accumulates back to the rounded target; a step that would not fit a
// byte (or would be 0) is written as 0 and the reader's basal-area growth is followed from there.
VolumeRow BuildVolumeRow(int curve, const std::vector<int>& diameters, const std::vector<double>& hundredths);

// The volumes (hundredths of m3) a reader of the row obtains at the tabulated diameters.
std::vector<double> ReadVolumeRow(const std::vector<int>& diameters, const VolumeRow& row);
