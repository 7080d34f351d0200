#include "framework/filterd.h"

#include "core/interaction.h"
#include "framework/filterdialogs.h"
#include "framework/filtertext.h"
#include "framework/tfbrowse.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace vidoraw {

namespace {

constexpr int kPopis = 0;
constexpr int kPole = 1;
constexpr int kCast = 2;

QString BaseName(const QString& fileName) { return fileName.section(QLatin1Char('.'), 0, 0); }

} // namespace

bool FindFieldType(AppContext& app, const QString& tableName, const QString& fieldName,
                   char& type, int& size) {
    for (int number : app.registry.numbers()) {
        RecordModule* m = app.registry.module(number);
        if (!m || BaseName(m->table().tableName()).compare(tableName, Qt::CaseInsensitive) != 0)
            continue;
        if (!m->OpenTable())
            continue;
        const int i = m->table().fieldIndex(fieldName);
        if (i < 0)
            continue;
        const FieldDef& def = m->table().fieldDefs()[i];
        type = def.type;
        size = def.size;
        return true;
    }
    return false;
}

TableSchema FilterFieldsSchema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"TABULKA", 'A', 20}, {"POPIS", 'A', 40}, {"POLE", 'A', 20}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("POPIS", {"POPIS"}),
                 IndexDef::Secondary("TABULKA", {"TABULKA"})};
    return s;
}

TfFilterd::TfFilterd(AppContext& app) : TfDbForm(app, kNumber) {
    cbTabulka = new QComboBox(this);
    cbTabulka->setEnabled(false);
    cbTabulka->setMinimumContentsLength(20);
    rows().addRow(QStringLiteral("Tabuľka :"), cbTabulka);
    cbRiadok = new QComboBox(this);
    cbRiadky = new QComboBox(this);
    for (QComboBox* c : {cbRiadok, cbRiadky})
        c->addItems({QStringLiteral("a"), QStringLiteral("alebo")});
    rows().addRow(QStringLiteral("Logická operácia v riadku : "), cbRiadok);
    rows().addRow(QStringLiteral("Logická operácia s riadkami :"), cbRiadky);

    sgFilter = new QTableWidget(1, 3, this);
    sgFilter->setHorizontalHeaderLabels(
        {QStringLiteral("Popis poľa"), QStringLiteral("Pole"), QStringLiteral("Časť filtra")});
    sgFilter->setColumnWidth(kPopis, 140);
    sgFilter->setColumnWidth(kPole, 80);
    sgFilter->setColumnWidth(kCast, 320);
    sgFilter->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgFilter->setSelectionMode(QAbstractItemView::SingleSelection);
    sgFilter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFilter->verticalHeader()->hide();
    sgFilter->setMinimumSize(560, 200);
    sgFilter->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<const char*, const char*> operators[] = {
        {"=", "Rovný"}, {"<>", "Rôzny"}, {">", "Väčší"},
        {">=", "Väčší alebo rovný"}, {"<", "Menší"}, {"<=", "Menší alebo rovný"}};
    auto add = [this](const QString& text, const QString& hint, std::function<void()> run) {
        auto* a = new QAction(text, sgFilter);
        a->setStatusTip(hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, std::move(run));
        gridCommands << a;
        sgFilter->addAction(a);
    };
    for (const auto& [op, hint] : operators) {
        const QString text = QString::fromLatin1(op);
        add(text, QString::fromUtf8(hint), [this, text] { applyOperator(text); });
    }
    add(QStringLiteral("V intervale od - do"), QString(), [this] { applyInterval(); });
    auto* separator = new QAction(sgFilter);
    separator->setSeparator(true);
    gridCommands << separator;
    sgFilter->addAction(separator);
    add(QStringLiteral("&Zmaž"), QStringLiteral("Zmaže časť filtra pre dané pole"),
        [this] { clearPart(); });
    rows().addWide(sgFilter);

    eFilter = rows().addRow(QStringLiteral("Filter :"), 0, 60);
    eFilter->setReadOnly(true);
    eNazov = rows().addRow(QStringLiteral("Názov :"), 50);
    finishLayout();
    bbSpat->setText(QStringLiteral("Späť"));
    connect(sgFilter, &QTableWidget::currentCellChanged, this, [this] { paintRows(); });
    connect(cbRiadky, &QComboBox::currentIndexChanged, this, [this] {
        // The expression on show is the one chosen, not the one last built.
        if (!rebuilding_)
            rebuildExpression();
    });
    DefineList();
}

