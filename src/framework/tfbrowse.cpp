#include "framework/tfbrowse.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/cp1250input.h"
#include "framework/grids.h"
#include "framework/orderdialogs.h"
#include "framework/stringsearch.h"
#include "framework/views.h"
#include "framework/tablemodel.h"
#include "framework/tfdbform.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

struct ButtonText {
    const char* caption;
    const char* hint;
};
const ButtonText kButtons[13] = {
    {"Pridaj", "Pridanie nového záznamu"},
    {"Kópia", "Pridanie nového záznamu"},
    {"Zmaž", "Zmazanie aktuálneho záznamu"},
    {"Oprav", "Oprava aktuálneho záznamu"},
    {"Index", "Nastavenie usporiadania zoznamu"},
    {"Hľadaj", "Hľadanie v zozname podľa aktuálneho indexu"},
    {"Ukáž", "Zobrazenie aktuálneho záznamu"},
    {"Tlač", "Tlač zoznamu"},
    {"Vyber", "Výber aktuálneho záznamu"},
    {"Späť", "Ukončenie prezerania zoznamu"},
    {"Pomoc", "Zobrazenie nápovedných textov"},
    {"Iné", "Ďalšie možnosti"},
    {"Filter", ""},
};
// Visible button -> slot.
const TfBrowse::Slot kSlotOf[13] = {
    TfBrowse::sPridaj, TfBrowse::sKopia, TfBrowse::sZmaz,  TfBrowse::sOprav, TfBrowse::sIndex,
    TfBrowse::sHladaj, TfBrowse::sUkaz,  TfBrowse::sTlac,  TfBrowse::sVyber, TfBrowse::sSpat,
    TfBrowse::sUnused1, TfBrowse::sUnused2, TfBrowse::sFilter};
constexpr int kButtonWidth = 45;
constexpr int kMinWidth = 608;
constexpr int kMinHeight = 317;

const QString kPlacement = QStringLiteral("POLOHA");

// The selected (current) row takes the model's colours too, not the style's highlight.
class RowPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        const QVariant background = index.data(Qt::BackgroundRole);
        const QVariant text = index.data(Qt::ForegroundRole);
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            if (background.isValid())
                option->palette.setColor(g, QPalette::Highlight, background.value<QColor>());
            if (text.isValid())
                option->palette.setColor(g, QPalette::HighlightedText, text.value<QColor>());
        }
    }
};

} // namespace

TableModel::RowColours ListRowColours(const ListColours& colours, int row, bool current,
                                      bool flagged) {
    if (current)
        return {QColor(0, 0, 255), flagged ? QColor(255, 255, 0) : QColor(255, 255, 255)};
    if (flagged)
        return {QColor(255, 255, 0), QColor(255, 0, 0)};
    if (row % 2 == 0)
        return {colours.background1, colours.text1};
    return {colours.background2, colours.text2};
}

TableModel::RowColours MarkedCellColours() { return {QColor(255, 0, 0), QColor(255, 255, 0)}; }

TfBrowse::ButtonStates TfBrowse::DefaultButtons() {
    ButtonStates s;
    s.fill(ButtonState::AsComputed);
    return s;
}

