#include "framework/tfdbform.h"

#include "core/interaction.h"
#include "core/moduleregistry.h"

#include "framework/bulkset.h"
#include "framework/exportwindow.h"
#include "framework/filtermenu.h"
#include "framework/importwindow.h"
#include "framework/menuletters.h"
#include "framework/radiogroup.h"
#include "framework/tfbrowse.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vidoraw {

TfDbForm::TfDbForm(AppContext& app, int moduleNumber, QWidget* parent)
    : TfMojForm(app, parent), number_(moduleNumber) {
    if (const ModuleInfo* info = ModuleInfoFor(moduleNumber)) {
        setWindowTitle(QString::fromUtf8(info->caption));
        table_.setTableName(QString::fromUtf8(info->tableFile));
    }
    table_.setDatabase(app.db);
    deletionTimer_.setSingleShot(true);
    deletionTimer_.setInterval(100);
    connect(&deletionTimer_, &QTimer::timeout, this, &TfDbForm::askDeletion);
}

TfDbForm::~TfDbForm() { table_.close(); }

QString TfDbForm::saveErrorText() {
    return QStringLiteral("Vyskytla sa chyba pri pokuse zapísať údaje do tabuľky. Pravdepodobne "
                          "je tabuľka používaná iným užívateľom. Skúste zápis neskôr!");
}

QString TfDbForm::listKey() const {
    if (!explicitListKey.isEmpty())
        return explicitListKey;
    return SqlTableName(table_.tableName());
}

bool TfDbForm::OpenTable() {
    if (table_.isOpen())
        return true;
    if (!table_.database())
        table_.setDatabase(app().db);
    if (!table_.exists() && !CreateTable(table_.tableName()))
        return false;
    return table_.open();
}

TableSchema TfDbForm::schema() const {
    return app().registry.schema(number_).value_or(TableSchema{});
}

bool TfDbForm::CreateTable(const QString& fileName) {
    Database* db = table_.database() ? table_.database() : app().db;
    if (!db)
        return false;
    QString error;
    const TableSchema s = schema();
    if (!CreateTableWithRows(*db, fileName, s.fields, s.indexes, s.initialRows, &error)) {
        ShowNotice(QStringLiteral("Chyba"), error, NoticeKind::Error, this);
        return false;
    }
    return true;
}

bool TfDbForm::DefineIndexes(Table& table, QString* error) {
    Database* db = table.database();
    if (!db) {
        if (error)
            *error = QStringLiteral("Tabuľka %1 nemá databázu.").arg(table.tableName());
        return false;
    }
    if (!db->redefineIndexes(table.tableName(), schema().indexes, error))
        return false;
    if (!table.setOrder(codeField)) {
        if (error)
            *error = table.lastError();
        return false;
    }
    return true;
}

void TfDbForm::DefineList() { explicitListKey.clear(); }

QLineEdit* TfDbForm::addCodeRow(const QString& label) {
    eKod = rows().newEdit(0, 8);
    eKod->setReadOnly(true);
    eKod->setAlignment(Qt::AlignRight);
    rows().addRow(label, eKod);
    bind(eKod, codeField);
    return eKod;
}

bool TfDbForm::isDuplicate(const QString& orderFields, const QString& value) {
    QString code;
    if (!LookupFieldIn(table_, orderFields, {value}, codeField, code))
        return false;
    return recordMode == ModeAdd || !eKod || code != eKod->text().trimmed();
}

void TfDbForm::bind(QWidget* control, const QString& field) {
    auto* e = qobject_cast<QLineEdit*>(control);
    bindings_ << Binding{control, field, e && e->isReadOnly() && e != eKod};
}

QWidget* TfDbForm::controlOf(const QString& field) const {
    for (const Binding& b : bindings_)
        if (b.field.compare(field, Qt::CaseInsensitive) == 0)
            return b.control;
    return nullptr;
}

void TfDbForm::LoadFields() {
    for (const Binding& b : bindings_) {
        const Field f = table_.field(b.field);
        if (auto* e = qobject_cast<QLineEdit*>(b.control))
            e->setText(f.asString());
        else if (auto* c = qobject_cast<QCheckBox*>(b.control))
            c->setChecked(f.type() == 'L' ? f.asBool() : f.asString() == QLatin1String("A"));
        else if (auto* c = qobject_cast<QComboBox*>(b.control))
            c->setCurrentText(f.asString());
        else if (auto* p = qobject_cast<QPlainTextEdit*>(b.control))
            p->setPlainText(f.asString());
        else if (auto* r = qobject_cast<RadioGroup*>(b.control))
            r->setValue(f.asString());
    }
}