void TfFilterd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "TABULKA", "POPIS"};
    list.orderTitles = {"Kód", "Tabuľka", "Popis"};
    list.printFields = {"KOD", "TABULKA", "POLE", "POPIS"};
    list.printTitles = {"Kód", "Tabuľka", "Pole", "Popis"};
    list.listTitle = QStringLiteral("Zoznam polí do filtra");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfFilterd::setUp(const QString& listKey, const QString& tableName,
                      const QString& descriptionText, const QString& expressionText,
                      SaveMode mode, qint64 code) {
    fieldListKey = listKey;
    typeTable = tableName;
    description = descriptionText;
    expression = expressionText;
    saveMode = mode;
    editedCode = code;
}

QString TfFilterd::partOf(int row) const {
    const QTableWidgetItem* item = sgFilter->item(row, kCast);
    return item ? item->text() : QString();
}

void TfFilterd::setPart(int row, const QString& part) {
    if (QTableWidgetItem* item = sgFilter->item(row, kCast))
        item->setText(part);
}

void TfFilterd::fillRows() {
    sgFilter->clearContents();
    sgFilter->setRowCount(1);
    auto put = [this](int row, const QString& popis, const QString& pole) {
        sgFilter->setItem(row, kPopis, new QTableWidgetItem(popis));
        sgFilter->setItem(row, kPole, new QTableWidgetItem(pole));
        sgFilter->setItem(row, kCast, new QTableWidgetItem(QString()));
    };
    put(0, QString(), QString());
    if (!OpenTable())
        return;
    const int tabulka = table_.fieldIndex(QStringLiteral("TABULKA"));
    const int popis = table_.fieldIndex(QStringLiteral("POPIS"));
    const int pole = table_.fieldIndex(QStringLiteral("POLE"));
    // The fields of one list follow each other in the order of TABULKA.
    table_.scanOrder(QStringLiteral("TABULKA"), {fieldListKey}, false,
                     [&](qint64, const QVector<QVariant>& row) {
                         if (row.value(tabulka).toString() != fieldListKey)
                             return false;
                         int last = sgFilter->rowCount() - 1;
                         if (!sgFilter->item(last, kPopis)->text().isEmpty()) {
                             sgFilter->setRowCount(++last + 1);
                         }
                         put(last, row.value(popis).toString(), row.value(pole).toString());
                         return true;
                     });
}

void TfFilterd::readBack(const QString& text) {
    const SplitFilter split = SplitFilterParts(text);
    const QString prefix = QStringLiteral("Nepredpokladaná cesta pri rozložení filtra! ");
    for (const FilterChunk& chunk : split.chunks) {
        if (!chunk.separator) {
            ShowNotice(QStringLiteral("Chyba"), prefix + QStringLiteral("Nenašiel som oddeľovač"),
                       NoticeKind::Error, this);
            continue;
        }
        int row = -1;
        for (int r = 0; r < sgFilter->rowCount() && row < 0; ++r)
            if (sgFilter->item(r, kPole)->text() == chunk.field)
                row = r;
        if (row < 0) {
            ShowNotice(QStringLiteral("Chyba"), prefix + QStringLiteral("Nenašiel som meno poľa!"),
                       NoticeKind::Error, this);
            continue;
        }
        setPart(row, chunk.part);
    }
    if (split.missingEnd)
        ShowNotice(QStringLiteral("Chyba"), prefix + QStringLiteral("Nenašiel som koniec časti!"),
                   NoticeKind::Error, this);
    // Rows joined by "or" stay joined by "or" when the filter is changed.
    rebuilding_ = true;
    cbRiadky->setCurrentIndex(split.rowsConnective == QLatin1String("or") ? 1 : 0);
    rebuilding_ = false;
}

void TfFilterd::paintRows() {
    const int current = sgFilter->currentRow();
    for (int r = 0; r < sgFilter->rowCount(); ++r) {
        // The header counts as row 0: the first data row takes the second pair.
        const TableModel::RowColours c = ListRowColours(app().listColours, r + 1, false, false);
        for (int col = 0; col < sgFilter->columnCount(); ++col) {
            if (QTableWidgetItem* item = sgFilter->item(r, col)) {
                item->setBackground(r == current ? palette().highlight().color() : c.background);
                item->setForeground(r == current ? palette().highlightedText().color() : c.text);
            }
        }
    }
}

