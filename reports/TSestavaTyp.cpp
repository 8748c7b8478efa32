#include "TSestavaTyp.h"

#include <algorithm>

TSestavaTyp::TSestavaTyp(bool hasPageSections) : m_hasPageSections(hasPageSections) {
    clear();
}

TSestavaTyp::~TSestavaTyp() = default;

void TSestavaTyp::clear() {
    m_description.clear();
    setVersion(4, 0, 0);
    m_paper = ReportPaper();
    m_grid = ReportGrid();
    m_i5Value = 0;
    for (int i = 0; i < 5; ++i) {
        m_sections[i] = TOddilSestavy();
        m_sections[i].number = i;
    }
    m_groups.clear();
    m_functions.clear();
    m_subReports.clear();
}

void TSestavaTyp::setVersion(int major, int minor, int release) {
    m_versionMajor = major;
    m_versionMinor = minor;
    m_versionRelease = release;
}

int TSestavaTyp::pageWidth() const {
    return m_paper.orientation == 1 ? m_paper.height : m_paper.width;
}

int TSestavaTyp::pageHeight() const {
    return m_paper.orientation == 1 ? m_paper.width : m_paper.height;
}

QRect TSestavaTyp::printableRect() const {
    return QRect(QPoint(m_paper.marginLeft, m_paper.marginTop),
                 QPoint(pageWidth() - m_paper.marginRight - 1, pageHeight() - m_paper.marginBottom - 1));
}

TOddilSestavy* TSestavaTyp::section(int number) {
    return const_cast<TOddilSestavy*>(static_cast<const TSestavaTyp*>(this)->section(number));
}

const TOddilSestavy* TSestavaTyp::section(int number) const {
    if (number < 0)
        return nullptr;
    if (number < 5)
        return &m_sections[number];
    const int group = (number - 5) / 2;
    if (group >= int(m_groups.size()))
        return nullptr;
    return (number - 5) % 2 == 0 ? &m_groups[group].head : &m_groups[group].foot;
}

TPolSkup& TSestavaTyp::ensureGroup(int number) {
    while (int(m_groups.size()) <= number)
        m_groups.emplace_back(int(m_groups.size()));
    return m_groups[number];
}

int TSestavaTyp::findFunction(const QString& name) const {
    for (size_t i = 0; i < m_functions.size(); ++i)
        if (m_functions[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TSestavaTyp* TSestavaTyp::subReport(int number) const {
    if (number < 0 || number >= int(m_subReports.size()))
        return nullptr;
    return m_subReports[number].get();
}

TSestavaTyp& TSestavaTyp::ensureSubReport(int number) {
    while (int(m_subReports.size()) <= number)
        m_subReports.push_back(std::make_unique<TSestavaTyp>(false));
    return *m_subReports[number];
}
