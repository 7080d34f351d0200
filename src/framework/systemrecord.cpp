#include "framework/systemrecord.h"

#include "core/interaction.h"
#include "framework/tfdbform.h"

namespace vidoraw {

Table* SystemTable(AppContext& app) {
    RecordModule* m = app.registry.module(module::kSystem);
    if (!m || !m->OpenTable())
        return nullptr;
    m->table().first();
    return &m->table();
}

QString SystemField(AppContext& app, const QString& field) {
    Table* t = SystemTable(app);
    return t && t->hasField(field) && !t->eof() ? t->field(field).asString() : QString();
}

bool SystemFlag(AppContext& app, const QString& field) {
    return SystemField(app, field) == QLatin1String("A");
}

bool WriteSystemFields(AppContext& app, const QList<std::pair<QString, QVariant>>& values,
                       QWidget* owner) {
    Table* t = SystemTable(app);
    if (!t)
        return false;
    WriteLock lock(*t->database());
    bool ok = lock.ok() && t->edit();
    for (const auto& [field, value] : values)
        ok = ok && t->field(field).setValue(value);
    ok = ok && t->post() && lock.commit();
    if (!ok) {
        t->cancel();
        ShowNotice(QStringLiteral("Chyba!"), TfDbForm::saveErrorText(), NoticeKind::Error, owner);
    }
    return ok;
}

} // namespace vidoraw
