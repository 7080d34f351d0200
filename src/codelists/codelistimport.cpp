#include "codelists/codelistimport.h"

#include "codelists/importfile.h"
#include "codelists/importsourcef.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/modulenumbers.h"
#include "core/recordmodule.h"
#include "framework/appcontext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QStatusTipEvent>

#include <functional>

namespace vidoraw {

namespace {

struct CodeList {
    int module;
    const char* keyField;
    const char* name; // as the questions name it
};
const CodeList kDiagnoses{module::kDg, "KODD", "diagnóz"};
const CodeList kAids{module::kOptpom, "KODPOM", "optických pomôcok"};

QString KeyField(const CodeList& l) { return QString::fromLatin1(l.keyField); }

void Notice(const QString& text, QWidget* owner, NoticeKind kind = NoticeKind::Information) {
    ShowNotice(QStringLiteral("Oznam"), text, kind, owner);
}

// The progress stands in the main window's hint line, which shows the status texts.
void Progress(AppContext& app, const QString& text, int step) {
    if (!app.mainWindow)
        return;
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(app.mainWindow, &tip);
    if (step % 100 == 0)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The list's table, made when missing; null (with a notice) when it cannot be opened.
Table* ListTable(AppContext& app, const CodeList& list, QWidget* owner) {
    RecordModule* m = app.registry.EnsureModule(list.module);
    if (m && m->OpenTable())
        return &m->table();
    ShowNotice(QStringLiteral("Chyba"), QStringLiteral("Číselník %1 sa nedá otvoriť.")
                                            .arg(QString::fromUtf8(list.name)),
               NoticeKind::Error, owner);
    return nullptr;
}

// The questions before overwriting: false stops the import; empty says whether to empty it.
bool AskOverwrite(const CodeList& list, bool& empty, QWidget* owner) {
    const QString name = QString::fromUtf8(list.name);
    if (AskConfirm(QStringLiteral(" Pri tejto operácii dôjde k prepísaniu číselníka ") + name +
                       QStringLiteral(". Odporúčame preto najprv vykonať archiváciu údajov. Mám "
                                      "pokračovať?"),
                   owner) != 1)
        return false;
    empty = AskConfirm(QStringLiteral(" Mám najpr vymazať obsah číselníka ") + name +
                           QStringLiteral("? "),
                       owner) == 1 &&
            AskConfirm(QStringLiteral(" Mám naozaj vymazať obsah číselníka ") + name +
                           QStringLiteral("? "),
                       owner) == 1;
    return true;
}

void ShowProblem(const ImportProblem& p, QWidget* owner) {
    ShowNotice(p.title, p.text,
               p.title == QLatin1String("Chyba") ? NoticeKind::Error : NoticeKind::Information,
               owner);
}

// Writes the records of a file: found keys are overwritten, missing ones added with the next
// KOD (or skipped, for prices). Progress: prefix + the line's index from 0 + "/" + lines - 1.
bool StoreRecords(AppContext& app, Table& t, const QString& keyField, const ImportData& data,
                  bool addMissing, const QString& prefix, int& stored, ImportProblem& problem) {
    auto failed = [&](const ImportRecord& r) {
        problem = {QStringLiteral("Chyba"),
                   QStringLiteral("Súbor %1, riadok %2: %3 Číselník ostal bez zmeny.")
                       .arg(QFileInfo(data.path).fileName())
                       .arg(r.line)
                       .arg(t.lastError())};
        t.cancel();
        return false;
    };
    if (!t.setOrder(keyField)) {
        problem = {QStringLiteral("Chyba"), t.lastError()};
        return false;
    }
    for (const ImportRecord& r : data.records) {
        if (t.findKey({r.key})) {
            if (!t.edit())
                return failed(r);
        } else if (addMissing) {
            const qint64 code = LastValue(t, QStringLiteral("KOD"), QStringLiteral("KOD")) + 1;
            if (!t.append() || !t.field(QStringLiteral("KOD")).setValue(code) ||
                !t.field(keyField).setValue(r.key))
                return failed(r);
        } else {
            continue;
        }
        for (const auto& [name, value] : r.values)
            if (!t.field(name).setValue(value))
                return failed(r);
        if (!t.post())
            return failed(r);
        ++stored;
        Progress(app, prefix + QString::number(r.line - 1) + QLatin1Char('/') +
                          QString::number(data.lineCount - 1),
                 stored);
    }
    return true;
}

// Empties (when asked and nobody else works) and loads the list as one change. load answers
// false with the problem; the list then stays as it was.
bool LoadList(AppContext& app, Table& list, bool empty, QWidget* owner,
              const std::function<bool(Table&, ImportProblem&)>& before,
              const std::function<bool(Table&, ImportProblem&)>& load) {
    Database& db = *app.db;
    bool exclusive = false;
    if (empty) {
        exclusive = db.tryExclusive();
        if (!exclusive) {
            Notice(QStringLiteral("Pre vymazanie tabuľky je potrebný exkluzívny-výhradný prístup "
                                  "k tabuľke. Všetci ostatní užívatelia musia ukončiť program."),
                   owner);
            empty = false;
        }
    }
    Table t(&db, list.tableName());
    ImportProblem problem;
    bool ok = t.open();
    if (!ok)
        problem = {QStringLiteral("Chyba"), t.lastError()};
    WriteLock lock(db);
    if (ok && !lock.ok()) {
        ok = false;
        problem = {QStringLiteral("Chyba"), lock.error()};
    }
    if (ok && before)
        ok = before(t, problem);
    QString error;
    if (ok && empty) {
        ok = db.emptyTable(list.tableName(), &error);
        if (!ok)
            problem = {QStringLiteral("Chyba"), error};
        t.refresh();
    }
    ok = ok && load(t, problem);
    if (ok && !lock.commit()) {
        ok = false;
        problem = {QStringLiteral("Chyba"), lock.error()};
    }
    if (!ok)
        lock.rollback();
    if (exclusive)
        db.releaseExclusive();
    list.refresh();
    if (!ok)
        ShowProblem(problem, owner);
    return ok;
}

// Reads a published file of the folder; false (with the notice shown) when it is refused,
// and with an empty path when there is none.
bool ReadPublished(const QString& directory, const QString& kind, Table& t, ImportData& data,
                   QWidget* owner) {
    data = ImportData();
    const QString path = FindPublishedFile(directory, kind);
    if (path.isEmpty())
        return false;
    ImportProblem problem;
    if (!ReadPublishedFile(path, kind, t.fieldDefs(), data, problem)) {
        ShowProblem(problem, owner);
        data.records.clear();
        data.path = path; // refused, not missing
        return false;
    }
    return true;
}

QString AidsWithoutRate(Table& t) {
    QStringList codes;
    const int key = t.fieldIndex(QStringLiteral("KODPOM"));
    const int rate = t.fieldIndex(QStringLiteral("DPH"));
    t.scanFields(QStringLiteral("KODPOM"), {}, {QStringLiteral("KODPOM"), QStringLiteral("DPH")},
                 [&](qint64, const QVector<QVariant>& row) {
                     if (row[rate].isNull())
                         codes << row[key].toString();
                     return true;
                 });
    if (codes.isEmpty())
        return QString();
    const int total = int(codes.size());
    constexpr int kShown = 30;
    if (total > kShown) {
        codes = codes.mid(0, kShown);
        codes << QStringLiteral("...");
    }
    return QStringLiteral("\nBez sadzby DPH ostali pomôcky (%1): %2. Na poukaze sa nedajú "
                          "rozdeliť podľa DPH.")
        .arg(total)
        .arg(codes.join(QStringLiteral(", ")));
}

void ImportCsv(AppContext& app, const CodeList& list, const QString& fileName,
               const QString& directory, QWidget* owner) {
    const QString path = FindFileAnyCase(directory, fileName);
    if (path.isEmpty()) {
        Notice(QStringLiteral("Vo vami nastavenom adresári sa nenachádza súbor %1. Nie je možné "
                              "pokračovať.")
                   .arg(fileName.toUpper()),
               owner);
        return;
    }
    Table* table = ListTable(app, list, owner);
    if (!table)
        return;
    ImportData data;
    ImportProblem problem;
    if (!ReadCodeListCsv(path, KeyField(list), table->fieldDefs(), data, problem)) {
        ShowProblem(problem, owner);
        return;
    }
    bool empty = false;
    if (!AskOverwrite(list, empty, owner))
        return;
    int stored = 0;
    if (!LoadList(app, *table, empty, owner, {}, [&](Table& t, ImportProblem& p) {
            return StoreRecords(app, t, KeyField(list), data, true, QStringLiteral(" Import: "),
                                stored, p);
        }))
        return;
    Notice(QStringLiteral("Import číselníka %1 ukončený. Naimportovali sme: %2 záznamov!")
               .arg(QString::fromUtf8(list.name))
               .arg(stored),
           owner);
}

template <class Import> void RunAfterSource(AppContext& app, int kind, QWidget* owner, Import run) {
    QString directory;
    if (ChooseImportSource(app, kind, owner, directory))
        run(app, directory, owner);
}

} // namespace

void ImportDiagnoses(AppContext& app, const QString& directory, QWidget* owner) {
    Table* table = ListTable(app, kDiagnoses, owner);
    if (!table)
        return;
    ImportData data;
    if (!ReadPublished(directory, QStringLiteral("228"), *table, data, owner))
        return;
    bool empty = false;
    if (!AskOverwrite(kDiagnoses, empty, owner))
        return;
    int stored = 0;
    if (!LoadList(app, *table, empty, owner, {}, [&](Table& t, ImportProblem& p) {
            return StoreRecords(app, t, KeyField(kDiagnoses), data, true,
                                QStringLiteral(" Stav: "), stored, p);
        }))
        return;
    QString text = QStringLiteral("Import diagnóz ukončený!");
    if (data.cutKeys > 0) {
        const int size = table->fieldDefs().value(table->fieldIndex(KeyField(kDiagnoses))).size;
        text += QStringLiteral("\nKódov skrátených na %1 znaky: %2.").arg(size).arg(data.cutKeys);
    }
    Notice(text, owner);
}

void ImportOpticalAids(AppContext& app, const QString& directory, QWidget* owner) {
    Table* table = ListTable(app, kAids, owner);
    if (!table)
        return;
    ImportData aids;
    ImportData prices;
    if (!ReadPublished(directory, QStringLiteral("268"), *table, aids, owner))
        return;
    const bool withPrices = ReadPublished(directory, QStringLiteral("335"), *table, prices, owner);
    if (!withPrices && !prices.path.isEmpty())
        return; // a price file that was refused: nothing changes
    bool empty = false;
    if (!AskOverwrite(kAids, empty, owner))
        return;
    // The VAT rates are the shop's own, not the insurers': an emptied list gets them back.
    QHash<QString, QVariant> rates;
    auto keepRates = [&](Table& t, ImportProblem&) {
        const int key = t.fieldIndex(QStringLiteral("KODPOM"));
        const int rate = t.fieldIndex(QStringLiteral("DPH"));
        t.scanFields(QStringLiteral("KODPOM"), {},
                     {QStringLiteral("KODPOM"), QStringLiteral("DPH")},
                     [&](qint64, const QVector<QVariant>& row) {
                         if (!row[rate].isNull())
                             rates.insert(row[key].toString(), row[rate]);
                         return true;
                     });
        if (empty)
            for (ImportRecord& r : aids.records)
                if (rates.contains(r.key.toString()))
                    r.values.append({QStringLiteral("DPH"), rates.value(r.key.toString())});
        return true;
    };
    int stored = 0;
    int priced = 0;
    if (!LoadList(app, *table, empty, owner, keepRates, [&](Table& t, ImportProblem& p) {
            return StoreRecords(app, t, KeyField(kAids), aids, true, QStringLiteral(" Stav: "),
                                stored, p) &&
                   (!withPrices || StoreRecords(app, t, KeyField(kAids), prices, false,
                                                QStringLiteral(" Stav: "), priced, p));
        }))
        return;
    Notice(QStringLiteral("Import optických pomôcok ukončený!") + AidsWithoutRate(*table), owner);
    if (withPrices)
        Notice(QStringLiteral("Import cien optických pomôcok ukončený!"), owner);
}

void ImportDiagnosesCsv(AppContext& app, const QString& directory, QWidget* owner) {
    ImportCsv(app, kDiagnoses, QStringLiteral("dg.csv"), directory, owner);
}

void ImportOpticalAidsCsv(AppContext& app, const QString& directory, QWidget* owner) {
    ImportCsv(app, kAids, QStringLiteral("optpom.csv"), directory, owner);
}

void RunDiagnosisImport(AppContext& app, QWidget* owner) {
    RunAfterSource(app, 1, owner, ImportDiagnoses);
}
void RunOpticalAidImport(AppContext& app, QWidget* owner) {
    RunAfterSource(app, 2, owner, ImportOpticalAids);
}
void RunDiagnosisCsvImport(AppContext& app, QWidget* owner) {
    RunAfterSource(app, 1, owner, ImportDiagnosesCsv);
}
void RunOpticalAidCsvImport(AppContext& app, QWidget* owner) {
    RunAfterSource(app, 2, owner, ImportOpticalAidsCsv);
}

} // namespace vidoraw
