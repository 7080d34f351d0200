#include "framework/nastavd.h"

#include "core/interaction.h"
#include "framework/filterd.h"
#include "framework/tfbrowse.h"

#include <QAction>
#include <QLineEdit>

namespace vidoraw {

TfNastavd::TfNastavd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eTabulka = rows().addRow(QStringLiteral("Tabuľka :"), 20);
    eFilter = rows().addRow(QStringLiteral("Filter :"), 254, 60);
    ePopis = rows().addRow(QStringLiteral("Popis :"), 50);
    finishLayout();
    bind(eTabulka, QStringLiteral("TABULKA"));
    bind(eFilter, QStringLiteral("FILTER"));
    bind(ePopis, QStringLiteral("POPIS"));
    lockKeyAndExpression();
    DefineList();
}

TableSchema TfNastavd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0}, {"TABULKA", 'A', 20}, {"POPIS", 'A', 50}, {"FILTER", 'A', 254}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("TABULKA", {"TABULKA"}),
                 IndexDef::Secondary("POPIS", {"POPIS"})};
    return s;
}

void TfNastavd::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "TABULKA", "POPIS"};
    list.orderTitles = {"Kód", "Tabuľka", "Popis"};
    list.printFields = {"KOD", "TABULKA", "POPIS", "FILTER"};
    list.printTitles = {"Kód", "Tabuľka", "Popis", "Filter"};
    list.listTitle = QStringLiteral("Zoznam existujúcich filtrov");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfNastavd::lockKeyAndExpression() {
    eTabulka->setReadOnly(true);
    eFilter->setReadOnly(true);
}

int TfNastavd::AddRecord() {
    ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Pridávanie záznamov tu nie je možné."),
               NoticeKind::Information, ownerBrowser);
    return 0;
}

int TfNastavd::openBuilder(bool replace) {
    auto* builder = dynamic_cast<TfFilterd*>(app().registry.module(module::kFilter));
    if (!builder || !builder->OpenTable() || !OpenTable() || IsTableEmpty(table_))
        return 0;
    // The table of field types stays as the filter menu set it.
    builder->setUp(table_.field(QStringLiteral("TABULKA")).asString(), builder->typeTable,
                   table_.field(QStringLiteral("POPIS")).asString(),
                   table_.field(QStringLiteral("FILTER")).asString(),
                   replace ? TfFilterd::SaveMode::Edit : TfFilterd::SaveMode::Add,
                   table_.field(QStringLiteral("KOD")).asInteger());
    return builder->showBuilder(ownerBrowser) == QDialog::Accepted ? 1 : 0;
}

int TfNastavd::EditRecord() { return openBuilder(true); }

int TfNastavd::CopyRecord() { return openBuilder(false); }

int TfNastavd::ShowRecord() {
    const int r = TfDbForm::ShowRecord();
    lockKeyAndExpression();
    return r;
}

int TfNastavd::copyThroughForm() {
    centreOver(ownerBrowser);
    // The base copy makes every bound box editable and starts in the list key's box.
    const int r = TfDbForm::CopyRecord();
    lockKeyAndExpression();
    return r;
}

QList<QAction*> TfNastavd::otherCommands(TfBrowse* browser, QObject* parent) {
    auto* copy = new QAction(QStringLiteral("Kópia cez formulár"), parent);
    const QString hint = QStringLiteral("Vytvorí kópiu filtra cez formulár");
    copy->setStatusTip(hint);
    copy->setToolTip(hint);
    connect(copy, &QAction::triggered, this, [this, browser] {
        ownerBrowser = browser;
        if (IsTableEmpty(table_))
            return;
        copyThroughForm();
        if (browser)
            browser->RefreshStep();
    });
    return QList<QAction*>{copy} + TfDbForm::otherCommands(browser, parent);
}

} // namespace vidoraw