TfBrowse::TfBrowse(AppContext& app, QWidget* parent)
    : QDialog(parent ? parent : app.mainWindow), app_(app) {
    setMinimumSize(638, 346);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    buttonPanel_ = new QWidget(this);
    buttonPanel_->setFixedHeight(34);
    for (int i = 0; i < 13; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(kButtons[i].caption), buttonPanel_);
        b->setToolTip(QString::fromUtf8(kButtons[i].hint));
        b->setStatusTip(QString::fromUtf8(kButtons[i].hint));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        buttons[size_t(i)] = b;
    }
    layout->addWidget(buttonPanel_);

    grid = new ListGrid(this);
    model = new TableModel(this);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setContextMenuPolicy(Qt::NoContextMenu);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setHighlightSections(false);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    grid->setItemDelegate(new RowPainter(grid));
    layout->addWidget(grid, 1);
    model->rowColours = [this](int row) {
        bool flagged = false;
        if (module_ && flagField_ >= 0)
            flagged = module_->table().valueAt(row, flagField_).toString() == QLatin1String("A");
        return ListRowColours(app_.listColours, row, row == grid->currentIndex().row(), flagged);
    };
    model->cellColours = [this](int row, int column) -> std::optional<TableModel::RowColours> {
        if (!module_ || markedField_ < 0 || !list_.markCell ||
            model->fieldAt(column).compare(list_.markField, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        if (list_.markCell(module_->table().valueAt(row, markedField_).toString()))
            return std::nullopt;
        return MarkedCellColours();
    };
    // A row the user moves to becomes the table's current record: commands act on it.
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) {
                if (!module_ || !now.isValid() || number_ < 0)
                    return;
                Table& t = module_->table();
                if (t.recNo() != now.row())
                    t.gotoRecNo(now.row());
            });

    auto* bottom = new QHBoxLayout;
    lIndex = new QLabel(QStringLiteral("Index :"), this);
    cbIndex = new QComboBox(this);
    cbIndex->setMinimumWidth(180);
    lIndex->setBuddy(cbIndex);
    lHladanie = new QLabel(QStringLiteral("Hľadanie :"), this);
    eHladanie = new QLineEdit(this);
    AcceptOnlyCp1250(eHladanie);
    lHladanie->setBuddy(eHladanie);
    eHladanie->installEventFilter(this);
    cbIndex->installEventFilter(this);
    bottom->addWidget(lIndex);
    bottom->addWidget(cbIndex);
    bottom->addSpacing(12);
    bottom->addWidget(lHladanie);
    bottom->addWidget(eHladanie, 1);
    layout->addLayout(bottom);

    connect(buttons[0], &QPushButton::clicked, this, &TfBrowse::commandAdd);
    connect(buttons[1], &QPushButton::clicked, this, &TfBrowse::commandCopy);
    connect(buttons[2], &QPushButton::clicked, this, [this] {
        if (QApplication::keyboardModifiers() & Qt::AltModifier)
            commandDeleteAll();
        else
            commandDelete();
    });
    connect(buttons[3], &QPushButton::clicked, this, &TfBrowse::commandEdit);
    connect(buttons[4], &QPushButton::clicked, this, &TfBrowse::commandIndex);
    connect(buttons[5], &QPushButton::clicked, this, &TfBrowse::commandSearch);
    connect(buttons[6], &QPushButton::clicked, this, &TfBrowse::commandShow);
    connect(buttons[7], &QPushButton::clicked, this, &TfBrowse::commandPrint);
    connect(buttons[8], &QPushButton::clicked, this, &TfBrowse::commandPick);
    connect(buttons[9], &QPushButton::clicked, this, &TfBrowse::commandBack);
    connect(buttons[11], &QPushButton::clicked, this, &TfBrowse::commandOther);
    connect(buttons[12], &QPushButton::clicked, this, &TfBrowse::commandFilter);
    connect(buttons[10], &QPushButton::clicked, this, [this] {
        ShowNotice(QStringLiteral("Pomoc"),
                   QStringLiteral("F2/Insert pridaj, F12 kópia, F8 zmaž (Alt+F8 všetky), F6 oprav, "
                                  "F3 index, F4 hľadaj, Enter ukáž, F10 tlač, F7 vyber, F5 iné, "
                                  "F9 filter, Esc späť."),
                   NoticeKind::Information, this);
    });

    connect(cbIndex, &QComboBox::activated, this, &TfBrowse::selectOrder);
    connect(eHladanie, &QLineEdit::textEdited, this, &TfBrowse::incrementalSearch);
    connect(grid, &QTableView::doubleClicked, this, [this] {
        if (button(sVyber)->isEnabled())
            commandPick();
        else
            commandShow();
    });
    refreshTimer_.setInterval(10000);
    connect(&refreshTimer_, &QTimer::timeout, this, &TfBrowse::RefreshStep);
}

TfBrowse::~TfBrowse() = default;

TfDbForm* TfBrowse::module() const { return module_; }

QPushButton* TfBrowse::button(Slot s) const {
    for (int i = 0; i < 13; ++i)
        if (kSlotOf[i] == s)
            return buttons[size_t(i)];
    return nullptr;
}

void TfBrowse::layoutButtons() {
    // 45 pixels each, or what the captions need in a larger font.
    int bw = kButtonWidth;
    for (QPushButton* b : buttons)
        bw = std::max(bw, b->fontMetrics().horizontalAdvance(b->text()) + 12);
    const int w = buttonPanel_->width();
    bw = std::min(bw, std::max(30, (w - 14 * 2) / 13)); // all thirteen stay visible
    const int gap = std::max(0, (w - 13 * bw) / 14);
    for (int k = 0; k < 13; ++k)
        buttons[size_t(k)]->setGeometry(gap * (k + 1) + bw * k, 4, bw, 26);
}