void TfDbForm::StoreFields() {
    for (const Binding& b : bindings_) {
        Field f = table_.field(b.field);
        if (auto* e = qobject_cast<QLineEdit*>(b.control))
            f.setAsString(e->text().trimmed());
        else if (auto* c = qobject_cast<QCheckBox*>(b.control))
            f.type() == 'L' ? f.setValue(c->isChecked())
                            : f.setAsString(c->isChecked() ? QStringLiteral("A") : QStringLiteral("N"));
        else if (auto* c = qobject_cast<QComboBox*>(b.control))
            f.setAsString(c->currentText().trimmed());
        else if (auto* p = qobject_cast<QPlainTextEdit*>(b.control))
            f.setAsString(p->toPlainText());
        else if (auto* r = qobject_cast<RadioGroup*>(b.control); r && r->itemIndex() >= 0)
            f.setAsString(r->value()); // nothing chosen keeps what the field holds
    }
}

void TfDbForm::clearFields() {
    for (const Binding& b : bindings_) {
        if (auto* e = qobject_cast<QLineEdit*>(b.control))
            e->clear();
        else if (auto* c = qobject_cast<QCheckBox*>(b.control))
            c->setChecked(false);
        else if (auto* c = qobject_cast<QComboBox*>(b.control))
            c->setCurrentIndex(c->count() > 0 ? 0 : -1);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(b.control))
            p->clear();
        else if (auto* r = qobject_cast<RadioGroup*>(b.control))
            r->setValue(QString());
    }
}

void TfDbForm::setReadOnly(bool readOnly) {
    for (const Binding& b : bindings_) {
        if (auto* e = qobject_cast<QLineEdit*>(b.control))
            e->setReadOnly(readOnly || b.fixedReadOnly || e == eKod);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(b.control))
            p->setReadOnly(readOnly);
        else
            b.control->setEnabled(!readOnly);
    }
}

qint64 TfDbForm::nextCode() {
    if (!OpenTable() || !table_.hasField(codeField))
        return 0;
    return LastValue(table_, codeField, codeField) + 1;
}

void TfDbForm::focusFirstField() {
    for (const Binding& b : bindings_) {
        if (b.control != eKod && b.control->isEnabled() && b.control->isVisibleTo(this)) {
            focusField(b.control);
            return;
        }
    }
}

int TfDbForm::runModalIn(int mode) {
    recordMode = mode;
    result = 0;
    if (bbOk)
        bbOk->setEnabled(mode != ModeView);
    showModal();
    return result;
}

int TfDbForm::AddRecord() {
    if (!OpenTable())
        return 0;
    clearFields();
    setReadOnly(false);
    proposeNewValues();
    if (eKod)
        eKod->setText(QString::number(nextCode()));
    recordMode = ModeAdd; // the first field may depend on the mode
    focusFirstField();
    return runModalIn(ModeAdd);
}

int TfDbForm::EditRecord() {
    if (!OpenTable())
        return 0;
    LoadFields();
    setReadOnly(false);
    recordMode = ModeEdit;
    focusFirstField();
    return runModalIn(ModeEdit);
}

int TfDbForm::ShowRecord() {
    if (!OpenTable())
        return 0;
    LoadFields();
    setReadOnly(true);
    if (bbSpat)
        bbSpat->setFocus();
    const int r = runModalIn(ModeView);
    setReadOnly(false);
    return r;
}

int TfDbForm::CopyRecord() {
    if (!OpenTable())
        return 0;
    LoadFields();
    setReadOnly(false);
    if (eKod)
        eKod->setText(QString::number(nextCode()));
    recordMode = ModeAdd;
    focusFirstField();
    return runModalIn(ModeAdd);
}

void TfDbForm::ShowButtons(bool visible) {
    if (bbOk)
        bbOk->setVisible(visible);
    if (bbSpat)
        bbSpat->setVisible(visible);
}

int TfDbForm::DeleteRecord() {
    if (!OpenTable())
        return 0;
    LoadFields();
    setReadOnly(true);
    ShowButtons(false);
    deletionTimer_.start();
    runModalIn(ModeView);
    deletionTimer_.stop();
    ShowButtons(true);
    setReadOnly(false);
    return result;
}

