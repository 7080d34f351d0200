#include "invoicing/osobafp.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "framework/grids.h"
#include "framework/tfbrowse.h"
#include "invoicing/osobafd.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

TfOsobafp::TfOsobafp(AppContext& app, qint64 companyCode, QWidget* parent)
    : TfMojForm(app, parent), company_(companyCode) {
    setWindowTitle(QStringLiteral("Osoby patriace firme"));
    auto* layout = new QVBoxLayout(this);
    auto* block = new QGroupBox(QStringLiteral(" Firma "), this);
    auto* form = new QFormLayout(block);
    auto shown = [&](const QString& label, int chars) {
        auto* e = new QLineEdit(block);
        FormRows::makeDisplayOnly(e);
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * chars);
        form->addRow(label, e);
        return e;
    };
    eKodf = shown(QStringLiteral("Kód firmy:"), 8);
    eIco = shown(QStringLiteral("IČO:"), 12);
    eFirma = shown(QStringLiteral("Názov"), 40);
    eMajitel = shown(QStringLiteral("Majiteľ:"), 40);
    eDicon = shown(QStringLiteral("DIČ (nové):"), 15);
    eIcdph = shown(QStringLiteral("IČ DPH:"), 15);
    eAdresa = shown(QStringLiteral("Adresa:"), 50);
    layout->addWidget(block);

    auto* label = new QLabel(QStringLiteral("Osoby"), this);
    sgOsoby = new EditGrid(0, 4, this);
    label->setBuddy(sgOsoby);
    sgOsoby->setHorizontalHeaderLabels({QStringLiteral("Kód"),
                                        QStringLiteral("Priezvisko, meno, titul"),
                                        QStringLiteral("Adresa"), QStringLiteral("Funkcia")});
    const int widths[] = {50, 150, 150, 100};
    for (int c = 0; c < 4; ++c)
        sgOsoby->setColumnWidth(c, widths[c]);
    sgOsoby->horizontalHeader()->setStretchLastSection(true);
    sgOsoby->verticalHeader()->hide();
    sgOsoby->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgOsoby->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgOsoby->setSelectionMode(QAbstractItemView::SingleSelection);
    sgOsoby->setMinimumSize(480, 200);
    QPalette p = sgOsoby->palette();
    const TableModel::RowColours chosen = ListRowColours(app.listColours, 0, true, false);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, chosen.background);
        p.setColor(g, QPalette::HighlightedText, chosen.text);
    }
    sgOsoby->setPalette(p);
    sgOsoby->installEventFilter(this);
    layout->addWidget(label);
    layout->addWidget(sgOsoby, 1);

    auto* buttons = new QHBoxLayout;
    bPridaj = new QPushButton(QStringLiteral("Pridaj"), this);
    bOprav = new QPushButton(QStringLiteral("Oprav"), this);
    bZmaz = new QPushButton(QStringLiteral("Zmaž"), this);
    bbSpat = new QPushButton(QStringLiteral("Späť"), this);
    for (QPushButton* b : {bPridaj, bOprav, bZmaz, bbSpat}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(bPridaj, &QPushButton::clicked, this, &TfOsobafp::commandAdd);
    connect(bOprav, &QPushButton::clicked, this, &TfOsobafp::commandEdit);
    connect(bZmaz, &QPushButton::clicked, this, &TfOsobafp::commandDelete);
    connect(bbSpat, &QPushButton::clicked, this, &TfOsobafp::pressBack);
    // The grid's own arrows choose the row.
    upArrowMoves = downArrowMoves = false;

    if (TfOsobafd* m = persons()) {
        m->showCompany(QString::number(companyCode));
        eKodf->setText(QString::number(companyCode));
        for (auto [from, to] : {std::pair{m->eIco, eIco},
                                {m->eFirma, eFirma},
                                {m->eMajitel, eMajitel},
                                {m->eDicon, eDicon},
                                {m->eIcdph, eIcdph},
                                {m->eAdresa, eAdresa}}) {
            to->setText(from->text());
            to->setCursorPosition(0);
        }
    }
    fill();
}

TfOsobafd* TfOsobafp::persons() const {
    auto* m = dynamic_cast<TfOsobafd*>(app().registry.module(module::kOsobaf));
    return m && m->OpenTable() ? m : nullptr;
}

