#include "shop/okubpm.h"

#include "core/engine/fieldvalue.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "framework/formrows.h"
#include "framework/tfdbform.h"
#include "shop/obpd.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vidoraw {

TfOkubpm::TfOkubpm(AppContext& app, qint64 clientCode, QWidget* parent)
    : QDialog(parent), app_(app), client_(clientCode) {
    setWindowTitle(QStringLiteral("Okuliare bez pokuazu"));
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral(" Klient "));
    FormRows rows(frame);
    QStringList c;
    LookupFields(app, module::kKlient, QStringLiteral("KOD"), {clientCode},
                 {QStringLiteral("TITUL"), QStringLiteral("MENO"), QStringLiteral("PRIEZVISK"),
                  QStringLiteral("RODCIS")},
                 c);
    auto shown = [&](const QString& label, const QString& text, int width) {
        QLineEdit* e = rows.addRow(label, 0, width);
        e->setText(text);
        FormRows::makeDisplayOnly(e);
        return e;
    };
    eKod = shown(QStringLiteral("Kód:"), QString::number(clientCode), 8);
    eTitul = shown(QStringLiteral("Titul:"), c.value(0), 10);
    eMeno = shown(QStringLiteral("Meno:"), c.value(1), 15);
    ePriezvisk = shown(QStringLiteral("Priezvisko:"), c.value(2), 20);
    eRodcis = shown(QStringLiteral("Rodné číslo:"), c.value(3), 12);
    outer->addWidget(frame);

    grid = new QTableWidget(0, 2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Kód"), QStringLiteral("Dátum")});
    grid->setColumnWidth(0, 120);
    grid->setColumnWidth(1, 120);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    outer->addWidget(grid, 1);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& caption, auto slot) {
        auto* b = new QPushButton(caption);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(QStringLiteral("&Pridaj"), &TfOkubpm::commandAdd);
    button(QStringLiteral("&Oprav"), &TfOkubpm::commandEdit);
    button(QStringLiteral("&Zmaž"), &TfOkubpm::commandDelete);
    button(QStringLiteral("Späť"), &QDialog::reject);
    outer->addLayout(buttons);
    refill();
}

int TfOkubpm::showModal() { return RunDialog(*this); }

void TfOkubpm::refill(qint64 code) {
    QList<QStringList> found;
    RecordModule* m = app_.registry.module(module::kObp);
    if (m && m->OpenTable()) {
        Table& t = m->table();
        const int kod = t.fieldIndex(QStringLiteral("KOD"));
        const int klient = t.fieldIndex(QStringLiteral("KODKLIENT"));
        const int datum = t.fieldIndex(QStringLiteral("DATUM"));
        // Read beside the module's cursor, whose order and position stay as they were.
        t.scanOrder(QStringLiteral("KODKLIENT;DATUM"), {client_}, false,
                    [&](qint64, const QVector<QVariant>& r) {
                        if (ValueAsInteger(r[klient]) != client_)
                            return false;
                        const QDate d = r[datum].toDate();
                        found << QStringList{QString::number(ValueAsInteger(r[kod])),
                                             d.isValid() ? d.toString(QStringLiteral("d.M.yyyy"))
                                                         : QString()};
                        return true;
                    });
    }
    // A client without glasses shows one empty row.
    if (found.isEmpty())
        found << QStringList{QString(), QString()};
    grid->setRowCount(int(found.size()));
    int selected = int(found.size()) - 1;
    for (int r = 0; r < found.size(); ++r) {
        for (int col = 0; col < 2; ++col)
            grid->setItem(r, col, new QTableWidgetItem(found[r][col]));
        if (code != 0 && found[r][0] == QString::number(code))
            selected = r;
    }
    grid->selectRow(selected);
    grid->setCurrentCell(selected, 0);
}

qint64 TfOkubpm::currentCode() const {
    const int row = grid->currentRow();
    const QTableWidgetItem* item = row >= 0 ? grid->item(row, 0) : nullptr;
    return item ? item->text().toLongLong() : 0;
}

void TfOkubpm::commandAdd() {
    auto* form = dynamic_cast<TfObpd*>(app_.registry.module(module::kObp));
    if (!form)
        return;
    form->centreOver(this);
    if (form->AddGlassesForClient(client_))
        refill();
}

void TfOkubpm::commandEdit() {
    const qint64 code = currentCode();
    auto* form = dynamic_cast<TfObpd*>(app_.registry.module(module::kObp));
    if (code == 0 || !form || !form->OpenTable())
        return;
    if (!FindByKey(form->table(), QStringLiteral("KOD"), code)) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Nenašiel som záznam v evidencii náhradneho voľna. Vykonajte "
                                  "Reindexáciu!"),
                   NoticeKind::Error, this);
        return;
    }
    form->centreOver(this);
    form->EditRecord();
    refill(code);
}

void TfOkubpm::commandDelete() {
    const qint64 code = currentCode();
    RecordModule* m = app_.registry.module(module::kObp);
    if (code == 0 || !m || !m->OpenTable())
        return;
    if (AskConfirm(QStringLiteral("Mám naozaj vymazať aktuálny záznam?"), this) != 1)
        return;
    Table& t = m->table();
    WriteLock lock(*t.database());
    if (!lock.ok()) {
        ShowNotice(QStringLiteral("Chyba"), lock.error(), NoticeKind::Error, this);
    } else if (!FindByKey(t, QStringLiteral("KOD"), code)) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nenašiel som záznam s kódom: %1! Reindexujte!").arg(code),
                   NoticeKind::Information, this);
    } else if (!t.remove() || !lock.commit()) {
        ShowNotice(QStringLiteral("Chyba"), TfDbForm::saveErrorText(), NoticeKind::Error, this);
    }
    refill();
}

} // namespace vidoraw
