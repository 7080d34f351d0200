#include "framework/filtermenu.h"

#include "core/interaction.h"
#include "framework/filterd.h"
#include "framework/filterdialogs.h"
#include "framework/filtertext.h"
#include "framework/tfbrowse.h"

namespace vidoraw {

namespace {

// The builder set up for the list of form; nullptr when the program has none.
TfFilterd* BuilderFor(TfDbForm& form) {
    auto* builder = dynamic_cast<TfFilterd*>(form.app().registry.module(module::kFilter));
    if (!builder || !builder->OpenTable() || !form.OpenTable())
        return nullptr;
    builder->setUp(form.listKey(), form.table().tableName().section(QLatin1Char('.'), 0, 0),
                   QString(), QString(), TfFilterd::SaveMode::Add);
    return builder;
}

} // namespace

void NewFilter(TfDbForm& form, TfBrowse* browser) {
    form.ownerBrowser = browser;
    TfFilterd* builder = BuilderFor(form);
    if (!builder)
        return;
    if (builder->showBuilder(browser) == QDialog::Accepted)
        form.applyFilterText(builder->expression, builder->description);
    if (browser)
        browser->UpdateButtons();
}

void PickSavedFilter(TfDbForm& form, TfBrowse* browser) {
    form.ownerBrowser = browser;
    AppContext& app = form.app();
    if (!BuilderFor(form))
        return;
    auto* saved = dynamic_cast<TfDbForm*>(app.registry.module(module::kNastav));
    if (!saved || !saved->OpenTable())
        return;
    const QString key = form.listKey();
    Table& filters = saved->table();
    filters.setFiltered(false);
    if (!filters.setFilterText(QStringLiteral("TABULKA = ") +
                               FilterValue(FilterValueKind::Text, key)))
        return;
    filters.setFiltered(true);
    filters.first();
    TfBrowse picker(app, browser ? static_cast<QWidget*>(browser) : app.mainWindow);
    picker.extraHeading = QStringLiteral("Filtre pre tabuľku : ") + key;
    if (picker.Browse(module::kNastav, TfBrowse::DefaultButtons(), true)) {
        QString expression = filters.field(QStringLiteral("FILTER")).asString();
        const QString description = filters.field(QStringLiteral("POPIS")).asString();
        const QString obec = QStringLiteral("$OBEC");
        const QString okres = QStringLiteral("$OKRES");
        if (expression.contains(obec))
            expression = ReplacePlaceholder(
                expression, obec,
                AskText(app, browser, QStringLiteral("Obec"), QStringLiteral("Obec:")));
        else if (expression.contains(okres))
            expression = ReplacePlaceholder(
                expression, okres,
                AskText(app, browser, QStringLiteral("Okres"), QStringLiteral("Okres:")));
        form.applyFilterText(expression, description);
    }
    if (browser)
        browser->UpdateButtons();
}

QString FilterStateText(TfDbForm& form) {
    const QChar q = QLatin1Char('"');
    return QStringLiteral("Reťazec: ") + q + form.table().filterText() + q +
           QStringLiteral(" Popis: ") + q + form.filterDescription + q +
           QStringLiteral(" OnFilterRecord: ") + q +
           (form.filterByCode ? QStringLiteral("=Ano") : QStringLiteral("Nie")) + q;
}

void ShowFilterText(TfDbForm& form, TfBrowse* browser) {
    ShowNotice(QStringLiteral("Oznam"), FilterStateText(form), NoticeKind::Information, browser);
}

} // namespace vidoraw
