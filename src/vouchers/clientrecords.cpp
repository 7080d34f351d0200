#include "vouchers/clientrecords.h"

#include "core/engine/fieldvalue.h"
#include "core/interaction.h"
#include "framework/formrows.h"
#include "framework/tfdbform.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vidoraw {

ClientRecordsDialog::ClientRecordsDialog(AppContext& app, qint64 clientCode, int recordModule,
                                         const QString& title, BirthNumber at, QWidget* parent)
    : QDialog(parent), app_(app), client_(clientCode), module_(recordModule) {
    setWindowTitle(title);
    outer_ = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral(" Klient "));
    FormRows rows(frame);
    QStringList c;
    LookupFields(app, module::kKlient, QStringLiteral("KOD"), {clientCode},
                 {QStringLiteral("RODCIS"), QStringLiteral("TITUL"), QStringLiteral("MENO"),
                  QStringLiteral("PRIEZVISK")},
                 c);
    auto shown = [&](const QString& label, const QString& text, int width) {
        QLineEdit* e = rows.addRow(label, 0, width);
        e->setText(text);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eKod = shown(QStringLiteral("Kód:"), QString::number(clientCode), 8);
    if (at == BirthNumber::Second) eRodcis = shown(QStringLiteral("Rodné číslo:"), c.value(0), 12);
    eTitul = shown(QStringLiteral("Titul:"), c.value(1), 10);
    eMeno = shown(QStringLiteral("Meno:"), c.value(2), 15);
    ePriezvisk = shown(QStringLiteral("Priezvisko:"), c.value(3), 20);
    if (at == BirthNumber::Last) eRodcis = shown(QStringLiteral("Rodné číslo:"), c.value(0), 12);
    outer_->addWidget(frame);

    grid = new QTableWidget(0, 2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Kód"), QStringLiteral("Dátum")});
    grid->setColumnWidth(0, 120);
    grid->setColumnWidth(1, 120);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    outer_->addWidget(grid, 1);
    refill();
}

int ClientRecordsDialog::showModal() {
    return RunDialog(*this);
}

void ClientRecordsDialog::refill(qint64 code) {
    QList<QStringList> found;
    RecordModule* m = app_.registry.module(module_);
    if (m && m->OpenTable()) {
        Table& t = m->table();
        const int kod = t.fieldIndex(QStringLiteral("KOD"));
        const int datum = t.fieldIndex(QStringLiteral("DATUM"));
        // Read beside the module's cursor, whose order and position stay as they were.
        (void)t.scanGroup(QStringLiteral("KODKLIENT;DATUM"), {client_},
                          {QStringLiteral("KOD"), QStringLiteral("DATUM")},
                          [&](qint64, const QVector<QVariant>& r) {
                              const QDate d = r[datum].toDate();
                              found << QStringList{
                                  QString::number(ValueAsInteger(r[kod])),
                                  d.isValid() ? d.toString(QStringLiteral("d.M.yyyy")) : QString()};
                              return true;
                          });
    }
    // A client without records shows one empty row.
    if (found.isEmpty()) found << QStringList{QString(), QString()};
    grid->setRowCount(int(found.size()));
    int selected = int(found.size()) - 1;
    for (int r = 0; r < found.size(); ++r) {
        for (int col = 0; col < 2; ++col)
            grid->setItem(r, col, new QTableWidgetItem(found[r][col]));
        if (code != 0 && found[r][0] == QString::number(code)) selected = r;
    }
    grid->selectRow(selected);
    grid->setCurrentCell(selected, 0);
}

qint64 ClientRecordsDialog::currentCode() const {
    const int row = grid->currentRow();
    const QTableWidgetItem* item = row >= 0 ? grid->item(row, 0) : nullptr;
    return item ? item->text().toLongLong() : 0;
}

} // namespace vidoraw
