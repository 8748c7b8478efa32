#include "TSestavaD.h"

#include "ReportComposer.h"
#include "ReportPdfWriter.h"

TSestavaD::TSestavaD() : TSestavaTyp(true) {}

TSestavaD::~TSestavaD() = default;

int TSestavaD::compose() {
    return composeInto(m_output, TextMeasure());
}

int TSestavaD::composeInto(TSestVystup& output, const TextMeasure& measure) {
    m_error.clear();
    if (!m_data) {
        m_error = QStringLiteral("Není definován zdroj dat.");
        return ComposeFailed;
    }
    if (!m_data->isActive()) {
        const bool tryOpen =
            !OnQuestion || OnQuestion(QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?"));
        if (!tryOpen) {
            m_error = QStringLiteral("Připojená tabulka není aktivní.");
            return ComposeFailed;
        }
        if (!m_data->open() || !m_data->isActive()) {
            m_error = QStringLiteral("Připojenou tabulku se nepodařilo otevřít.");
            return ComposeFailed;
        }
    }
    ComposeSettings settings;
    settings.parameters = Parametry;
    settings.maxRecords = MaxRecords;
    settings.singleRecord = TiskJedenZaznam;
    settings.startPage = StartPage;
    settings.endPage = EndPage;
    settings.locale = m_locale;
    settings.printTime = m_printTime;
    settings.progress = m_progress;
    settings.printSection = OnTiskOddilu;
    settings.dataType = OnGetDataType;
    settings.alignment = OnGetAlignment;
    settings.detailData = OnGetDetailData;
    settings.measure = measure;
    ReportComposer composer(*this, m_data, settings, output);
    return composer.run() == ReportComposer::Interrupted ? ComposeInterrupted : ComposeOk;
}

bool TSestavaD::exportPdf(const QString& fileName, const QImage& background) {
    ReportPdfWriter writer;
    if (!background.isNull())
        writer.setBackground(background, printableRect());
    if (!writer.write(m_output, fileName, description(), StartPage, EndPage, PrintCopies)) {
        m_error = writer.errorString();
        return false;
    }
    return true;
}
