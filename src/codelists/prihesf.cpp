#include "codelists/prihesf.h"

#include "codelists/keywords.h"
#include "core/engine/collation.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/dependentrows.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {

const QString kMissing = QStringLiteral("Neexistujúce heslo.");

Table* ModuleTable(AppContext& app, int number) {
    RecordModule* m = app.registry.module(number);
    return m && m->OpenTable() ? &m->table() : nullptr;
}

} // namespace

TfPrihesf::TfPrihesf(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Priradené heslá"));
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QGroupBox(QStringLiteral(" Firma "), this);
    auto* form = new QFormLayout(panel);
    auto shown = [&](const QString& label, int chars) {
        auto* e = new QLineEdit(panel);
        FormRows::makeDisplayOnly(e);
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * chars);
        form->addRow(label, e);
        return e;
    };
    eKodf = shown(QStringLiteral("Kód firmy:"), 8);
    eFirma = shown(QStringLiteral("Firma :"), 40);
    eOsoba = shown(QStringLiteral("Osoba :"), 40);
    eAdresa = shown(QStringLiteral("Adresa :"), 60);
    eIco = shown(QStringLiteral("IČO:"), 12);
    eDico = shown(QStringLiteral("DIČO:"), 20);
    layout->addWidget(panel);

    auto* lists = new QGridLayout;
    lbVsetky = new QListWidget(this);
    lbPriradene = new QListWidget(this);
    auto* lVsetky = new QLabel(QStringLiteral("Všetky heslá:"), this);
    auto* lPriradene = new QLabel(QStringLiteral("Priradené heslá:"), this);
    lVsetky->setBuddy(lbVsetky);
    lPriradene->setBuddy(lbPriradene);
    bPriradit = new QPushButton(QStringLiteral(">"), this);
    bUvolnit = new QPushButton(QStringLiteral("<"), this);
    auto* arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(bPriradit);
    arrows->addWidget(bUvolnit);
    arrows->addStretch(1);
    lists->addWidget(lVsetky, 0, 0);
    lists->addWidget(lPriradene, 0, 2);
    lists->addWidget(lbVsetky, 1, 0);
    lists->addLayout(arrows, 1, 1);
    lists->addWidget(lbPriradene, 1, 2);
    layout->addLayout(lists, 1);

    auto* strip = makeButtonStrip();
    bbOk->setText(QStringLiteral("&Ok"));
    bNoveHeslo = new QPushButton(QStringLiteral("&Nové heslo"), this);
    bHeslaOd = new QPushButton(QStringLiteral("Heslá od ..."), this);
    bPomoc = new QPushButton(QStringLiteral("&Pomoc"), this);
    auto* row = static_cast<QHBoxLayout*>(strip->layout());
    row->insertWidget(0, bNoveHeslo);
    row->insertWidget(1, bHeslaOd);
    row->addWidget(bPomoc);
    for (QPushButton* b : {bPriradit, bUvolnit, bNoveHeslo, bHeslaOd, bPomoc})
        b->setAutoDefault(false);
    layout->addWidget(strip);

    for (QListWidget* l : {lbVsetky, lbPriradene}) {
        l->setMinimumSize(l->fontMetrics().averageCharWidth() * 30, 200);
        l->installEventFilter(this);
    }
    // The arrows choose in the lists.
    upArrowMoves = downArrowMoves = false;
    connect(bPriradit, &QPushButton::clicked, this, &TfPrihesf::assignSelected);
    connect(bUvolnit, &QPushButton::clicked, this, &TfPrihesf::releaseSelected);
    connect(lbVsetky, &QListWidget::itemDoubleClicked, this, &TfPrihesf::assignSelected);
    connect(lbPriradene, &QListWidget::itemDoubleClicked, this, &TfPrihesf::releaseSelected);
    connect(bNoveHeslo, &QPushButton::clicked, this, &TfPrihesf::newKeyword);
    connect(bHeslaOd, &QPushButton::clicked, this, &TfPrihesf::keywordsFrom);
    connect(bPomoc, &QPushButton::clicked, this, [this] {
        ShowNotice(QStringLiteral("Pomoc"),
                   QStringLiteral("Medzera, dvojklik alebo > a < presúvajú heslo medzi zoznamami. "
                                  "F2 alebo Insert v zozname všetkých hesiel pridá nové heslo. "
                                  "Heslá od ... prevezme heslá inej firmy. Ok heslá uloží."),
                   NoticeKind::Information, this);
    });
}

