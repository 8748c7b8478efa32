#include "MantaxImport.h"

#include "MantaxBlocks.h"
#include "MantaxStandReader.h"
#include "SpeciesCodes.h"

void MantaxImport::reset(Mode mode) {
    m_mode = mode;
    m_kind = MantaxKind::Empty;
    m_lines = {};
    m_blocks.clear();
    m_assignment.Clear();
    m_fileLayout.reset();
    m_importHotov = false;
}

void MantaxImport::PrepareSingleImport(const QString& fileName) {
    reset(Mode::Single);
    prepareSingle(CaliperLines::FromFile(fileName));
}

void MantaxImport::PrepareSingleImportLines(const QStringList& lines) {
    reset(Mode::Single);
    prepareSingle(CaliperLines(lines));
}

// The kind, then one conversion pass for the codes of the first stand and the class layout of a
// class-total report; nothing of the file is kept but where it is.
void MantaxImport::prepareSingle(const CaliperLines& lines) {
    SpeciesCodes codes;
    MantaxConversion c;
    try {
        m_kind = MantaxReader::DetectKind(lines);
        bool firstStand = true;
        c.sink = [&](const QString& record) {
            firstStand = firstStand && MantaxStandReader::CollectCode(record, codes);
        };
        MantaxConverter converter(m_kind, c);
        lines.ForEach([&](qsizetype, const QString& line) {
            converter.line(line);
            // A record file's later stands add nothing; a report's stand ends with the file.
            return firstStand || m_kind != MantaxKind::Records;
        });
        converter.finish();
    } catch (...) {
        reset(Mode::Single);
        throw;
    }
    m_lines = lines;
    if (m_kind == MantaxKind::ClassTotals && c.smallestCentre < 1000 && c.classWidth >= 1 &&
        c.classWidth <= 4)
        m_fileLayout = ClassLayout::Make(c.classWidth, c.smallestCentre);
    fillAssignment(codes.list());
}

void MantaxImport::PrepareBulkImport(const QString& fileName) {
    reset(Mode::Bulk);
    prepareBulk(CaliperLines::FromFile(fileName));
}

void MantaxImport::PrepareBulkImportLines(const QStringList& lines) {
    reset(Mode::Bulk);
    prepareBulk(CaliperLines(lines));
}

// One pass for the blocks, one converting them all for their codes and to find a damaged block
// before anything is stored.
void MantaxImport::prepareBulk(const CaliperLines& lines) {
    SpeciesCodes codes;
    std::vector<TInfoData> blocks;
    try {
        blocks = MantaxBlocks::SplitBlocks(lines);
        MantaxBlocks::MarkDuplicates(blocks);
        MantaxBlocks::ConvertBlocks(lines, blocks, [&](size_t, const QString& record) {
            MantaxStandReader::CollectCode(record, codes);
            return true;
        });
    } catch (...) {
        reset(Mode::Bulk);
        throw;
    }
    m_kind = blocks.empty() ? MantaxKind::Empty : blocks.front().kind;
    m_lines = lines;
    m_blocks = std::move(blocks);
    fillAssignment(codes.list());
}

void MantaxImport::fillAssignment(const QStringList& codes) {
    m_assignment.SetCodes(codes);
    m_assignment.FillFromSettings(m_settingsPath, true);
}

StandSession MantaxImport::ImportSingle(const StandSession& current) {
    m_importHotov = false;
    StandSession imported = current;
    const ClassLayout layout = m_fileLayout ? *m_fileLayout : current.layout;
    TManualy225 stand = current.stand;
    stand.ClearStand();
    // A caliper file brings neither: the previous stand's comment and code must not stick.
    stand.comment.clear();
    stand.code.clear();
    {
        MantaxStandReader::Reader reader(m_assignment, layout, stand);
        bool reading = true;
        MantaxConversion c;
        c.sink = [&](const QString& record) { reading = reading && reader.Read(record); };
        MantaxConverter converter(m_kind, c);
        m_lines.ForEach([&](qsizetype, const QString& line) {
            converter.line(line);
            return reading;
        });
        converter.finish();
        reader.Finish();
    }
    if (m_fileLayout)
        imported.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    imported.stand = std::move(stand);
    m_importHotov = true;
    return imported;
}

BulkImportResult MantaxImport::ImportBulk(StandSink& store, const ClassLayout& layout,
                                          const BulkProgress& progress) const {
    return MantaxBulkImport::ImportBlocks(m_lines, m_blocks, m_assignment, layout, store, progress);
}
