#include "framework/views.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/celleditbox.h"
#include "framework/grids.h"
#include "framework/pairedrowspainter.h"
#include "framework/tablemodel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

enum Col { cPole, cHlavicka, cSirka, cUkaz, cZarovnaj };

// The records of one user's view of a list, in column order.
struct ViewRow {
    QString field, title, shown, align;
    int width = 100;
};

QList<ViewRow> ReadView(AppContext& app, Table& t, const QString& listKey) {
    QList<ViewRow> rows;
    t.scanOrder(QStringLiteral("UZIV;TAB"), {app.userName, listKey}, false,
                [&](qint64, const QVector<QVariant>& r) {
                    auto text = [&](const char* f) {
                        const int i = t.fieldIndex(QString::fromLatin1(f));
                        return i >= 0 ? ValueAsString(t.fieldDefs()[i], r[i]) : QString();
                    };
                    if (text("UZIV") != app.userName || text("TAB") != listKey)
                        return false;
                    ViewRow v;
                    v.field = text("POLE");
                    v.title = text("POPIS");
                    v.width = int(ValueAsFloat(r[t.fieldIndex(QStringLiteral("SIR"))]));
                    v.shown = text("ZOBRAZ");
                    v.align = text("ZAROVNAJ");
                    rows << v;
                    return true;
                });
    return rows; // within one list the order's tie-break keeps the codes ascending
}