void TfBrowse::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutButtons();
}

void TfBrowse::restoreWindowState() {
    IniFile ini(QStringLiteral("VIDORAW.INI"));
    const QString n = QString::number(number_);
    int width = std::max(kMinWidth, ini.readInteger(kPlacement, "WIDTH" + n, kMinWidth));
    int height = std::max(kMinHeight, ini.readInteger(kPlacement, "HEIGHT" + n, kMinHeight));
    resize(std::max(width, minimumWidth()), std::max(height, minimumHeight()));
    int left = ini.readInteger(kPlacement, "LEFT" + n, -1);
    int top = ini.readInteger(kPlacement, "TOP" + n, -1);
    const QRect screen = (parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen())
                             ->availableGeometry();
    if (left < 0 || top < 0) {
        left = screen.left() + std::max(0, (screen.width() - this->width()) / 2);
        top = screen.top() + std::max(0, (screen.height() - this->height()) / 2);
    }
    move(left, top);
}

void TfBrowse::saveWindowState() {
    IniFile ini(QStringLiteral("VIDORAW.INI"));
    const QString n = QString::number(number_);
    ini.writeInteger(kPlacement, "LEFT" + n, x());
    ini.writeInteger(kPlacement, "TOP" + n, y());
    ini.writeInteger(kPlacement, "WIDTH" + n, width());
    ini.writeInteger(kPlacement, "HEIGHT" + n, height());
    ini.writeInteger(kPlacement, "INDEX" + n, cbIndex->currentIndex());
}

bool TfBrowse::Browse(int moduleNumber, const ButtonStates& states, bool selectionAllowed) {
    picked = false;
    RecordModule* rm = app_.registry.module(moduleNumber);
    module_ = dynamic_cast<TfDbForm*>(rm);
    if (!module_)
        return false;
    number_ = moduleNumber;
    restoreWindowState();
    module_->prepareList();
    list_ = module_->list;
    if (!module_->OpenTable()) {
        number_ = -1;
        module_->listClosed();
        return false;
    }
    setWindowTitle(caption());
    Table& t = module_->table();
    flagField_ = list_.flagField.isEmpty() ? -1 : t.fieldIndex(list_.flagField);
    markedField_ = list_.markField.isEmpty() ? -1 : t.fieldIndex(list_.markField);
    model->setTable(&t);
    const IndexDefs indexes = app_.db ? app_.db->indexDefs(t.tableName()) : IndexDefs();

    cbIndex->clear();
    const int entries = int(std::min(list_.orderTitles.size(), indexes.size()));
    for (int i = 0; i < entries; ++i)
        cbIndex->addItem(list_.orderTitles[i]);
    const bool anyOrder = entries > 0;
    cbIndex->setEnabled(anyOrder);
    eHladanie->setEnabled(anyOrder);
    cbIndex->setCurrentIndex(-1);
    const QStringList current = SplitFieldList(t.order());
    for (int i = 0; i < entries; ++i)
        if (SplitFieldList(list_.orderFields.value(i)).join(';').toUpper() ==
            current.join(';').toUpper())
            cbIndex->setCurrentIndex(i);
    eHladanie->clear();
    const int saved = IniFile(QStringLiteral("VIDORAW.INI"))
                          .readInteger(kPlacement, "INDEX" + QString::number(number_), 0);
    if (saved >= 0 && saved < entries) {
        cbIndex->setCurrentIndex(saved);
        selectOrder(saved);
    }

    selectionAllowed_ = selectionAllowed;
    states_ = states;
    states_[sFilter] = module_->filtersAllowed ? ButtonState::Enable : ButtonState::Disable;
    UpdateButtons();
    syncGridToTable();
    if (!app_.listFont.isEmpty())
        grid->setFont(QFont(app_.listFont));
    // Columns as wide as their field can be (a long text at most 40 characters) or their title.
    const QFontMetrics fm(grid->font());
    for (int c = 0; c < model->columnCount(); ++c) {
        const int fi = t.fieldIndex(model->fieldAt(c));
        const FieldDef& def = t.fieldDefs()[fi];
        const int chars = def.isText() ? std::clamp(def.size, 2, 30) : def.type == 'D' ? 10 : 8;
        const int title = fm.horizontalAdvance(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        const int perChar = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('0')));
        grid->setColumnWidth(c, std::max(title, perChar * chars) + 16);
    }
    const bool views = app_.registry.hasFactory(4);
    if (views)
        ApplyView(app_, module_->listKey(), *grid);
    widthsAtShow_.clear();
    for (int c = 0; c < model->columnCount(); ++c)
        widthsAtShow_ << grid->columnWidth(c);
    refreshTimer_.start();
    grid->setFocus();

    RunDialog(*this);

    refreshTimer_.stop();
    bool resized = false;
    for (int c = 0; c < model->columnCount() && c < widthsAtShow_.size(); ++c)
        resized = resized || grid->columnWidth(c) != widthsAtShow_[c];
    if (views && resized)
        SaveView(app_, module_->listKey(), *grid);
    saveWindowState();
    number_ = -1;
    model->setTable(nullptr);
    flagField_ = markedField_ = -1;
    if (module_)
        module_->listClosed();
    return picked;
}

