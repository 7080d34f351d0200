#include "shop/okubpm.h"

#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "framework/tfdbform.h"
#include "shop/obpd.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

TfOkubpm::TfOkubpm(AppContext& app, qint64 clientCode, QWidget* parent)
    : ClientRecordsDialog(app, clientCode, module::kObp, QStringLiteral("Okuliare bez pokuazu"),
                          BirthNumber::Last, parent) {
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
    outer()->addLayout(buttons);
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