Qt::Alignment AlignmentOf(const QString& code) {
    if (code == QLatin1String("1"))
        return Qt::AlignRight;
    if (code == QLatin1String("2"))
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

QString AlignmentCode(Qt::Alignment a) {
    if (a & Qt::AlignRight)
        return QStringLiteral("1");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("2");
    return QStringLiteral("0");
}

// A column's width, also while it is hidden (the header keeps it and gives it back on showing).
int ColumnWidth(QTableView& grid, int column) {
    if (!grid.isColumnHidden(column))
        return grid.columnWidth(column);
    grid.setColumnHidden(column, false);
    const int width = grid.columnWidth(column);
    grid.setColumnHidden(column, true);
    return width;
}

bool IsEnter(const QKeyEvent* k) {
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
           (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// "Ukáž" as a ticked or empty box, "Zarovnaj" in words.
class ViewCellPainter : public PairedRowsPainter {
public:
    using PairedRowsPainter::PairedRowsPainter;

protected:
    void adjust(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        if (index.column() == cUkaz) {
            option->features |= QStyleOptionViewItem::HasCheckIndicator;
            option->checkState = ViewCellText(cUkaz, option->text) == QLatin1String("A")
                                     ? Qt::Checked
                                     : Qt::Unchecked;
            option->text.clear();
        } else if (index.column() == cZarovnaj) {
            option->text = ViewCellText(cZarovnaj, option->text);
        }
    }
};

} // namespace

QString ViewCellText(int column, const QString& value) {
    if (column == cUkaz)
        return value.trimmed().toUpper();
    if (column != cZarovnaj)
        return value;
    const QString code = value.trimmed();
    if (code == QLatin1String("1"))
        return QStringLiteral("Vpravo");
    if (code == QLatin1String("2"))
        return QStringLiteral("Na stred");
    return QStringLiteral("Vľavo");
}

namespace {

TfPohladd* ViewModule(AppContext& app) {
    auto* m = dynamic_cast<TfPohladd*>(app.registry.module(module::kPohlad));
    return m && m->OpenTable() ? m : nullptr;
}

// Replaces one list's view by rows, in one change.
bool WriteView(AppContext& app, Table& t, const QString& listKey, const QList<ViewRow>& rows) {
    WriteLock lock(*t.database());
    if (!lock.ok())
        return false;
    for (;;) {
        const std::optional<qint64> id =
            t.locate(QStringLiteral("UZIV;TAB"), {app.userName, listKey}, false);
        if (!id)
            break;
        if (!t.gotoBookmark(*id)) {
            t.setFiltered(false);
            if (!t.gotoBookmark(*id))
                return false;
        }
        if (!t.remove())
            return false;
    }
    for (const ViewRow& v : rows) {
        const qint64 code = LastValue(t, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
        if (!t.append())
            return false;
        t.field(QStringLiteral("KOD")).setValue(double(code));
        t.field(QStringLiteral("UZIV")).setAsString(app.userName);
        t.field(QStringLiteral("TAB")).setAsString(listKey);
        t.field(QStringLiteral("POLE")).setAsString(v.field);
        t.field(QStringLiteral("POPIS")).setAsString(v.title);
        t.field(QStringLiteral("SIR")).setValue(double(v.width));
        t.field(QStringLiteral("ZOBRAZ")).setAsString(v.shown);
        t.field(QStringLiteral("ZAROVNAJ")).setAsString(v.align);
        if (!t.post())
            return false;
    }
    return lock.commit();
}

} // namespace

void ApplyView(AppContext& app, const QString& listKey, QTableView& grid) {
    TfPohladd* views = ViewModule(app);
    auto* model = qobject_cast<TableModel*>(grid.model());
    if (!views || !model)
        return;
    const QList<ViewRow> rows = ReadView(app, views->table(), listKey);
    QHeaderView* header = grid.horizontalHeader();
    int position = 0;
    for (const ViewRow& v : rows) {
        const int column = model->columnOf(v.field);
        if (column >= 0 && model->fieldAt(column) == v.field) {
            grid.setColumnHidden(column, v.shown != QLatin1String("A"));
            grid.setColumnWidth(column, v.width);
            model->setHeaderTitle(column, v.title);
            if (position < model->columnCount())
                header->moveSection(header->visualIndex(column), position);
            model->setAlignment(column, AlignmentOf(v.align));
        }
        ++position;
    }
}

void SaveView(AppContext& app, const QString& listKey, QTableView& grid) {
    TfPohladd* views = ViewModule(app);
    auto* model = qobject_cast<TableModel*>(grid.model());
    if (!views || !model)
        return;
    QList<ViewRow> rows;
    QHeaderView* header = grid.horizontalHeader();
    for (int visual = 0; visual < model->columnCount(); ++visual) {
        const int column = header->logicalIndex(visual);
        ViewRow v;
        v.field = model->fieldAt(column);
        v.title = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        v.width = ColumnWidth(grid, column);
        v.shown = grid.isColumnHidden(column) ? QStringLiteral("N") : QStringLiteral("A");
        v.align = AlignmentCode(model->alignment(column));
        rows << v;
    }
    WriteView(app, views->table(), listKey, rows);
}

TfPohladd::TfPohladd(AppContext& app, QWidget* parent) : TfDbForm(app, kNumber, parent) {
    setMinimumSize(603, 331);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    sgPohlad = new EditGrid(0, 5, this);
    sgPohlad->setHorizontalHeaderLabels({QStringLiteral("Pole"), QStringLiteral("Hlavička"),
                                         QStringLiteral("Šírka"), QStringLiteral("Ukáž"),
                                         QStringLiteral("Zarovnaj")});
    for (auto [c, w] : {std::pair{0, 160}, {1, 160}, {2, 40}, {3, 30}, {4, 80}})
        sgPohlad->setColumnWidth(c, w);
    sgPohlad->verticalHeader()->hide();
    // Cells change only through the box, the toggle and the drop-down below.
    sgPohlad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgPohlad->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPohlad->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgPohlad->setItemDelegate(new ViewCellPainter(app.listColours, sgPohlad));
    sgPohlad->installEventFilter(this);
    row->addWidget(sgPohlad, 1);
    eBunka = new CellEditBox(
        sgPohlad, [this](int r, int c, const QString& text) { cell(r, c)->setText(text); },
        // On to the next column: from the title to the width, from the width to "Ukáž".
        [this](int r, int c) {
            if (c == cHlavicka || c == cSirka)
                sgPohlad->setCurrentCell(r, c + 1);
        });
    cbZarovnaj = new QComboBox(sgPohlad->viewport());
    cbZarovnaj->addItems({QStringLiteral("Vľavo"), QStringLiteral("Vpravo"), QStringLiteral("Na stred")});
    cbZarovnaj->hide();
    cbZarovnaj->installEventFilter(this);
    connect(cbZarovnaj, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (cbZarovnaj->isVisible() && i >= 0)
            cell(sgPohlad->currentRow(), cZarovnaj)->setText(QString::number(i));
    });
    auto* arrows = new QVBoxLayout;
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    arrows->addWidget(up);
    arrows->addWidget(down);
    arrows->addStretch(1);
    row->addLayout(arrows);
    layout->addLayout(row, 1);
    layout->addWidget(makeButtonStrip());
    connect(up, &QToolButton::clicked, this, &TfPohladd::moveRowUp);
    connect(down, &QToolButton::clicked, this, &TfPohladd::moveRowDown);
    connect(sgPohlad, &QTableWidget::cellClicked, this, [this](int r, int c) {
        if (c == cUkaz && r >= 0)
            toggleShown(r);
    });
    connect(sgPohlad, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
        if (r < 0)
            return;
        if (c == cZarovnaj)
            openAlignment();
        else if (c == cHlavicka || c == cSirka)
            openCellBox(cell(r, c)->text(), false);
    });
    for (QToolButton* b : {up, down})
        b->installEventFilter(this);
    upArrowMoves = false;
    downArrowMoves = false;
    DefineList();
}

TableSchema TfPohladd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0},    {"UZIV", 'A', 20},  {"TAB", 'A', 20},
                {"POLE", 'A', 20},  {"POPIS", 'A', 40}, {"SIR", 'F', 0},
                {"ZOBRAZ", 'A', 1}, {"ZOROVNAJ", 'A', 1}, {"ZAROVNAJ", 'A', 1}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("UzivTab", {"UZIV", "TAB"}, true),
                 IndexDef::Secondary("UzivTabPole", {"UZIV", "TAB", "POLE"}, true)};
    return s;
}

