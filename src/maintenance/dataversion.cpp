#include "maintenance/dataversion.h"

#include "core/base/codepage.h"
#include "core/engine/table.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/systemrecord.h"
#include "maintenance/exclusiveaccess.h"
#include "maintenance/upgradewindow.h"
#include "shell/systemd.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>

namespace vidoraw {

namespace {

enum class OpKind { Create, Restructure, ReindexOwner };

struct Op {
    OpKind kind;
    QList<int> modules;             // Create: the modules whose tables are made; else the one
    QList<FieldAddition> additions; // Restructure
};

struct Step {
    const char* version;
    const char* date; // the layout's date written with the version ("" before 1,08)
    QList<Op> ops;
};

Op Create(QList<int> modules) { return {OpKind::Create, modules, {}}; }
Op Change(int module, QList<FieldAddition> additions) {
    return {OpKind::Restructure, {module}, additions};
}
Op ReindexOwner() { return {OpKind::ReindexOwner, {module::kVlastn}, {}}; }

const QList<Step>& Steps() {
    using namespace module;
    static const QList<Step> steps = {
        {"1,01", "", {Create({kFak, kPol})}},
        {"1,02", "", {Change(kFak, {{"KDEODB,A,1", 41, "0"}, {"DOPLNOK,A,10", 42, ""}})}},
        {"1,03", "", {Create({40, 41, 42, 43, 44})}},
        {"1,04", "", {Create({kKlient, kObp})}},
        {"1,05", "", {Change(kFak, {{"INDIK,A,1", 43, ""}})}},
        {"1,06", "", {Create({kHesla, kPrihesf})}},
        {"1,07", "", {Change(kSystem, {{"PACNIE,A,1", 41, "N"}, {"RCMOD11,A,1", 42, "N"}})}},
        {"1,08", "22.11.2007",
         {Change(kVlastn, {{"POSUNXF,F,10", 41, "5"}, {"POSUNYF,F,10", 42, "5"}, {"AJSDPH,A,1", 43, "N"}}),
          ReindexOwner(), Change(kSystem, {{"DATUM,D,10", 41, ""}})}},
        {"1,09", "05.05.2008",
         {Create({kZaokruh}), Change(kVlastn, {{"KODZAOK,F,10", 100, "2"}}), ReindexOwner()}},
        {"1,10", "31.05.2008",
         {Change(kVlastn, {{"MENA,A,3", 100, "Sk"}, {"DMENA,A,3", 101, "EUR"},
                             {"KURZ,F,10", 102, "30,1234"}, {"ZOBRAZDM,A,1", 103, "N"}}),
          ReindexOwner()}},
        {"1,11", "06.06.2008",
         {Change(kPohlad, {{"ZAROVNAJ,A,1", 100, "0"}}),
          Change(kFak, {{"DMENA,A,3", 100, ""}, {"KURZ,F,10", 101, "0,0"}, {"ZOBRAZDM,A,1", 102, "N"}})}},
        {"1,12", "27.06.2008",
         {Create({kTypskl, kTypram}), Change(kObp, {{"KODS,F,10", 100, ""}, {"KODR,F,10", 101, ""}})}},
        {"1,13", "02.08.2008", {Change(kPoukazv, {{"KODS,F,10", 100, ""}, {"KODR,F,10", 101, ""}})}},
        {"1,14", "05.08.2008",
         {Create({kVekra, kKoment}), Change(kPoukazv, {{"NAZR,A,60", 100, ""}}),
          Change(kObp, {{"NAZR,A,60", 100, ""}})}},
        {"1,15", "06.08.2008",
         {Create({kTypks}), Change(kPoukazv, {{"KODKS,F,10", 100, ""}}), Change(kObp, {{"KODKS,F,10", 100, ""}})}},
    };
    return steps;
}

QString TableOf(int number) {
    const ModuleInfo* info = ModuleInfoFor(number);
    return info && info->tableFile ? QString::fromLatin1(info->tableFile) : QString();
}

double StoredVersionNumber(AppContext& app) {
    Table* t = SystemTable(app);
    return t && !t->eof() ? t->field("VERZIA").asFloat() : 0.0;
}

class Upgrade {
public:
    Upgrade(AppContext& app, TfNovaVerzia& window, const UpgradeOptions& options)
        : app_(app), window_(window), options_(options) {}

    // False with the reason when the step must be undone.
    bool runStep(const Step& step, QString* why);

private:
    void say(const QString& line, bool replaceLast = false) { window_.addLine(line, replaceLast); }
    bool create(const Step& step, int number, QString* why);

