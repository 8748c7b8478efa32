#include "OutputTestSupport.h"

QString valueAfter(const TStranaPrvku& page, const QString& label, int occurrence) {
    for (size_t i = 0; i + 1 < page.items.size(); ++i)
        if (page.items[i].isText() && page.items[i].text == label && occurrence-- == 0)
            return page.items[i + 1].text;
    return {};
}

QStringList pageTexts(const TStranaPrvku& page) {
    QStringList texts;
    for (const TVystPrvek& item : page.items)
        if (item.isText())
            texts << item.text;
    return texts;
}

std::vector<StandHeader> standHeaders(const TSestVystup& output) {
    std::vector<StandHeader> headers;
    for (int p = 0; p < output.pageCount(); ++p) {
        const TStranaPrvku& page = output.page(p);
        for (size_t i = 0; i + 1 < page.items.size(); ++i) {
            if (page.items[i].text != QStringLiteral("Tok:"))
                continue;
            // The header of one stand, from "Tok:" on.
            TStranaPrvku rest;
            rest.items.assign(page.items.begin() + qsizetype(i), page.items.end());
            headers.push_back({page.number, valueAfter(rest, QStringLiteral("List:")), page.items[i + 1].text,
                               valueAfter(rest, QStringLiteral("Říční km:"))});
        }
    }
    return headers;
}
