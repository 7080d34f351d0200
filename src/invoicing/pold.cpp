#include "invoicing/pold.h"

#include "core/interaction.h"
#include "core/values.h"
#include "framework/grids.h"
#include "framework/tfbrowse.h"
#include "shell/vlastnikd.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vidoraw {

// The lines grid: the editor's keys, and the cursor moving on after a cell was written.
class ItemGrid : public EditGrid {
public:
    ItemGrid(TfPold* form) : EditGrid(form), form_(form) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool plain = e->modifiers() == Qt::NoModifier;
        if (e->key() == Qt::Key_End && e->modifiers() == Qt::ControlModifier) {
            form_->pressOk();
            return;
        }
        if (plain) {
            switch (e->key()) {
            case Qt::Key_F2: form_->insertRow(); return;
            case Qt::Key_F5: form_->copyRow(); return;
            case Qt::Key_F6: form_->pickText(); return;
            case Qt::Key_F7: form_->appendRow(); return;
            case Qt::Key_F8: form_->deleteRow(); return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (state() != EditingState && currentIndex().isValid() &&
                    (currentItem() == nullptr || (currentItem()->flags() & Qt::ItemIsEditable))) {
                    edit(currentIndex());
                    return;
                }
                break;
            case Qt::Key_Down:
                if (currentRow() == rowCount() - 1) {
                    const int column = currentColumn();
                    if (form_->appendIfUsed())
                        form_->setCurrentCell(rowCount() - 1, column);
                    return;
                }
                break;
            default: break;
            }
        }
        EditGrid::keyPressEvent(e);
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        const int row = currentRow();
        const int column = currentColumn();
        // Esc: what was typed is dropped only when the user says so; otherwise editing goes on.
        if (hint == QAbstractItemDelegate::RevertModelCache &&
            AskConfirm(QStringLiteral("Mám ukončiť editáciu bez uchovania?"), form_) != 1) {
            editor->setFocus();
            return;
        }
        EditGrid::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (hint == QAbstractItemDelegate::RevertModelCache || row < 0)
            return;
        // From the text to the quantity, the quantity to the unit, the unit to the price, the
        // price to the rate; from the last column to the start of the next line.
        const int last = form_->format().vatPayer ? TfPold::kRate : TfPold::kPrice;
        if (column == TfPold::kText)
            form_->setCurrentCell(row, TfPold::kQuantity);
        else if (column == TfPold::kQuantity)
            form_->setCurrentCell(row, TfPold::kUnit);
        else if (column == TfPold::kUnit)
            form_->setCurrentCell(row, TfPold::kPrice);
        else if (column < last)
            form_->setCurrentCell(row, column + 1);
        else {
            if (row == rowCount() - 1)
                form_->appendIfUsed();
            if (row + 1 < rowCount())
                form_->setCurrentCell(row + 1, TfPold::kText);
        }
        form_->RecalculateTotals();
    }

private:
    TfPold* form_;
};

TfPold::TfPold(AppContext& app) : TfDbForm(app, kNumber) {
    readSettings();
    rates_ = app.vatRates;
    setWindowTitle(QStringLiteral("Položky faktúry"));
    buildGrid();
    finishLayout();
    if (bbOk)
        bbOk->setText(QStringLiteral("Ok"));
    if (bbSpat)
        bbSpat->hide();
    DefineList();
}

TableSchema TfPold::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},  {"KODH", 'F', 0},     {"TEXT", 'A', 70}, {"MJ", 'A', 3},
                {"CENA", 'F', 0}, {"MNOZSTVO", 'F', 0}, {"DPH", 'I', 0},   {"SPOLU", 'F', 0}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("KODH", {"KODH"})};
    return s;
}

void TfPold::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "KODH", "TEXT"}, {"Kód", "Faktúra", "Text"}, "Položky faktúr");
    explicitListKey = QStringLiteral("POL");
}