    AppContext& app_;
    TfNovaVerzia& window_;
    const UpgradeOptions& options_;
};

bool Upgrade::create(const Step& step, int number, QString* why) {
    const QString version = QString::fromLatin1(step.version);
    const QString file = TableOf(number);
    const bool v106 = version == QLatin1String("1,06");
    const bool plain = version == QLatin1String("1,03") || version == QLatin1String("1,04");
    if (app_.db->tableExists(file)) {
        say(v106 ? QStringLiteral("  Tabuľka : ") + file + QStringLiteral(" už existuje!")
                 : QStringLiteral("Tabuľka ") + file + QStringLiteral(" už existuje."));
        return true;
    }
    RecordModule* m = app_.registry.module(number);
    if (!m) {
        *why = QStringLiteral("modul tabuľky %1 nie je v programe").arg(file);
        return false;
    }
    m->table().close();
    if (!m->CreateTable(file)) {
        *why = QStringLiteral("tabuľka %1 sa nedá vytvoriť").arg(file);
        return false;
    }
    say(v106    ? QStringLiteral("  Tabuľka : ") + file + QStringLiteral(" vytvorená!")
        : plain ? QStringLiteral("Vytvoril som tabuľku ") + file
                : QStringLiteral("Vytvoril som tabuľku: ") + file + QStringLiteral(" !"));
    return true;
}

bool Upgrade::runStep(const Step& step, QString* why) {
    const QString version = QString::fromLatin1(step.version);
    const bool early = version < QLatin1String("1,10");
    say(QStringLiteral("Začiatok prevodu na verziu ") + version + (early ? QStringLiteral(".") : QString()));
    Database& db = *app_.db;
    WriteLock lock(db);
    if (!lock.ok()) {
        *why = lock.error();
        return false;
    }
    for (const Op& op : step.ops) {
        switch (op.kind) {
        case OpKind::Create:
            for (int n : op.modules)
                if (!create(step, n, why))
                    return false;
            break;
        case OpKind::Restructure: {
            const QString file = TableOf(op.modules[0]);
            if (RecordModule* m = app_.registry.module(op.modules[0]))
                m->table().close();
            say(QStringLiteral(" Prevod súboru ") + file + QStringLiteral("."));
            const RestructureResult r = RestructureTable(
                db, file, op.additions, {}, [this](const QString& l, bool r) { say(l, r); }, why);
            if (r == RestructureResult::Failed)
                return false;
            break;
        }
        case OpKind::ReindexOwner: {
            say(QStringLiteral(" Reindexovanie tabulky VLASTN.DB."));
            RecordModule* m = app_.registry.module(module::kVlastn);
            if (!m || !m->OpenTable() || !m->DefineIndexes(m->table(), why)) {
                if (why->isEmpty())
                    *why = QStringLiteral("tabuľka VLASTN.DB sa nedá otvoriť");
                return false;
            }
            m->table().close();
            break;
        }
        }
    }
    if (options_.beforeCommit && !options_.beforeCommit(version)) {
        *why = QStringLiteral("prevod bol zastavený");
        return false;
    }
    // The version reached, in the same transaction as the step's work.
    Table system(&db, TableOf(module::kSystem));
    if (!system.open() || (system.first(), system.eof()) || !system.edit()) {
        *why = system.lastError().isEmpty() ? QStringLiteral("systémový záznam chýba") : system.lastError();
        return false;
    }
    bool ok = system.field("VERZIA").setAsString(version);
    if (*step.date && system.hasField(QStringLiteral("DATUM")))
        ok = ok && system.field("DATUM").setValue(QDate::fromString(QString::fromLatin1(step.date),
                                                                    QStringLiteral("dd.MM.yyyy")));
    if (!ok || !system.post() || !lock.commit()) {
        *why = !lock.error().isEmpty() ? lock.error() : system.lastError();
        return false;
    }
    say(QStringLiteral("Prevod na verziu ") + version + QStringLiteral(" ukončený."));
    return true;
}

} // namespace

QStringList UpgradeVersions() {
    QStringList out;
    for (const Step& s : Steps())
        out << QString::fromLatin1(s.version);
    return out;
}

QString StoredDataVersion(AppContext& app) {
    return FormatDecimals(QString::number(StoredVersionNumber(app), 'f', 6), 2);
}

bool DataTooNew(AppContext& app, QWidget* owner) {
    const QString newest = UpgradeVersions().last();
    const QString stored = StoredDataVersion(app);
    if (stored == newest || StoredVersionNumber(app) < kNewestDataVersion)
        return false;
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Nesprávne číslo verzie programu! Kvôli bezpečnosti musí byť program ukončený!"),
               NoticeKind::Error, owner);
    return true;
}

UpgradeOutcome CheckDataVersion(AppContext& app, QWidget* owner, const UpgradeOptions& options) {
    const QString stored = StoredDataVersion(app);
    const QStringList versions = QStringList{QStringLiteral("1,00")} + UpgradeVersions();
    if (stored == versions.last() || !versions.contains(stored))
        return UpgradeOutcome::Current;
    ExclusiveAccess access(app, owner);
    if (!access.granted())
        return UpgradeOutcome::Failed;
    TfNovaVerzia window(app, owner);
    window.start();
    UpgradeOutcome outcome = UpgradeOutcome::Upgraded;
    // Read again under exclusive access: another workstation may have upgraded meanwhile.
    const QString now = StoredDataVersion(app);
    for (const Step& step : Steps()) {
        const QString version = QString::fromLatin1(step.version);
        if (versions.indexOf(version) <= versions.lastIndexOf(now))
            continue;
        window.showVersion(version);
        Upgrade upgrade(app, window, options);
        QString why;
        if (!upgrade.runStep(step, &why)) {
            window.addLine(QStringLiteral("Prevod na verziu %1 sa nepodaril: %2").arg(version, why));
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Prevod údajov na verziu %1 sa nepodaril: %2. Údaje zostali vo "
                                      "verzii %3; prevod sa zopakuje pri ďalšom spustení programu.")
                           .arg(version, why, StoredDataVersion(app)),
                       NoticeKind::Error, owner);
            outcome = UpgradeOutcome::Failed;
            break;
        }
    }
    access.release();
    window.finish();
    return outcome;
}

} // namespace vidoraw
