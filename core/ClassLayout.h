#pragma once

// The diameter-class layout shared by every species of a stand: width w, first centre c0 and the
// number of classes n covering diameters up to MaxTloustka.
struct ClassLayout {
    static constexpr double MaxTloustka = 200.0;

    int SirkaStupne = 4;
    double StredPrvniho = 10.0;
    int PocetStupnu = 49;

    // n = Round((200 - c0) / w) + 1, halves to even; a width below 1 is a RangeError.
    static int ClassCount(int width, double firstCentre);
    // First centre for a width given alone (file input): 8 for widths 1 and 2, 9 for 3, else 10.
    static double DefaultFirstCentre(int width);
    static ClassLayout Make(int width, double firstCentre);

    double Centre(int element) const { return StredPrvniho + (element - 1) * SirkaStupne; }
    int ElementCount() const { return PocetStupnu + 1; }
    friend bool operator==(const ClassLayout&, const ClassLayout&) = default;
};