int TfFilterd::showBuilder(QWidget* over) {
    cbTabulka->clear();
    cbTabulka->addItem(fieldListKey);
    cbTabulka->setCurrentIndex(0);
    rebuilding_ = true;
    cbRiadok->setCurrentIndex(0);
    cbRiadky->setCurrentIndex(0);
    rebuilding_ = false;
    fillRows();
    eFilter->setText(expression);
    eNazov->setText(description);
    readBack(expression);
    sgFilter->setCurrentCell(0, 0);
    paintRows();
    centreOver(over ? over : app().mainWindow);
    recordMode = ModeAdd;
    sgFilter->setFocus();
    return showModal();
}

void TfFilterd::applyOperator(const QString& op) {
    const int row = sgFilter->currentRow();
    if (row < 0)
        return;
    const QString field = sgFilter->item(row, kPole)->text();
    char type = 0;
    int size = 0;
    if (!FindFieldType(app(), typeTable, field, type, size))
        type = 0; // unknown counts as a field of another type
    TfKonst dialog(app(), this);
    dialog.centreOver(this);
    if (dialog.showModal() == QDialog::Accepted)
        setPart(row, AppendToPart(partOf(row), ConnectiveWord(cbRiadok->currentText()),
                                  FilterCondition(field, op, FilterKindOfType(type),
                                                  dialog.eKonst->text())));
    rebuildExpression();
}

void TfFilterd::applyInterval() {
    const int row = sgFilter->currentRow();
    if (row < 0)
        return;
    const QString field = sgFilter->item(row, kPole)->text();
    char type = 0;
    int size = 0;
    if (!FindFieldType(app(), typeTable, field, type, size))
        type = 0;
    TfKoddom dialog(app(), type, this);
    dialog.centreOver(this);
    if (dialog.showModal() == QDialog::Accepted)
        setPart(row, AppendToPart(partOf(row), ConnectiveWord(cbRiadok->currentText()),
                                  FilterInterval(field, FilterKindOfType(type), dialog.eOd->text(),
                                                 dialog.eDo->text())));
    rebuildExpression();
}

void TfFilterd::clearPart() {
    const int row = sgFilter->currentRow();
    if (row < 0)
        return;
    setPart(row, QString());
    rebuildExpression();
}

void TfFilterd::rebuildExpression() {
    QStringList parts;
    for (int r = 0; r < sgFilter->rowCount(); ++r)
        parts << partOf(r);
    const QString text = JoinFilterParts(parts, ConnectiveWord(cbRiadky->currentText()));
    if (text.size() > kMaxFilterLength)
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Filter je pridlhý"), NoticeKind::Error,
                   this);
    eFilter->setText(text);
}

bool TfFilterd::saveFilter() {
    auto* saved = dynamic_cast<TfDbForm*>(app().registry.module(module::kNastav));
    if (!saved || !saved->OpenTable())
        return false;
    if (expression.size() > kMaxFilterLength) {
        // Cut, it would be another filter.
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Filter je pridlhý"), NoticeKind::Error,
                   this);
        return false;
    }
    Table& t = saved->table();
    auto refuse = [&] {
        t.cancel();
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, this);
        return false;
    };
    WriteLock lock(*t.database());
    if (!lock.ok())
        return refuse();
    if (saveMode == SaveMode::Add) {
        const qint64 code = LastValue(t, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        if (!t.append() || !t.field(QStringLiteral("KOD")).setValue(code))
            return refuse();
    } else if (!FindByKey(t, QStringLiteral("KOD"), editedCode) || !t.edit()) {
        return refuse();
    }
    if (!t.field(QStringLiteral("TABULKA")).setAsString(fieldListKey) ||
        !t.field(QStringLiteral("POPIS")).setAsString(description) ||
        !t.field(QStringLiteral("FILTER")).setAsString(expression) || !t.post() || !lock.commit())
        return refuse();
    return true;
}

bool TfFilterd::closeWithOk() {
    description = eNazov->text().trimmed();
    expression = eFilter->text();
    if (AskConfirm(QStringLiteral("Mám uložiť filter pre možnosť ďalšieho použitia?"), this) == 1)
        return saveFilter();
    return true;
}

} // namespace vidoraw