void TfPold::readSettings() {
    format_.roundDecimals = ClampDecimals(OwnerField(app(), QStringLiteral("PDM")));
    format_.displayDecimals = ClampDecimals(OwnerField(app(), QStringLiteral("PDMZ")));
    format_.vatPayer = OwnerField(app(), QStringLiteral("PLATCADAN")) != QLatin1String("N");
}

void TfPold::buildGrid() {
    sgPolozky = new ItemGrid(this);
    sgPolozky->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                               QAbstractItemView::DoubleClicked);
    sgPolozky->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPolozky->verticalHeader()->setDefaultSectionSize(sgPolozky->fontMetrics().height() + 6);
    sgPolozky->setMinimumSize(860, 260);
    rows().addWide(sgPolozky);

    sgRekap = new EditGrid(this);
    sgRekap->setColumnCount(4);
    sgRekap->setRowCount(4);
    sgRekap->setHorizontalHeaderLabels({QStringLiteral("Základ dane"), QStringLiteral("% DPH"),
                                        QStringLiteral("Daň"), QStringLiteral("S daňou")});
    sgRekap->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgRekap->setFocusPolicy(Qt::NoFocus);
    sgRekap->verticalHeader()->hide();
    sgRekap->setFixedHeight(sgRekap->horizontalHeader()->sizeHint().height() +
                            4 * sgRekap->verticalHeader()->defaultSectionSize() + 4);
    rows().addWide(sgRekap);

    eSpolu = rows().addRow(QStringLiteral("Spolu:"), 20, 14);
    eSpolu->setAlignment(Qt::AlignRight);
    FormRows::makeDisplayOnly(eSpolu);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, void (TfPold::*)()> commands[] = {
        {"Vlož F2", &TfPold::insertRow}, {"Kópia F5", &TfPold::copyRow},
        {"Výber F6", &TfPold::pickText}, {"Pridaj F7", &TfPold::appendRow},
        {"Zmaž F8", &TfPold::deleteRow}};
    for (const auto& [caption, command] : commands) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
    }
    lPozicia = new QLabel(this);
    buttons->addStretch(1);
    buttons->addWidget(lPozicia);
    rows().addRow(QString(), buttons);

    const QStringList heads = format_.vatPayer
                                  ? QStringList{"Text", "Množstvo", "MJ", "Cena", "DPH", "Spolu"}
                                  : QStringList{"Text", "Množstvo", "MJ", "Cena", "Spolu"};
    sgPolozky->setColumnCount(int(heads.size()));
    sgPolozky->setHorizontalHeaderLabels(heads);
    sgPolozky->setColumnWidth(kText, 330);
    sgPolozky->horizontalHeader()->setStretchLastSection(true);
    sgRekap->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgRekap->setVisible(format_.vatPayer);
    rows().form->setRowVisible(eSpolu, !format_.vatPayer);
    connect(sgPolozky, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!updating_)
            cellEdited(item->row(), item->column());
    });
    connect(sgPolozky, &QTableWidget::currentCellChanged, this, [this] { showPosition(); });
    setItems({});
}

void TfPold::setRates(const VatRates& rates) {
    rates_ = rates;
    RecalculateTotals();
}

void TfPold::setCreditNote(bool creditNote) {
    setWindowTitle(creditNote ? QStringLiteral("Položky dobropisu")
                              : QStringLiteral("Položky faktúry"));
}

void TfPold::setEditable(bool editable) {
    sgPolozky->setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed |
                                              QAbstractItemView::DoubleClicked
                                        : QAbstractItemView::NoEditTriggers);
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b != bbOk && b != bbSpat)
            b->setEnabled(editable);
}

InvoiceItem TfPold::row(int r) const {
    auto cell = [&](int c) {
        const QTableWidgetItem* item = sgPolozky->item(r, c);
        return item ? item->text() : QString();
    };
    InvoiceItem item;
    item.text = cell(kText);
    item.quantity = cell(kQuantity);
    item.unit = cell(kUnit);
    item.price = cell(kPrice);
    if (format_.vatPayer)
        item.rate = cell(kRate);
    item.amount = cell(amountColumn());
    return item;
}

