#include "ClassLayout.h"

#include "RivwoodError.h"
#include "TextUtils.h"

#include <cmath>

int ClassLayout::ClassCount(int width, double firstCentre) {
    if (width < 1)
        throw RangeError(QString("Šířka tloušťkového stupně %1 není platná.").arg(width));
    const double n = RoundHalfEven((MaxTloustka - firstCentre) / width) + 1;
    // Classes must exist and stay addressable; a first centre beyond 200 cm leaves one class.
    if (!std::isfinite(n) || n > 100000)
        throw RangeError(QString("Střed prvního stupně %1 není platný.").arg(firstCentre));
    return n < 1 ? 1 : int(n);
}

double ClassLayout::DefaultFirstCentre(int width) {
    if (width == 1 || width == 2)
        return 8;
    if (width == 3)
        return 9;
    return 10;
}

ClassLayout ClassLayout::Make(int width, double firstCentre) {
    ClassLayout l;
    l.PocetStupnu = ClassCount(width, firstCentre);
    l.SirkaStupne = width;
    l.StredPrvniho = firstCentre;
    return l;
}