void TfPrihesf::prepare(qint64 companyCode) {
    code_ = companyCode;
    modified = false;
    Table* companies = ModuleTable(app(), module::kFirma);
    companyPlace_ = companies ? std::optional<qint64>(companies->bookmark()) : std::nullopt;
    eKodf->setText(QString::number(companyCode));
    QStringList f;
    LookupFields(app(), module::kFirma, QStringLiteral("KOD"), {companyCode},
                 {"NAZOV", "ICO", "DICO", "TITUL", "MENO", "PRIEZVISK", "ULICA", "CISLO", "OBEC",
                  "PSC", "DODPOSTA", "STAT"},
                 f);
    while (f.size() < 12)
        f << QString();
    eFirma->setText(f[0]);
    eIco->setText(f[1]);
    eDico->setText(f[2]);
    eOsoba->setText(JoinName(f[3], f[4], f[5]));
    eAdresa->setText(TrimSpaces(JoinName(f[6], f[7], f[8]) + u' ' + JoinName(f[9], f[10], f[11])));
    for (QLineEdit* e : {eKodf, eFirma, eIco, eDico, eOsoba, eAdresa})
        e->setCursorPosition(0);
    loadLists(companyCode);
    focusField(lbVsetky);
    if (lbVsetky->count() > 0) lbVsetky->setCurrentRow(0);
}

void TfPrihesf::insertSorted(QListWidget* list, QListWidgetItem* item) {
    int at = 0;
    while (at < list->count() && CompareSlovak(list->item(at)->text(), item->text(), false) <= 0)
        ++at;
    list->insertItem(at, item);
}

void TfPrihesf::loadLists(qint64 companyCode) {
    lbVsetky->clear();
    lbPriradene->clear();
    QList<QVariant> assigned;
    const QVariantList keywords = ValuesWhere(app(), module::kPrihesf, QStringLiteral("KODF"),
                                              double(companyCode), QStringLiteral("KODH"));
    for (const QVariant& keyword : keywords) {
        QString name;
        if (!LookupField(app(), module::kHesla, QStringLiteral("KOD"), {keyword},
                         QStringLiteral("NAZOV"), name)) {
            ShowNotice(QStringLiteral("Oznam"), kMissing, NoticeKind::Information, this);
            continue;
        }
        if (assigned.contains(keyword)) continue;
        assigned << keyword;
        auto* item = new QListWidgetItem(name);
        item->setData(Qt::UserRole, keyword);
        insertSorted(lbPriradene, item);
    }
    Table* all = ModuleTable(app(), module::kHesla);
    if (!all) return;
    const int code = all->fieldIndex(QStringLiteral("KOD"));
    const int name = all->fieldIndex(QStringLiteral("NAZOV"));
    all->scanOrder(QStringLiteral("KOD"), {}, false, [&](qint64, const QVector<QVariant>& row) {
        if (!assigned.contains(row[code])) {
            auto* item = new QListWidgetItem(row[name].toString());
            item->setData(Qt::UserRole, row[code]);
            insertSorted(lbVsetky, item);
        }
        return true;
    });
}