void TfPold::setRow(int r, const InvoiceItem& item) {
    const bool was = updating_;
    updating_ = true;
    // A cell the user just wrote keeps its item: only its text changes.
    auto put = [&](int c, const QString& text, Qt::Alignment align) {
        QTableWidgetItem* cell = sgPolozky->item(r, c);
        if (!cell) {
            cell = new QTableWidgetItem;
            cell->setTextAlignment(align | Qt::AlignVCenter);
            if (c == amountColumn())
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            sgPolozky->setItem(r, c, cell);
        }
        if (cell->text() != text)
            cell->setText(text);
    };
    put(kText, item.text, Qt::AlignLeft);
    put(kQuantity, item.quantity, Qt::AlignRight);
    put(kUnit, item.unit, Qt::AlignLeft);
    put(kPrice, item.price, Qt::AlignRight);
    if (format_.vatPayer)
        put(kRate, item.rate, Qt::AlignRight);
    put(amountColumn(), item.amount, Qt::AlignRight);
    updating_ = was;
}

QList<InvoiceItem> TfPold::items() const {
    QList<InvoiceItem> out;
    for (int r = 0; r < sgPolozky->rowCount(); ++r)
        out << row(r);
    return out;
}

void TfPold::setItems(const QList<InvoiceItem>& items) {
    sgPolozky->setRowCount(0);
    const QList<InvoiceItem> lines = items.isEmpty() ? QList<InvoiceItem>{NewItem(format_)} : items;
    sgPolozky->setRowCount(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r)
        setRow(r, lines[r]);
    sgPolozky->setCurrentCell(0, kText);
    RecalculateTotals();
}

void TfPold::insertItem(int at, const InvoiceItem& item) {
    sgPolozky->insertRow(at);
    setRow(at, item);
}

int TfPold::currentRow() const { return std::max(0, sgPolozky->currentRow()); }

void TfPold::setCurrentCell(int r, int column) {
    sgPolozky->setCurrentCell(r, column);
    showPosition();
}

void TfPold::showPosition() {
    lPozicia->setText(QStringLiteral("%1/%2").arg(currentRow() + 1).arg(sgPolozky->rowCount()));
}

void TfPold::LoadItems(qint64 invoiceCode) {
    QList<InvoiceItem> lines;
    if (OpenTable()) {
        const int fText = table_.fieldIndex(QStringLiteral("TEXT"));
        const int fMj = table_.fieldIndex(QStringLiteral("MJ"));
        const int fCena = table_.fieldIndex(QStringLiteral("CENA"));
        const int fMnozstvo = table_.fieldIndex(QStringLiteral("MNOZSTVO"));
        const int fDph = table_.fieldIndex(QStringLiteral("DPH"));
        const int fSpolu = table_.fieldIndex(QStringLiteral("SPOLU"));
        const int fKodh = table_.fieldIndex(QStringLiteral("KODH"));
        // Lines of one invoice follow each other in the order of their KOD.
        table_.scanOrder(QStringLiteral("KODH"), {double(invoiceCode)}, false,
                         [&](qint64, const QVector<QVariant>& v) {
                             if (v[fKodh].toDouble() != double(invoiceCode))
                                 return false;
                             InvoiceItem item;
                             item.text = v[fText].toString();
                             item.unit = v[fMj].toString();
                             item.quantity = format_.show(v[fMnozstvo].toDouble());
                             const double price = v[fCena].toDouble();
                             item.price = format_.show(price);
                             if (format_.vatPayer)
                                 item.rate = v[fDph].isNull()
                                                 ? (price != 0 ? QStringLiteral("0") : QString())
                                                 : QString::number(v[fDph].toInt());
                             item.amount = format_.show(
                                 RoundDecimals(v[fSpolu].toDouble(), format_.roundDecimals));
                             lines << item;
                             return true;
                         });
    }
    setItems(lines);
}