void TfPohladd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "UZIV;TAB", "UZIV;TAB;POLE"};
    list.orderTitles = {"Kód", "Užívateľ a tabuľka", "Užívateľ, tabuľka a pole"};
    list.printFields = {"KOD", "UZIV", "TAB", "POLE", "SIR", "ZOBRAZ", "ZAROVNAJ"};
    list.printTitles = {"Kód", "Užívateľ", "Tabuľka", "Pole", "Šírka", "Ukáž", "Zarovnaj"};
    list.listTitle = QStringLiteral("Zoznam pohľadov");
    list.searchLabels = {"Kód:", "Užívateľ:;Tabuľka:", "Užívateľ:;Tabuľka:;Pole:"};
}

void TfPohladd::prepareEditor(TfDbForm& module, QTableView& grid) {
    listKey_ = module.listKey();
    recordMode = ModeEdit;
    if (bbOk)
        bbOk->setEnabled(true);
    sgPohlad->setRowCount(0);
    auto addRow = [&](const QString& field, const QString& title, int width, const QString& shown,
                      const QString& align) {
        const int r = sgPohlad->rowCount();
        sgPohlad->insertRow(r);
        const QStringList cells{field, title, QString::number(width), shown, align};
        for (int c = 0; c < 5; ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c == cPole || c == cUkaz)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            sgPohlad->setItem(r, c, it);
        }
    };
    QStringList present;
    for (const ViewRow& v : ReadView(app(), table(), listKey_)) {
        if (!FieldExists(module.table(), v.field))
            continue; // a field the list no longer has is dropped
        addRow(v.field, v.title, v.width, v.shown, v.align);
        present << v.field.toUpper();
    }
    auto* model = qobject_cast<TableModel*>(grid.model());
    if (model) {
        for (int visual = 0; visual < model->columnCount(); ++visual) {
            const int column = grid.horizontalHeader()->logicalIndex(visual);
            const QString f = model->fieldAt(column).toUpper();
            if (present.contains(f))
                continue;
            addRow(f, f, ColumnWidth(grid, column), QStringLiteral("A"), QStringLiteral("0"));
            present << f;
        }
    }
    if (sgPohlad->rowCount() == 0)
        addRow(QString(), QString(), 100, QStringLiteral("A"), QStringLiteral("0"));
    sgPohlad->setCurrentCell(0, cHlavicka);
    sgPohlad->setFocus();
    centreOver(grid.window());
}