QString TfBrowse::caption() const {
    const bool filtered = module_ && module_->table().isFiltered();
    return filtered ? list_.listTitle + QStringLiteral(" - Použitý filter") : list_.listTitle;
}

void TfBrowse::filterChanged() {
    if (!module_ || number_ < 0)
        return;
    model->reload();
    syncGridToTable();
    UpdateButtons();
    setWindowTitle(caption());
}

void TfBrowse::UpdateButtons() {
    if (!module_)
        return;
    Table& t = module_->table();
    for (Slot s : {sPridaj, sZmaz, sOprav, sIndex, sHladaj, sUkaz, sTlac, sVyber, sSpat})
        button(s)->setEnabled(true);
    const bool empty = IsTableEmpty(t);
    const bool hasIndexes = app_.db && !app_.db->indexDefs(t.tableName()).isEmpty();
    if (empty) {
        for (Slot s : {sOprav, sZmaz, sIndex, sHladaj, sUkaz, sTlac, sKopia})
            button(s)->setEnabled(false);
    } else {
        for (Slot s : {sOprav, sZmaz, sUkaz, sTlac, sKopia})
            button(s)->setEnabled(true);
        button(sIndex)->setEnabled(hasIndexes);
        button(sHladaj)->setEnabled(hasIndexes);
    }
    button(sVyber)->setEnabled(selectionAllowed_ && !empty);
    for (int i = 0; i < 13; ++i) {
        const Slot s = kSlotOf[i];
        if (s == sUnused1 || s == sUnused2)
            continue;
        const ButtonState v = states_[s];
        if (s == sFilter)
            buttons[size_t(i)]->setEnabled(v == ButtonState::Enable);
        else if (v != ButtonState::AsComputed)
            buttons[size_t(i)]->setEnabled(v == ButtonState::Enable);
    }
}

void TfBrowse::syncGridToTable() {
    if (!module_)
        return;
    Table& t = module_->table();
    const int row = t.recNo();
    if (row >= 0 && row < model->rowCount()) {
        const QModelIndex at = model->index(row, std::max(0, grid->currentIndex().column()));
        grid->setCurrentIndex(at);
        grid->scrollTo(at);
    }
}

void TfBrowse::RefreshStep() {
    if (!module_)
        return;
    Table& t = module_->table();
    t.refresh();
    model->reload();
    syncGridToTable();
}

void TfBrowse::runRecordCommand(const std::function<void()>& op, bool stopTimer) {
    if (!module_)
        return;
    if (stopTimer)
        refreshTimer_.stop();
    module_->ownerBrowser = this;
    module_->centreOver(this);
    RefreshStep();
    op();
    // The save moved the table onto its record; the grid follows it there.
    RefreshStep();
    UpdateButtons();
    if (stopTimer && number_ >= 0)
        refreshTimer_.start();
}

void TfBrowse::commandAdd() {
    if (button(sPridaj)->isEnabled())
        runRecordCommand([this] { module_->AddRecord(); }, false);
}

void TfBrowse::commandCopy() {
    if (button(sKopia)->isEnabled())
        runRecordCommand([this] { module_->CopyRecord(); }, false);
}