void TfPold::RecalculateTotals() {
    const QList<InvoiceItem> lines = items();
    if (format_.vatPayer) {
        recap_ = RecapitulateVat(lines, rates_, format_.roundDecimals, roundingCode_);
        const RecapTexts t = RecapAsTexts(recap_, format_);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                auto* cell = new QTableWidgetItem(t.cells[r][c]);
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                sgRekap->setItem(r, c, cell);
            }
        totalText_ = t.gross(3);
        netText_ = t.base(3);
    } else {
        recap_ = VatRecap();
        recap_.rates = rates_;
        recap_.totalToPay = NonPayerTotal(lines, roundingCode_);
        totalText_ = format_.show(recap_.totalToPay);
        netText_.clear();
        eSpolu->setText(totalText_);
    }
    showPosition();
    if (totalsChanged)
        totalsChanged();
}

bool TfPold::CheckItems() {
    const QList<InvoiceItem> lines = items();
    auto fail = [&](int r, int column, const QString& text) {
        ShowNotice(QStringLiteral("Oznam"), text, NoticeKind::Information, this);
        setCurrentCell(r, column);
        return false;
    };
    for (int r = 0; r < lines.size(); ++r) {
        if (!IsDecimalCell(lines[r].quantity))
            return fail(r, kQuantity, QStringLiteral("Nesprávne desatinné číslo!"));
        if (!IsDecimalCell(lines[r].price))
            return fail(r, kPrice, QStringLiteral("Nesprávne desatinné číslo!"));
        // A line without an amount (a new one, a text alone) is taxed at no rate.
        if (!format_.vatPayer || IsTextOnly(lines[r], format_))
            continue;
        int rate = 0;
        if (!IsRateCell(lines[r].rate, rate))
            return fail(r, kRate, QStringLiteral("Nesprávne celé číslo!"));
        if (rate != rates_[0] && rate != rates_[1] && rate != rates_[2])
            return fail(r, kRate, AllowedRatesText(rates_));
    }
    return true;
}

bool TfPold::DeleteItems(qint64 invoiceCode, QString* error) {
    if (!OpenTable()) {
        if (error)
            *error = table_.lastError();
        return false;
    }
    QList<qint64> rows;
    const int fKodh = table_.fieldIndex(QStringLiteral("KODH"));
    table_.scanOrder(QStringLiteral("KODH"), {double(invoiceCode)}, false,
                     [&](qint64 id, const QVector<QVariant>& v) {
                         if (v[fKodh].toDouble() != double(invoiceCode))
                             return false;
                         rows << id;
                         return true;
                     });
    for (qint64 id : rows)
        if (!table_.gotoBookmark(id) || !table_.remove()) {
            if (error)
                *error = table_.lastError();
            return false;
        }
    return true;
}

bool TfPold::SaveItems(qint64 invoiceCode, QString* error) {
    if (!OpenTable()) {
        if (error)
            *error = table_.lastError();
        return false;
    }
    QList<InvoiceItem> lines = items();
    TrimTrailingEmptyItems(lines, format_);
    for (const InvoiceItem& item : lines) {
        const qint64 code = LastValue(table_, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        int rate = 0;
        IsRateCell(item.rate, rate);
        const bool ok =
            table_.append() && table_.field(QStringLiteral("KOD")).setValue(double(code)) &&
            table_.field(QStringLiteral("KODH")).setValue(double(invoiceCode)) &&
            table_.field(QStringLiteral("TEXT")).setAsString(item.text) &&
            table_.field(QStringLiteral("MNOZSTVO")).setValue(double(CellNumber(item.quantity))) &&
            table_.field(QStringLiteral("MJ")).setAsString(item.unit) &&
            table_.field(QStringLiteral("CENA")).setValue(double(CellNumber(item.price))) &&
            (!format_.vatPayer || table_.field(QStringLiteral("DPH")).setValue(rate)) &&
            table_.field(QStringLiteral("SPOLU")).setValue(double(CellNumber(item.amount))) &&
            table_.post();
        if (!ok) {
            if (error)
                *error = table_.lastError();
            table_.cancel();
            return false;
        }
    }
    return true;
}

int TfPold::editItems() {
    recordMode = ModeEdit;
    result = 0;
    sgPolozky->setFocus();
    setCurrentCell(currentRow(), kText);
    showModal();
    return result;
}

bool TfPold::closeWithOk() {
    if (!CheckItems())
        return false;
    result = 1;
    return true;
}

// The grid is not given back on closing: its lines must pass their checks whichever way
// the editor is closed.
bool TfPold::closeWithBack() { return closeWithOk(); }

void TfPold::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_End && event->modifiers() == Qt::ControlModifier) {
        pressOk();
        return;
    }
    TfDbForm::keyPressEvent(event);
}