void TfDbForm::askDeletion() {
    deletionTimer_.stop();
    result = AskConfirm(QStringLiteral("Mám naozaj zmazať tento záznam ?"), this, true) == 1 ? 1 : 0;
    done(result ? QDialog::Accepted : QDialog::Rejected);
}

bool TfDbForm::CheckFields() {
    for (QWidget* c : checkedFields) {
        if (!checkField(c)) {
            failField(c);
            return false;
        }
    }
    return true;
}

bool TfDbForm::checkOnLeave(QWidget* control) {
    if (recordMode == ModeView || !checkedFields.contains(control))
        return true;
    const bool passed = checkField(control);
    if (!passed && refocusOnFailedLeave)
        failField(control);
    return passed;
}

bool TfDbForm::closeWithBack() {
    if (recordMode == ModeView)
        return true;
    return AskConfirm(QStringLiteral(" Mám naozaj ukončiť editáciu bez uchovania?"), this) == 1;
}

bool TfDbForm::closeWithOk() {
    if (recordMode == ModeView || !CheckFields())
        return false;
    Database* db = table_.database();
    if (!db || !OpenTable())
        return false;
    auto refuse = [&] {
        table_.cancel();
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, this);
        return false;
    };
    WriteLock lock(*db);
    if (!lock.ok())
        return refuse();
    if (recordMode == ModeAdd) {
        // Another workstation may have added records since the code was proposed.
        const qint64 code = table_.hasField(codeField) ? LastValue(table_, codeField, codeField) + 1 : 0;
        if (eKod)
            eKod->setText(QString::number(code));
        if (!table_.append())
            return refuse();
        if (table_.hasField(codeField))
            table_.field(codeField).setValue(code);
    } else if (!table_.edit()) {
        return refuse();
    }
    StoreFields();
    if (!prepareSave() || !table_.post() || !saveDependents() || !lock.commit())
        return refuse();
    result = 1;
    return true;
}

bool TfDbForm::applyFilterText(const QString& expression, const QString& description) {
    if (!OpenTable())
        return false;
    const bool wasFiltered = table_.isFiltered();
    table_.setFiltered(false);
    if (!table_.setFilterText(expression)) {
        table_.setFiltered(wasFiltered);
        ShowNotice(QStringLiteral("Chyba"), table_.lastError(), NoticeKind::Error, ownerBrowser);
        return false;
    }
    filterDescription = description;
    table_.setFilterPredicate({});
    filterByCode = false;
    table_.setFiltered(true);
    showFilterChange();
    return true;
}

void TfDbForm::applyFilterByCode(Table::Predicate keep, const QString& description) {
    if (!OpenTable())
        return;
    table_.setFiltered(false);
    (void)table_.setFilterText(QString()); // an empty expression is never refused
    table_.setFilterPredicate(std::move(keep));
    filterDescription = description;
    filterByCode = true;
    table_.setFiltered(true);
    showFilterChange();
}

void TfDbForm::removeFilter() {
    table_.setFiltered(false);
    (void)table_.setFilterText(QString());
    table_.setFilterPredicate({});
    filterDescription.clear();
    filterByCode = false;
    showFilterChange();
}

void TfDbForm::showFilterChange() {
    table_.first();
    if (auto* browser = qobject_cast<TfBrowse*>(ownerBrowser.data()))
        browser->filterChanged();
}

QList<QAction*> TfDbForm::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out;
    auto add = [&](const QString& text, std::function<void()> run) {
        auto* a = new QAction(text, parent);
        if (run)
            connect(a, &QAction::triggered, this, run);
        else
            a->setEnabled(false); // comes with the spreadsheet exchange
        out << a;
        return a;
    };
    add(QStringLiteral("&Hľadaj"), [browser] { browser->commandFindText(); });
    add(QStringLiteral("&Nastav pohľad"), [browser] { browser->commandSetView(); });
    add(QStringLiteral("&Počet záznamov"), [this, browser] {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Počet záznamov : %1.").arg(table_.recordCount()),
                   NoticeKind::Information, browser);
    });
    add(QStringLiteral("&Export pre Excel"), [this, browser] { RunExport(*this, browser); });
    add(QStringLiteral("&Import z Excelu"), [this, browser] { RunSpreadsheetImport(*this, browser); });
    add(QStringLiteral("Hromadné &dosadenie"), [this, browser] {
        ownerBrowser = browser;
        RunBulkSet(*this, browser);
    });
    add(QStringLiteral("&Obnov"), [browser] { browser->RefreshStep(); });
    return out;
}