QStringList TfPrihesf::names(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void TfPrihesf::move(QListWidget* from, QListWidget* to) {
    QListWidgetItem* item = from->currentItem();
    if (!item) return;
    const int row = from->row(item);
    from->takeItem(row);
    insertSorted(to, item);
    to->setCurrentItem(item);
    if (from->count() > 0) from->setCurrentRow(std::min(row, from->count() - 1));
    modified = true;
}

void TfPrihesf::assignSelected() {
    move(lbVsetky, lbPriradene);
}

void TfPrihesf::releaseSelected() {
    move(lbPriradene, lbVsetky);
}

void TfPrihesf::newKeyword() {
    auto* form = dynamic_cast<TfDbForm*>(app().registry.module(module::kHesla));
    if (!form || !form->OpenTable()) return;
    form->centreOver(this);
    if (form->AddRecord() != 1) return;
    Table& t = form->table();
    auto* item = new QListWidgetItem(t.field(QStringLiteral("NAZOV")).asString());
    item->setData(Qt::UserRole, t.field(QStringLiteral("KOD")).value());
    insertSorted(lbVsetky, item);
    lbVsetky->setCurrentItem(item);
    const int at = lbVsetky->row(item);
    lbVsetky->scrollToItem(lbVsetky->item(at < 6 ? 0 : at - 5), QAbstractItemView::PositionAtTop);
    focusField(lbVsetky);
}

void TfPrihesf::keywordsFrom() {
    auto* companies = dynamic_cast<TfDbForm*>(app().registry.module(module::kFirma));
    if (!companies || !companies->OpenTable()) return;
    Table& t = companies->table();
    const QString order = t.order();
    TfBrowse picker(app(), this);
    TfBrowse::ButtonStates states = TfBrowse::DefaultButtons();
    for (TfBrowse::Slot s : {TfBrowse::sPridaj, TfBrowse::sKopia, TfBrowse::sZmaz})
        states[s] = TfBrowse::ButtonState::Disable;
    // Only picking here: the list's own filters stay as they are.
    const bool filters = companies->filtersAllowed;
    companies->filtersAllowed = false;
    const bool picked = picker.Browse(module::kFirma, states, true);
    companies->filtersAllowed = filters;
    const qint64 source = t.field(QStringLiteral("KOD")).asInteger();
    (void)t.setOrder(order); // it was the order before
    if (picked) loadLists(source);
    focusField(lbVsetky);
}

bool TfPrihesf::closeWithOk() {
    Table* rows = ModuleTable(app(), module::kPrihesf);
    if (!rows || !app().db) return false;
    QStringList missing;
    auto refuse = [&](const QString& why) {
        rows->cancel();
        ShowNotice(QStringLiteral("Chyba"), TfDbForm::saveErrorText() + u'\n' + why,
                   NoticeKind::Error, this);
        return false;
    };
    {
        // The company's old set and the new one in one transaction: never half written.
        WriteLock lock(*app().db);
        if (!lock.ok()) return refuse(lock.error());
        QString error;
        if (!DeleteRowsWhere(app(), module::kPrihesf, QStringLiteral("KODF"), double(code_),
                             &error))
            return refuse(error);
        for (const QString& name : names(lbPriradene)) {
            QString keyword;
            if (!LookupField(app(), module::kHesla, QStringLiteral("NAZOV"), {name},
                             QStringLiteral("KOD"), keyword)) {
                missing << name;
                continue;
            }
            const qint64 next = LastValue(*rows, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
            if (!rows->append() || !rows->field(QStringLiteral("KOD")).setValue(next) ||
                !rows->field(QStringLiteral("KODF")).setValue(double(code_)) ||
                !rows->field(QStringLiteral("KODH")).setAsString(keyword) || !rows->post())
                return refuse(rows->lastError());
        }
        if (!lock.commit()) return refuse(lock.error());
    }
    for (int i = 0; i < missing.size(); ++i)
        ShowNotice(QStringLiteral("Oznam"), kMissing, NoticeKind::Information, this);
    return true;
}

bool TfPrihesf::closeWithBack() {
    if (!modified) return true;
    return AskConfirm(QStringLiteral(" Ukončiť prácu bez uchovnia zmien? "), this) == 1;
}

bool TfPrihesf::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == lbVsetky || watched == lbPriradene)) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->modifiers() == Qt::NoModifier) {
            if (k->key() == Qt::Key_Space) {
                watched == lbVsetky ? assignSelected() : releaseSelected();
                return true;
            }
            if (watched == lbVsetky && (k->key() == Qt::Key_F2 || k->key() == Qt::Key_Insert)) {
                newKeyword();
                return true;
            }
        }
    }
    return TfMojForm::eventFilter(watched, event);
}

void TfPrihesf::hideEvent(QHideEvent* event) {
    if (companyPlace_) {
        if (Table* companies = ModuleTable(app(), module::kFirma))
            (void)companies->gotoBookmark(*companyPlace_);
        companyPlace_.reset();
    }
    TfMojForm::hideEvent(event);
}

bool AssignKeywords(AppContext& app, qint64 companyCode, QWidget* owner) {
    TfPrihesf window(app, owner);
    window.prepare(companyCode);
    window.centreOver(owner);
    return window.showModal() == QDialog::Accepted;
}

} // namespace vidoraw