void TfBrowse::commandEdit() {
    if (button(sOprav)->isEnabled())
        runRecordCommand([this] { module_->EditRecord(); }, true);
}

void TfBrowse::commandShow() {
    if (button(sUkaz)->isEnabled())
        runRecordCommand([this] { module_->ShowRecord(); }, false);
}

bool TfBrowse::removeWithLock() {
    Database* db = module_->table().database();
    WriteLock lock(*db);
    if (!lock.ok()) {
        ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
        return false;
    }
    if (!module_->removeCurrentRecord()) {
        ShowNotice(QStringLiteral("Chyba!"), module_->removeErrorText(), NoticeKind::Error, this);
        return false;
    }
    if (!lock.commit()) {
        ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
        return false;
    }
    return true;
}

void TfBrowse::commandDelete() {
    if (!button(sZmaz)->isEnabled())
        return;
    runRecordCommand(
        [this] {
            if (IsTableEmpty(module_->table()))
                return;
            if (module_->DeleteRecord() == 1)
                removeWithLock();
        },
        true);
}

void TfBrowse::commandDeleteAll() {
    if (!module_ || !button(sZmaz)->isEnabled() || app_.userCode != QLatin1String("1") ||
        !module_->deletionAllowed())
        return;
    Table& t = module_->table();
    runRecordCommand(
        [&] {
            const int n = t.recordCount();
            if (n == 0)
                return;
            if (AskConfirm(QStringLiteral("Mám naozaj vymazať všetky záznamy(%1)?").arg(n), this) != 1 ||
                AskConfirm(QStringLiteral("Ste si naozaj istí, že mám vymazať všetky záznamy(%1)?")
                               .arg(n),
                           this) != 1)
                return;
            WriteLock lock(*t.database());
            if (!lock.ok()) {
                ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
                return;
            }
            int count = 0;
            t.first();
            while (t.recordCount() > 0) {
                if (!module_->removeCurrentRecord()) {
                    ShowNotice(QStringLiteral("Chyba!"), module_->removeErrorText(),
                               NoticeKind::Error, this);
                    return; // the lock rolls everything back
                }
                ++count;
            }
            if (!lock.commit()) {
                ShowNotice(QStringLiteral("Chyba!"), lock.error(), NoticeKind::Error, this);
                return;
            }
            ShowNotice(QStringLiteral("Oznam"),
                       QStringLiteral("Mazanie záznamov je ukončené, vymazali sme: %1 záznamov!")
                           .arg(count),
                       NoticeKind::Information, this);
        },
        true);
}

void TfBrowse::commandPick() {
    if (!button(sVyber)->isEnabled())
        return;
    picked = true;
    done(QDialog::Accepted);
}

void TfBrowse::commandBack() {
    picked = false;
    done(QDialog::Rejected);
}

void TfBrowse::reject() { commandBack(); }

void TfBrowse::commandIndex() {
    if (!button(sIndex)->isEnabled() || !module_ || cbIndex->count() == 0)
        return;
    QStringList titles;
    for (int i = 0; i < cbIndex->count(); ++i)
        titles << cbIndex->itemText(i);
    TfVolbaIndexu dialog(app_, titles, std::max(0, cbIndex->currentIndex()), this);
    if (dialog.showModal() == QDialog::Accepted && dialog.chosen() >= 0) {
        cbIndex->setCurrentIndex(dialog.chosen());
        selectOrder(dialog.chosen());
    }
}

void TfBrowse::commandSearch() {
    if (!button(sHladaj)->isEnabled() || !module_)
        return;
    const int entry = cbIndex->currentIndex();
    Table& t = module_->table();
    const QString fields = entry >= 0 ? list_.orderFields.value(entry) : t.order();
    const QString labels = entry >= 0 ? list_.searchLabels.value(entry) : fields;
    TfHladanie dialog(app_, t, fields, labels, this);
    if (dialog.showModal() == QDialog::Accepted) {
        // The dialog checked the key; not found leaves the list on its last row.
        (void)t.findNearest(dialog.key());
        syncGridToTable();
    }
}

void TfBrowse::commandPrint() {
    if (button(sTlac)->isEnabled() && module_)
        module_->PrintList(this, extraHeading);
}

void TfBrowse::commandOther() {
    if (!module_)
        return;
    QPushButton* b = buttons[11];
    module_->PopupOtherMenu(b->mapToGlobal(b->rect().center()), this);
}