QList<QAction*> TfDbForm::filterCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out;
    auto add = [&](const char* text, const char* hint, std::function<void()> run) {
        auto* a = new QAction(QString::fromUtf8(text), parent);
        a->setStatusTip(QString::fromUtf8(hint));
        a->setToolTip(QString::fromUtf8(hint));
        connect(a, &QAction::triggered, this, [this, browser, run] {
            ownerBrowser = browser;
            run();
        });
        out << a;
    };
    add("&Výber z existujúcich", "Výber jedného z existujúcich filtrov",
        [this, browser] { PickSavedFilter(*this, browser); });
    add("&Nový filter", "Vytavorenie nového filtra", [this, browser] { NewFilter(*this, browser); });
    add("&Zruš filter", "Zruší aktuálne nastavený filter", [this, browser] {
        removeFilter();
        if (browser)
            browser->UpdateButtons();
    });
    add("&Filtrovací reťazec", "Zobrazí aktuálne nastavený filtrovací reťazec",
        [this, browser] { ShowFilterText(*this, browser); });
    return out;
}

void TfDbForm::PopupOtherMenu(const QPoint& globalPos, TfBrowse* browser) {
    ownerBrowser = browser;
    QMenu menu(browser);
    menu.addActions(otherCommands(browser, &menu));
    RouteMenuLetters(&menu);
    menu.exec(globalPos);
}

void TfDbForm::PopupFilterMenu(const QPoint& globalPos, TfBrowse* browser) {
    ownerBrowser = browser;
    QMenu menu(browser);
    const QList<QAction*> items = filterCommands(browser, &menu);
    for (int i = 0; i < items.size(); ++i) {
        if (i == 2 || i == 3)
            menu.addSeparator();
        menu.addAction(items[i]);
    }
    RouteMenuLetters(&menu);
    menu.exec(globalPos);
}

void TfDbForm::PopupKeyboardMenu(const QPoint& globalPos, TfBrowse* browser) {
    ownerBrowser = browser;
    QMenu menu(browser);
    menu.addActions(otherCommands(browser, &menu));
    menu.addSeparator();
    QMenu* filters = menu.addMenu(QStringLiteral("&Filter"));
    const QList<QAction*> items = filterCommands(browser, filters);
    for (int i = 0; i < items.size(); ++i) {
        if (i == 2 || i == 3)
            filters->addSeparator();
        filters->addAction(items[i]);
    }
    RouteMenuLetters(filters);
    RouteMenuLetters(&menu);
    menu.exec(globalPos);
}

bool TfDbForm::PrintList(TfBrowse* browser, const QString& extraHeading) {
    ReportWriter& w = app().reports;
    return RunReport(
        w,
        [&](ReportWriter& writer, const QString& fileName) {
            if (!fileName.isEmpty()) {
                // The screen takes a fresh definition of the list.
                DefineList();
                list.finish();
            }
            QStringList heading = list.printHeading;
            if (!extraHeading.isEmpty())
                heading << extraHeading;
            const ReportSettings& s = writer.settings();
            return writer.ReportDataSet(table_, list.printFields, heading, list.printTitles, s.left,
                                        s.top, s.right, s.bottom, fileName);
        },
        browser);
}

bool LookupFields(AppContext& app, int moduleNumber, const QString& orderFields,
                  const QVariantList& keys, const QStringList& fields, QStringList& values) {
    values.clear();
    RecordModule* m = ModuleInfoFor(moduleNumber) ? app.registry.module(moduleNumber) : nullptr;
    if (!m || !m->OpenTable())
        return false;
    return LookupFieldsIn(m->table(), orderFields, keys, fields, values);
}

bool LookupField(AppContext& app, int moduleNumber, const QString& orderFields,
                 const QVariantList& keys, const QString& resultField, QString& value) {
    QStringList values;
    const bool found = LookupFields(app, moduleNumber, orderFields, keys, {resultField}, values);
    value = values.value(0);
    return found;
}

} // namespace vidoraw
