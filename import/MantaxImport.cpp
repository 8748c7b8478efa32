#include "MantaxImport.h"

#include "CaliperFile.h"
#include "MantaxBlocks.h"
#include "MantaxStandReader.h"

void MantaxImport::reset(Mode mode) {
    m_mode = mode;
    m_kind = MantaxKind::Empty;
    m_records.clear();
    m_blocks.clear();
    m_assignment.Clear();
    m_fileLayout.reset();
    m_importHotov = false;
}

void MantaxImport::fillAssignment() {
    m_assignment.SetCodes(MantaxStandReader::CollectCodes(m_records, m_mode == Mode::Single));
    m_assignment.FillFromSettings(m_settingsPath, true);
}

void MantaxImport::PrepareSingleImport(const QString& fileName) {
    reset(Mode::Single);
    PrepareSingleImportLines(CaliperFile::ReadLines(fileName));
}

void MantaxImport::PrepareSingleImportLines(const QStringList& lines) {
    reset(Mode::Single);
    m_kind = MantaxReader::DetectKind(lines);
    MantaxConversion c;
    try {
        MantaxReader::Convert(lines, 0, lines.size() - 1, m_kind, c);
    } catch (...) {
        reset(Mode::Single);
        throw;
    }
    m_records = std::move(c.records);
    if (m_kind == MantaxKind::ClassTotals && c.smallestCentre < 1000 && c.classWidth >= 1 &&
        c.classWidth <= 4)
        m_fileLayout = ClassLayout::Make(c.classWidth, c.smallestCentre);
    fillAssignment();
}

void MantaxImport::PrepareBulkImport(const QString& fileName) {
    reset(Mode::Bulk);
    PrepareBulkImportLines(CaliperFile::ReadLines(fileName));
}

void MantaxImport::PrepareBulkImportLines(const QStringList& lines) {
    reset(Mode::Bulk);
    std::vector<TInfoData> blocks = MantaxBlocks::SplitBlocks(lines);
    MantaxBlocks::MarkDuplicates(blocks, lines);
    QStringList records;
    try {
        records = MantaxBlocks::ConvertBlocks(lines, blocks);
    } catch (...) {
        reset(Mode::Bulk);
        throw;
    }
    m_kind = blocks.empty() ? MantaxKind::Empty : blocks.front().kind;
    m_records = std::move(records);
    m_blocks = std::move(blocks);
    fillAssignment();
}

void MantaxImport::ImportSingle(StandSession& session) {
    m_importHotov = false;
    const ClassLayout layout = m_fileLayout ? *m_fileLayout : session.layout;
    TManualy225 stand = session.stand;
    stand.ClearStand();
    // A caliper file brings neither: the previous stand's comment and code must not stick.
    stand.comment.clear();
    stand.code.clear();
    MantaxStandReader::ReadRecordsIntoStand(m_records, 0, m_records.size() - 1, m_assignment, layout, stand);
    if (m_fileLayout)
        session.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    session.stand = std::move(stand);
    session.flags.Ulozeno = false;
    session.flags.Zaznamenano = true;
    m_importHotov = true;
}

BulkImportResult MantaxImport::ImportBulk(StandSink& store, const ClassLayout& layout,
                                          const BulkProgress& progress) {
    return MantaxBulkImport::ImportBlocks(m_records, m_blocks, m_assignment, layout, store, progress);
}
