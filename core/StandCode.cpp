#include "StandCode.h"

#include "TextUtils.h"

namespace {
constexpr int kWidths[4] = {20, 2, 16, 30};

QString field(const QString& text, int width) {
    return CutAtCharacter(text.trimmed(), width).leftJustified(width, ' ');
}
} // namespace

QString MakeStandCode(const QString& river, const QString& bank, const QString& riverKm,
                      const QString& action) {
    return field(river, kWidths[0]) + field(bank, kWidths[1]) + field(riverKm, kWidths[2]) +
           field(action, kWidths[3]);
}

StandCodeParts SplitStandCode(const QString& code) {
    QString parts[4];
    int pos = 0;
    for (int i = 0; i < 4; ++i) {
        parts[i] = code.mid(pos, kWidths[i]).trimmed();
        pos += kWidths[i];
    }
    return {parts[0], parts[1], parts[2], parts[3]};
}