void TfPold::cellEdited(int r, int column) {
    QTableWidgetItem* cell = sgPolozky->item(r, column);
    if (!cell)
        return;
    InvoiceItem item = row(r);
    if (column == kQuantity || column == kPrice) {
        item.quantity = NormalizeDecimal(item.quantity);
        item.price = NormalizeDecimal(item.price);
        ComputeLineAmount(item, format_);
    } else if (column == kUnit) {
        item.unit = NormalizedUnitCell(item.unit);
    } else if (column == kRate && format_.vatPayer) {
        item.rate = item.rate.trimmed();
    }
    setRow(r, item);
    RecalculateTotals();
}

void TfPold::insertRow() {
    const int at = currentRow();
    insertItem(at, NewItem(format_));
    setCurrentCell(at, kText);
    RecalculateTotals();
}

void TfPold::copyRow() {
    const int at = currentRow();
    insertItem(at, row(at));
    setCurrentCell(at, kText);
    RecalculateTotals();
}

void TfPold::appendRow() {
    insertItem(sgPolozky->rowCount(), NewItem(format_));
    setCurrentCell(sgPolozky->rowCount() - 1, kText);
    RecalculateTotals();
}

bool TfPold::appendIfUsed() {
    const int n = sgPolozky->rowCount();
    if (n >= 2 && IsEmptyItem(row(n - 1), format_) && IsEmptyItem(row(n - 2), format_))
        return false;
    insertItem(n, NewItem(format_));
    showPosition();
    return true;
}

void TfPold::deleteRow() {
    if (AskConfirm(QStringLiteral("Mám naozaj vymazať aktuálny riadok?"), this) != 1)
        return;
    const int at = currentRow();
    if (sgPolozky->rowCount() <= 1) {
        setRow(0, NewItem(format_));
    } else {
        sgPolozky->removeRow(at);
    }
    setCurrentCell(std::min(at, sgPolozky->rowCount() - 1), kText);
    RecalculateTotals();
}

void TfPold::pickText() {
    QLineEdit key;
    QLineEdit name;
    if (!LookupOrPick(app(), module::kTextfa, QStringLiteral("KOD"), QStringLiteral("TEXT"),
                      PickMode::Pick, &name, &key))
        return;
    QStringList v;
    if (!LookupFields(app(), module::kTextfa, QStringLiteral("KOD"), {key.text().toDouble()},
                      {QStringLiteral("TEXT"), QStringLiteral("MNOZSTVO"), QStringLiteral("MJ"),
                       QStringLiteral("CENA"), QStringLiteral("DPH")},
                      v))
        return;
    InvoiceItem item;
    item.text = v[0];
    item.quantity = format_.show(CellNumber(v[1]));
    item.unit = v[2];
    item.price = format_.show(CellNumber(v[3]));
    if (format_.vatPayer)
        item.rate = v[4].isEmpty() ? QStringLiteral("0") : v[4];
    // A picked line shows quantity × price unrounded.
    item.amount = format_.show(CellNumber(item.quantity) * CellNumber(item.price));
    const int at = currentRow();
    setRow(at, item);
    setCurrentCell(at, kText);
    RecalculateTotals();
}

} // namespace vidoraw
