#include "TLadeni.h"

#include "SpeciesTables.h"
#include "TallyContext.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TLadeni::TLadeni(TallyContext& context, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(context) {
    setObjectName("TLadeni");
    setWindowTitle("Ladeni");
    auto* layout = new QVBoxLayout(this);

    auto* lists = new QGridLayout;
    const QStringList names = {"DrevZkratky", "DrevJako", "DrevJHK", "DrevJmCs",
                               "DrevJL",      "DrevTab",  "DrevKod"};
    for (int i = 0; i < names.size(); ++i) {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(names[i]);
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setMinimumWidth(names[i] == "DrevJmCs" ? 200 : 90);
        lists->addWidget(new QLabel(names[i], this), 0, i);
        lists->addWidget(text, 1, i);
        m_lists[names[i]] = text;
    }
    layout->addLayout(lists, 1);
    m_lists["DrevJmCs"]->setPlainText(SpeciesTables::DrevJmCs().join('\n'));
    m_lists["DrevJHK"]->setPlainText(SpeciesTables::DrevJHK().join('\n'));
    m_lists["DrevJL"]->setPlainText(SpeciesTables::DrevJL().join('\n'));
    m_lists["DrevTab"]->setPlainText(SpeciesTables::DrevTab().join('\n'));
    m_lists["DrevKod"]->setPlainText(SpeciesTables::DrevKod().join('\n'));
    // DrevZkratky comes from DrevJmCs when the window is made.
    m_lists["DrevZkratky"]->setPlainText(SpeciesTables::DrevZkratky().join('\n'));

    auto* flags = new QGridLayout;
    const QStringList captions = {"Po Startu",   "Je nova drev.", "Vybrana drevina", "Vyplneny cetn",
                                  "Vyplnena tl", "Zaznamenano",   "Vypocteno",       "Vyplnena vyska",
                                  "Zmena cetn",  "Zmena tl",      "Zmena Vysky",     "Ulozeno"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* box = new QCheckBox(captions[i], this);
        box->setEnabled(false);
        flags->addWidget(box, i / 6, i % 6);
        m_flags[captions[i]] = box;
    }
    layout->addLayout(flags);

    auto* fields = new QHBoxLayout;
    auto field = [&](const QString& caption, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setMaximumWidth(80);
        fields->addWidget(new QLabel(caption, this));
        fields->addWidget(edit);
        return edit;
    };
    m_key = field("Klic zaznamu", "KlicZaznamu");
    m_itemCount = field("Vyb. Drevin.count", "VybDrevinCount");
    m_speciesCount = field("manualy.count", "ManualyCount");
    fields->addStretch();
    auto* report = new QPushButton("Sestava", this);
    report->setObjectName("Sestava");
    auto* caliper = new QPushButton("Prumerka", this);
    caliper->setObjectName("Prumerka");
    auto* close = new QPushButton("Konec", this);
    close->setObjectName("Konec");
    fields->addWidget(report);
    fields->addWidget(caliper);
    fields->addWidget(close);
    layout->addLayout(fields);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(report, &QPushButton::clicked, this, &TLadeni::sestavaRequested);
    connect(caliper, &QPushButton::clicked, this, &TLadeni::prumerkaRequested);
    resize(900, 520);
}

void TLadeni::setDrevJako(const QStringList& lines) {
    m_lists["DrevJako"]->setPlainText(lines.join('\n'));
}

void TLadeni::setCounts(int speciesItems, int standSpecies) {
    m_itemCount->setText(QString::number(speciesItems));
    m_speciesCount->setText(QString::number(standSpecies));
}

void TLadeni::showFlags() {
    const EditingFlags& f = m_ctx.sheet.state().flags;
    m_flags["Po Startu"]->setChecked(f.PoStartu);
    m_flags["Je nova drev."]->setChecked(f.JeNovaDrevina);
    m_flags["Vybrana drevina"]->setChecked(f.VybranaDrevina);
    m_flags["Vyplneny cetn"]->setChecked(f.VyplneneCetnosti);
    m_flags["Vyplnena tl"]->setChecked(f.VyplnenaTloustka);
    m_flags["Zaznamenano"]->setChecked(f.Zaznamenano);
    m_flags["Vypocteno"]->setChecked(f.Vypocteno);
    m_flags["Vyplnena vyska"]->setChecked(f.VyplnenaVyska);
    m_flags["Zmena cetn"]->setChecked(f.ZmenaCetnosti);
    m_flags["Zmena tl"]->setChecked(f.ZmenaTloustky);
    m_flags["Zmena Vysky"]->setChecked(f.ZmenaVysky);
    m_flags["Ulozeno"]->setChecked(f.Ulozeno);
    m_key->setText(QString::number(f.KlicZaznamu));
}

QPlainTextEdit* TLadeni::list(const QString& name) const {
    const auto it = m_lists.find(name);
    return it == m_lists.end() ? nullptr : it->second;
}

QCheckBox* TLadeni::flag(const QString& caption) const {
    const auto it = m_flags.find(caption);
    return it == m_flags.end() ? nullptr : it->second;
}

void TLadeni::showEvent(QShowEvent* event) {
    showFlags();
    QWidget::showEvent(event);
}