void TfBrowse::commandPopup() {
    if (!module_)
        return;
    // Under the current cell, as a right click there would open it.
    QPoint at = grid->viewport()->rect().center();
    if (grid->currentIndex().isValid())
        at = grid->visualRect(grid->currentIndex()).bottomLeft();
    module_->PopupKeyboardMenu(grid->viewport()->mapToGlobal(at), this);
}

void TfBrowse::commandFilter() {
    QPushButton* b = buttons[12];
    if (module_ && b->isEnabled())
        module_->PopupFilterMenu(b->mapToGlobal(b->rect().center()), this);
}

void TfBrowse::commandFindText() {
    if (!module_ || model->rowCount() == 0)
        return;
    TfHladajRetazec dialog(app_, this);
    if (dialog.showModal() != QDialog::Accepted)
        return;
    const QString wanted = dialog.prepare(dialog.eRetazec->text());
    Table& t = module_->table();
    // Columns in the order the user sees them (a view may have moved them).
    const QHeaderView* header = grid->horizontalHeader();
    const int startRow = std::max(0, grid->currentIndex().row());
    int visual = grid->currentIndex().isValid() ? header->visualIndex(grid->currentIndex().column()) + 1
                                                : 0;
    for (int row = startRow; row < model->rowCount(); ++row, visual = 0) {
        for (; visual < model->columnCount(); ++visual) {
            const int column = header->logicalIndex(visual);
            if (grid->isColumnHidden(column))
                continue;
            const QString cell = model->data(model->index(row, column), Qt::DisplayRole).toString();
            if (dialog.prepare(cell).contains(wanted)) {
                t.gotoRecNo(row);
                grid->setCurrentIndex(model->index(row, column));
                grid->scrollTo(grid->currentIndex());
                return;
            }
        }
    }
    ShowNotice(QStringLiteral("Oznnam"), QStringLiteral(" Ďalší výskyt neexistuje. "),
               NoticeKind::Information, this);
}

void TfBrowse::commandSetView() {
    if (!module_)
        return;
    SaveView(app_, module_->listKey(), *grid);
    auto* editor = dynamic_cast<TfPohladd*>(app_.registry.module(module::kPohlad));
    if (!editor)
        return;
    editor->prepareEditor(*module_, *grid);
    if (editor->showModal() == QDialog::Accepted)
        ApplyView(app_, module_->listKey(), *grid);
}

void TfBrowse::selectOrder(int entry) {
    if (!module_ || entry < 0 || entry >= list_.orderFields.size())
        return;
    Table& t = module_->table();
    const QStringList wanted = SplitFieldList(list_.orderFields[entry]);
    const IndexDefs indexes = app_.db->indexDefs(t.tableName());
    QStringList fields = indexes.isEmpty() ? wanted : indexes.first().fields;
    for (const IndexDef& d : indexes) {
        if (d.fields.join(';').toUpper() == wanted.join(';').toUpper()) {
            fields = d.fields;
            break;
        }
    }
    if (!t.setOrder(fields.join(';'))) {
        ShowNotice(QStringLiteral("Chyba"), t.lastError(), NoticeKind::Error, this);
        return;
    }
    model->reload();
    syncGridToTable();
    eHladanie->clear();
    eHladanie->setEnabled(fields.size() == 1);
    grid->setFocus();
}

void TfBrowse::incrementalSearch(const QString& typed) {
    if (!module_)
        return;
    Table& t = module_->table();
    const QStringList order = SplitFieldList(t.order());
    if (order.size() != 1)
        return;
    const int fi = t.fieldIndex(order.first());
    if (fi < 0)
        return;
    const char type = t.fieldDefs()[fi].type;
    QVariant key;
    if (type == 'F') {
        QString copy = typed;
        if (!IsDecimalText(copy)) {
            QApplication::beep();
            return;
        }
        key = NormalizeDecimal(copy);
    } else if (type == 'D') {
        const QString normal = NormalizeDateSeparators(typed);
        if (normal != typed) {
            const int pos = eHladanie->cursorPosition();
            eHladanie->setText(normal);
            eHladanie->setCursorPosition(pos);
        }
        double days = 0;
        key = ParseDate(normal, days) ? DateFromDays(days) : QDate::currentDate();
    } else if (type == 'I' || type == 'N') {
        QString copy = typed;
        if (!IsIntegerText(copy)) {
            QApplication::beep();
            return;
        }
        key = copy.trimmed();
    } else {
        key = typed;
    }
    (void)t.findNearest({key}); // the nearest row or the last one: either way the list follows
    syncGridToTable();
}