void TfOsobafp::fill(std::optional<qint64> select) {
    sgOsoby->setRowCount(0);
    TfOsobafd* m = persons();
    int chosen = -1;
    if (m) {
        Table& t = m->table();
        auto at = [&t](const char* field) { return t.fieldIndex(QString::fromLatin1(field)); };
        const int kod = at("KOD"), kodf = at("KODF");
        const double company = double(company_);
        t.scanOrder(QStringLiteral("KODF"), {company}, false,
                    [&](qint64, const QVector<QVariant>& row) {
                        if (row[kodf].isNull() || row[kodf].toDouble() != company) return false;
                        auto text = [&](const char* field) { return row[at(field)].toString(); };
                        const qint64 code = ValueAsInteger(row[kod]);
                        const int r = sgOsoby->rowCount();
                        sgOsoby->insertRow(r);
                        const QString cells[] = {
                            QString::number(code),
                            PersonNameLine(text("PRIEZVISK"), text("MENO"), text("TITUL")),
                            PersonAddressLine(text("ULICA"), text("OBEC"), text("PSC"),
                                              text("DODPOSTA"), text("OKRES")),
                            text("FUNKCIA")};
                        for (int c = 0; c < 4; ++c)
                            sgOsoby->setItem(r, c, new QTableWidgetItem(cells[c]));
                        if (select && *select == code) chosen = r;
                        return true;
                    });
    }
    if (sgOsoby->rowCount() == 0) {
        sgOsoby->insertRow(0);
        for (int c = 0; c < 4; ++c)
            sgOsoby->setItem(0, c, new QTableWidgetItem());
    }
    paintRows();
    sgOsoby->setCurrentCell(chosen >= 0 ? chosen : sgOsoby->rowCount() - 1, 0);
    focusField(sgOsoby);
}

void TfOsobafp::paintRows() {
    for (int r = 0; r < sgOsoby->rowCount(); ++r) {
        const TableModel::RowColours colours = ListRowColours(app().listColours, r, false, false);
        for (int c = 0; c < sgOsoby->columnCount(); ++c) {
            if (QTableWidgetItem* item = sgOsoby->item(r, c)) {
                item->setBackground(colours.background);
                item->setForeground(colours.text);
            }
        }
    }
}

std::optional<qint64> TfOsobafp::currentPerson() const {
    const QTableWidgetItem* item = sgOsoby->item(sgOsoby->currentRow(), 0);
    if (!item || item->text().isEmpty()) return std::nullopt;
    return item->text().toLongLong();
}

void TfOsobafp::commandAdd() {
    TfOsobafd* m = persons();
    if (!m) return;
    m->centreOver(this);
    if (m->AddCompanyPerson(company_)) fill();
}

void TfOsobafp::commandEdit() {
    const std::optional<qint64> person = currentPerson();
    TfOsobafd* m = persons();
    if (!person || !m) return;
    if (!FindByKey(m->table(), QStringLiteral("KOD"), double(*person))) {
        complain(QStringLiteral("Nenašiel som záznam v evidencii osôb. Vykonajte Reindexáciu!"));
        return;
    }
    m->centreOver(this);
    m->EditRecord();
    fill(person);
}

void TfOsobafp::commandDelete() {
    const std::optional<qint64> person = currentPerson();
    TfOsobafd* m = persons();
    if (!person || !m) return;
    if (AskConfirm(QStringLiteral("Mám naozaj vymazať aktuálny záznam?"), this) != 1) return;
    if (!FindByKey(m->table(), QStringLiteral("KOD"), double(*person))) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nenašiel som záznam s kódom: %1! Reindexujte!").arg(*person),
                   NoticeKind::Information, this);
    } else {
        WriteLock lock(*m->table().database());
        if (!lock.ok())
            ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
        else if (!m->removeCurrentRecord())
            ShowNotice(QStringLiteral("Chyba!"), m->removeErrorText(), NoticeKind::Error, this);
        else if (!lock.commit())
            ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
    }
    fill();
}

bool TfOsobafp::commandKey(QKeyEvent* k) {
    if (k->modifiers() != Qt::NoModifier) return false;
    switch (k->key()) {
    case Qt::Key_F2:
    case Qt::Key_Insert:
        commandAdd();
        return true;
    case Qt::Key_F6:
        commandEdit();
        return true;
    case Qt::Key_F8:
        commandDelete();
        return true;
    default:
        return false;
    }
}

bool TfOsobafp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgOsoby && event->type() == QEvent::KeyPress &&
        commandKey(static_cast<QKeyEvent*>(event)))
        return true;
    return TfMojForm::eventFilter(watched, event);
}

void TfOsobafp::keyPressEvent(QKeyEvent* event) {
    if (!commandKey(event)) TfMojForm::keyPressEvent(event);
}

void ShowCompanyPersons(AppContext& app, qint64 companyCode, QWidget* over) {
    TfOsobafp window(app, companyCode, over);
    window.centreOver(over);
    window.showModal();
}

} // namespace vidoraw