QTableWidgetItem* TfPohladd::cell(int row, int column) {
    QTableWidgetItem* it = sgPohlad->item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        sgPohlad->setItem(row, column, it);
    }
    return it;
}

void TfPohladd::toggleShown(int row) {
    QTableWidgetItem* it = cell(row, cUkaz);
    it->setText(ViewCellText(cUkaz, it->text()) == QLatin1String("A") ? QStringLiteral("N")
                                                                       : QStringLiteral("A"));
}

void TfPohladd::openCellBox(const QString& text, bool typed) {
    const int r = sgPohlad->currentRow();
    const int c = sgPohlad->currentColumn();
    if (r < 0 || (c != cHlavicka && c != cSirka))
        return;
    eBunka->openOver(text, typed);
}

void TfPohladd::closeCellBox(bool store) { eBunka->finish(store); }

void TfPohladd::openAlignment() {
    const int r = sgPohlad->currentRow();
    if (r < 0)
        return;
    alignmentBefore_ = cell(r, cZarovnaj)->text();
    const QString code = alignmentBefore_.trimmed();
    const int entry = code == QLatin1String("1") ? 1 : code == QLatin1String("2") ? 2 : 0;
    QRect at = sgPohlad->visualRect(sgPohlad->model()->index(r, cZarovnaj));
    at.setHeight(std::max(at.height(), cbZarovnaj->sizeHint().height()));
    at.setWidth(std::max(at.width(), cbZarovnaj->sizeHint().width()));
    cbZarovnaj->setGeometry(at);
    {
        const QSignalBlocker quiet(cbZarovnaj); // presetting is no choice
        cbZarovnaj->setCurrentIndex(entry);
    }
    cbZarovnaj->show();
    cbZarovnaj->setFocus(Qt::OtherFocusReason);
}

void TfPohladd::closeAlignment(bool keep) {
    if (!cbZarovnaj->isVisible())
        return;
    if (!keep && sgPohlad->currentRow() >= 0)
        cell(sgPohlad->currentRow(), cZarovnaj)->setText(alignmentBefore_);
    cbZarovnaj->hide();
    sgPohlad->setFocus(Qt::OtherFocusReason);
}