void TfBrowse::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool alt = mods & Qt::AltModifier;
    switch (key) {
    case Qt::Key_F2:
    case Qt::Key_Insert:
        commandAdd();
        return;
    case Qt::Key_F12:
        commandCopy();
        return;
    case Qt::Key_F8:
        // Alt+F8 deletes the current record first, then offers to delete all of them.
        commandDelete();
        if (alt)
            commandDeleteAll();
        return;
    case Qt::Key_F6:
        commandEdit();
        return;
    case Qt::Key_F3:
        commandIndex();
        return;
    case Qt::Key_F4:
        if (!alt)
            commandSearch();
        return;
    case Qt::Key_F10:
        if (mods & Qt::ShiftModifier)
            commandPopup();
        else
            commandPrint();
        return;
    case Qt::Key_Menu:
        commandPopup();
        return;
    case Qt::Key_F7:
        commandPick();
        return;
    case Qt::Key_F5:
        commandOther();
        return;
    case Qt::Key_F9:
        commandFilter();
        return;
    case Qt::Key_Escape:
        commandBack();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (button(sVyber)->isEnabled())
            commandPick();
        else
            commandShow();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TfBrowse::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == grid) {
        auto* k = static_cast<QKeyEvent*>(event);
        const QString text = k->text();
        if (k->key() == Qt::Key_Backspace) {
            eHladanie->clear();
            return true;
        }
        if (k->key() == Qt::Key_Menu || (k->key() == Qt::Key_F10 && (k->modifiers() & Qt::ShiftModifier))) {
            commandPopup();
            return true;
        }
        if (!text.isEmpty() && text[0].isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            eHladanie->isEnabled()) {
            eHladanie->insert(text);
            incrementalSearch(eHladanie->text());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == grid->viewport() && module_) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() == Qt::RightButton) {
            module_->PopupOtherMenu(m->globalPosition().toPoint(), this);
            return true;
        }
        if (m->button() == Qt::MiddleButton) {
            module_->PopupFilterMenu(m->globalPosition().toPoint(), this);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && watched == grid) {
        // The grid's current row is the table's current record.
    }
    return QDialog::eventFilter(watched, event);
}

bool LookupOrPick(AppContext& app, int moduleNumber, const QString& keyField,
                  const QString& nameField, PickMode mode, QLineEdit* nameControl,
                  QLineEdit* keyControl) {
    auto* module = dynamic_cast<TfDbForm*>(app.registry.module(moduleNumber));
    if (!module || !module->OpenTable())
        return false;
    Table& t = module->table();
    const QString key = keyControl ? keyControl->text().trimmed() : QString();
    QString name;
    const bool found = !key.isEmpty() && LookupFieldIn(t, keyField, {key}, nameField, name);
    if (found && nameControl)
        nameControl->setText(name);
    const bool explicitPick = mode == PickMode::Pick || mode == PickMode::PickReadOnly;
    if (!explicitPick && found)
        return true;
    if (explicitPick && !key.isEmpty())
        (void)FindOrNearest(t, keyField, key); // the list opens near the key either way
    TfBrowse picker(app, keyControl ? keyControl->window() : nullptr);
    TfBrowse::ButtonStates states = TfBrowse::DefaultButtons();
    if (mode == PickMode::LookUpReadOnly || mode == PickMode::PickReadOnly)
        for (TfBrowse::Slot s : {TfBrowse::sPridaj, TfBrowse::sKopia, TfBrowse::sZmaz,
                                 TfBrowse::sOprav, TfBrowse::sUkaz})
            states[s] = TfBrowse::ButtonState::Disable;
    const QString order = t.order();
    const bool picked = picker.Browse(moduleNumber, states, true);
    if (picked) {
        if (keyControl)
            keyControl->setText(t.field(keyField).asString());
        if (nameControl)
            nameControl->setText(t.field(nameField).asString());
    }
    const qint64 at = t.bookmark();
    // Back to the order it had (it worked before); a row deleted in the list leaves it nearby.
    (void)t.setOrder(order);
    (void)t.gotoBookmark(at);
    return picked;
}

} // namespace vidoraw
