#include "invoicing/receiptform.h"

#include "core/settings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vidoraw {

namespace {
IniFile ReceiptSettings() { return IniFile(QString::fromLatin1(kReceiptSettingsFile)); }
} // namespace

TfReceiptm::TfReceiptm(AppContext& app, ReceiptKind kind, QWidget* parent)
    : TfMojForm(app, parent), kind_(kind) {
    const bool income = kind == ReceiptKind::Income;
    setWindowTitle(income ? QStringLiteral("Príjmový pokladničný doklad")
                          : QStringLiteral("Výdavkový pokladničný doklad"));
    struct Row {
        const char* label;
        int width;
    };
    const Row fields[] = {{"Firma:", 50},        {"", 50},           {"", 50},
                          {"IČ DPH:", 16},       {"IČO:", 12},       {"pokladničný doklad č.:", 12},
                          {"zo dňa:", 11},       {"Prijaté od:", 60}, {"IČ DPH:", 16},
                          {"IČO:", 12},          {"Cena bez DPH:", 14}, {"DPH(%):", 6},
                          {"DPH:", 14},          {"Cena s DPH:", 14}, {"Slovom:", 60},
                          {"Účel:", 40},         {"Vyhotovil:", 30}, {"Schválil:", 30}};
    for (int i = 0; i < int(std::size(fields)); ++i) {
        if (i == 5) {
            lTitle = new QLabel(income ? QStringLiteral("PRÍJMOVÝ") : QStringLiteral("VÝDAVKOVÝ"),
                                this);
            QFont bold = lTitle->font();
            bold.setBold(true);
            lTitle->setFont(bold);
            rows().addWide(lTitle);
        }
        edits_ << rows().addRow(QString::fromUtf8(fields[i].label), 0, fields[i].width);
    }
    auto* commands = new QHBoxLayout;
    bbTlac = new QPushButton(QStringLiteral("&Tlač"), this);
    bbExport = new QPushButton(QStringLiteral("&Export pre Word"), this);
    cbDvakrat = new QCheckBox(QStringLiteral("&Dva doklady na A4"), this);
    for (QPushButton* b : {bbTlac, bbExport}) {
        b->setAutoDefault(false);
        commands->addWidget(b);
    }
    commands->addWidget(cbDvakrat);
    commands->addStretch(1);
    rows().addRow(QString(), commands);
    finishLayout();
    connect(bbTlac, &QPushButton::clicked, this, &TfReceiptm::commandPrint);
    connect(bbExport, &QPushButton::clicked, this, &TfReceiptm::commandExport);
}

void TfReceiptm::prepare(qint64 invoiceCode) {
    invoice_ = invoiceCode;
    const IniFile ini = ReceiptSettings();
    const QString section = ReceiptName(kind_);
    cbDvakrat->setChecked(ini.readBool(section, QStringLiteral("DVAKRAT")));
    const ReceiptValues v =
        FillReceipt(app(), kind_, invoiceCode, ini.readString(section, QStringLiteral("VYHOTOVIL")),
                    ini.readString(section, QStringLiteral("SCHVALIL")));
    for (int i = 0; i < edits_.size() && i < v.size(); ++i) {
        edits_[i]->setText(v[i].second);
        edits_[i]->setCursorPosition(0);
    }
    focusField(edit(QStringLiteral("XXX_CDOKLAD")));
}

void TfReceiptm::remember() const {
    IniFile ini = ReceiptSettings();
    const QString section = ReceiptName(kind_);
    ini.writeString(section, QStringLiteral("VYHOTOVIL"), edit(QStringLiteral("XXX_VYHOTOVIL"))->text());
    ini.writeString(section, QStringLiteral("SCHVALIL"), edit(QStringLiteral("XXX_SCHVALIL"))->text());
    ini.writeBool(section, QStringLiteral("DVAKRAT"), cbDvakrat->isChecked());
}

ReceiptValues TfReceiptm::values() const {
    ReceiptValues out;
    for (int i = 0; i < edits_.size(); ++i)
        out.append({ReceiptPlaceholders()[i], edits_[i]->text()});
    return out;
}

QLineEdit* TfReceiptm::edit(const QString& placeholder) const {
    const int i = int(ReceiptPlaceholders().indexOf(placeholder));
    return i >= 0 ? edits_.value(i) : nullptr;
}

void TfReceiptm::commandPrint() { PrintReceipt(app(), kind_, values(), cbDvakrat->isChecked(), this); }

void TfReceiptm::commandExport() { ExportReceipt(app(), kind_, values(), invoice_, this); }

} // namespace vidoraw