bool TfPohladd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgPohlad && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const int r = sgPohlad->currentRow();
        const int c = sgPohlad->currentColumn();
        if (k->key() == Qt::Key_Escape) {
            pressBack();
            return true;
        }
        if (k->key() == Qt::Key_End && k->modifiers() == Qt::ControlModifier) {
            pressOk(); // the form's key, not the grid's jump to its last cell
            return true;
        }
        if (r < 0 || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return TfDbForm::eventFilter(watched, event);
        const QString text = k->text();
        const bool space = k->key() == Qt::Key_Space;
        if (IsEnter(k) || space) {
            if (c == cUkaz)
                toggleShown(r);
            else if (c == cZarovnaj)
                openAlignment();
            else if (c == cHlavicka || c == cSirka)
                openCellBox(space ? QStringLiteral(" ") : cell(r, c)->text(), space);
            return true; // Enter stays in the grid
        }
        if ((c == cHlavicka || c == cSirka) && text.size() == 1 && OpensCellBox(text[0])) {
            openCellBox(text, true);
            return true;
        }
    }
    if (watched == cbZarovnaj) {
        if (event->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(event);
            if (IsEnter(k) || k->key() == Qt::Key_Escape) {
                closeAlignment(k->key() != Qt::Key_Escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            QTimer::singleShot(0, this, [this] {
                if (!cbZarovnaj->hasFocus() && !cbZarovnaj->view()->isVisible())
                    closeAlignment(true);
            });
        }
    }
    if (event->type() == QEvent::KeyPress && qobject_cast<QToolButton*>(watched) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        pressBack();
        return true;
    }
    return TfDbForm::eventFilter(watched, event);
}

void TfPohladd::moveRowUp() {
    const int r = sgPohlad->currentRow();
    if (r <= 0)
        return;
    for (int c = 0; c < 5; ++c) {
        QTableWidgetItem* a = sgPohlad->takeItem(r, c);
        QTableWidgetItem* b = sgPohlad->takeItem(r - 1, c);
        sgPohlad->setItem(r - 1, c, a);
        sgPohlad->setItem(r, c, b);
    }
    sgPohlad->setCurrentCell(r - 1, sgPohlad->currentColumn());
}

void TfPohladd::moveRowDown() {
    const int r = sgPohlad->currentRow();
    if (r < 0 || r + 1 >= sgPohlad->rowCount())
        return;
    for (int c = 0; c < 5; ++c) {
        QTableWidgetItem* a = sgPohlad->takeItem(r, c);
        QTableWidgetItem* b = sgPohlad->takeItem(r + 1, c);
        sgPohlad->setItem(r + 1, c, a);
        sgPohlad->setItem(r, c, b);
    }
    sgPohlad->setCurrentCell(r + 1, sgPohlad->currentColumn());
}

bool TfPohladd::closeWithBack() {
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

bool TfPohladd::closeWithOk() {
    QList<ViewRow> rows;
    for (int r = 0; r < sgPohlad->rowCount(); ++r) {
        auto fail = [&](int c) {
            sgPohlad->setCurrentCell(r, c);
            sgPohlad->setFocus();
            return false;
        };
        QTableWidgetItem* title = cell(r, cHlavicka);
        title->setText(title->text().trimmed());
        if (title->text().size() > 40) {
            ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Popis poľa nesmie byť dlhší ako 40 znakov!"),
                       NoticeKind::Information, this);
            return fail(cHlavicka);
        }
        QTableWidgetItem* width = cell(r, cSirka);
        width->setText(width->text().trimmed());
        if (!CheckInteger(width->text(), this))
            return fail(cSirka);
        QTableWidgetItem* shown = cell(r, cUkaz);
        QString s = shown->text().trimmed();
        if (s == QLatin1String("a") || s == QLatin1String("n"))
            s = s.toUpper();
        shown->setText(s);
        if (s != QLatin1String("A") && s != QLatin1String("N")) {
            ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Prípustné hodnoty sú A alebo N !"),
                       NoticeKind::Information, this);
            return fail(cUkaz);
        }
        const QString align = cell(r, cZarovnaj)->text().trimmed();
        if (align != QLatin1String("0") && align != QLatin1String("1") && align != QLatin1String("2")) {
            ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Prípustné hodnoty sú 0, 1 alebo 2 !"),
                       NoticeKind::Information, this);
            return fail(cZarovnaj);
        }
        ViewRow v;
        v.field = cell(r, cPole)->text();
        v.title = title->text();
        v.width = width->text().trimmed().toInt();
        v.shown = s;
        v.align = align;
        rows << v;
    }
    if (!WriteView(app(), table(), listKey_, rows)) {
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, this);
        return false;
    }
    return true;
}

} // namespace vidoraw
