// A filter built in the filter window applied to the list of 200 000 vouchers: from the
// applied expression to the list showing its first screen, beside the raw queries that find
// the same rows on the same database.
//   bench_filter [rows] [data directory]   (a directory with DATABAZA.INI: on that server)
#include "core/settings.h"
#include "framework/registermodule.h"
#include "framework/tablemodel.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"
#include "rawdb.h"
#include "ui/scriptedinteraction.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <random>

using namespace vidoraw;

namespace {

class TfPoukazyd : public TfDbForm {
public:
    static constexpr int kNumber = module::kPoukazv;
    explicit TfPoukazyd(AppContext& app) : TfDbForm(app, kNumber) { DefineList(); }
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'N', 0},  {"PRIEZVISK", 'A', 30}, {"MENO", 'A', 20},
                    {"OBEC", 'A', 30}, {"DATUMVYD", 'D', 0},  {"SUMAPOI", 'F', 0}};
        s.indexes = {IndexDef::Primary({"KOD"}),
                     IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}, true)};
        return s;
    }
    void DefineList() override {
        list.clear();
        list.orderFields = {"KOD", "PRIEZVISK"};
        list.orderTitles = {"Kód", "Priezvisko"};
        list.listTitle = "Poukazy";
        list.finish();
    }
};

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(Ms(timer));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

const QStringList kTowns{"Bratislava", "Košice", "Žilina", "Nitra", "Prešov",
                         "Trnava",     "Martin", "Poprad", "Zvolen", "Trenčín"};

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 200000;
    QTemporaryDir tmp, cfg;
    SetSettingsDirectory(cfg.path());
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    ScriptedInteraction ui;
    AppContext app;
    QString error;
    auto db = Database::open(dir, &error);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    app.db = db.get();
    app.registry.setDatabase(db.get());
    RegisterModule<TfPoukazyd>(app);
    auto* module = static_cast<TfPoukazyd*>(app.registry.module(TfPoukazyd::kNumber));
    if (!module->table().exists()) {
        Table t(db.get(), module->table().tableName());
        if (!module->CreateTable(t.tableName()) || !t.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(t.lastError()));
            return 1;
        }
        std::mt19937 rng(7);
        const QStringList names{"Novák", "Kováč", "Horváth", "Varga", "Tóth", "Čierny", "Šimko",
                                "Chovanec", "Žiak", "Ďurica"};
        WriteLock lock(*db);
        bool written = true;
        for (int i = 1; i <= rows && written; ++i) {
            if (!(written = t.append()))
                break;
            t.field("KOD").setValue(i);
            t.field("PRIEZVISK").setAsString(names[int(rng() % names.size())] +
                                             QString::number(rng() % 20000));
            t.field("MENO").setAsString("Ján");
            t.field("OBEC").setAsString(kTowns[int(rng() % kTowns.size())]);
            // Three years of issue dates from 1.1.2023.
            t.field("DATUMVYD").setAsDays(44927 + rng() % 1095);
            t.field("SUMAPOI").setValue(double(rng() % 100000) / 100.0);
            written = t.post();
        }
        if (!written || !lock.commit()) {
            std::fprintf(stderr, "%s %s\n", qPrintable(t.lastError()), qPrintable(lock.error()));
            return 1;
        }
    }
    {
        // The program's main window is up before any list opens: fonts and style are loaded.
        QStandardItemModel few(3, 3);
        QTableView warm;
        warm.setModel(&few);
        warm.resize(900, 600);
        warm.show();
        warm.viewport()->repaint();
    }
    // As the filter window writes them: one row of a municipality and a date interval, and
    // the same on the list ordered by name.
    const QString byTown =
        "((OBEC = 'Nitra'))and((DATUMVYD >= '1.1.2024') and (DATUMVYD <= '31.12.2024'))";
    const QString byName = "((PRIEZVISK >= 'Novák1') and (PRIEZVISK <= 'Novák2'))";
    double applyTown = 0, applyName = 0, removeAll = 0;
    int townRows = 0, nameRows = 0;
    TfBrowse browser(app);
    browser.resize(900, 600);
    auto timed = [&](const std::function<void()>& step, TfBrowse& b) {
        QElapsedTimer s;
        s.start();
        step();
        b.grid->viewport()->repaint();
        return Ms(s);
    };
    ui.queueDialog([&](QDialog& d) {
        auto& b = static_cast<TfBrowse&>(d);
        b.grid->viewport()->repaint();
        module->ownerBrowser = &b;
        applyTown = timed([&] { (void)module->applyFilterText(byTown, "Nitra 2024"); }, b);
        townRows = b.model->rowCount();
        removeAll = timed([&] { module->removeFilter(); }, b);
        b.cbIndex->setCurrentIndex(1);
        b.selectOrder(1);
        applyName = timed([&] { (void)module->applyFilterText(byName, "Novák1"); }, b);
        nameRows = b.model->rowCount();
        module->removeFilter();
        b.commandBack();
    });
    browser.Browse(TfPoukazyd::kNumber, TfBrowse::DefaultButtons(), false);

    // The same rows without the engine: the first screen of the filtered list, and every id
    // of it (what the list keeps to scroll through it).
    std::unique_ptr<RawDb> raw = MakeRawDb(*db);
    const Backend& be = db->backend();
    const QByteArray table = be.quoteName(SqlTableName(module->table().tableName())).toUtf8();
    auto asc = [&](const QString& expr) { return be.orderTerm(expr, false).toUtf8(); };
    const QByteArray ci = be.collated(QStringLiteral("\"PRIEZVISK\""), true).toUtf8();
    const QByteArray cs = be.collated(QStringLiteral("COALESCE(\"OBEC\",'')"), false).toUtf8();
    const QByteArray orderByCode = asc("\"KOD\"") + ", " + asc(be.rowIdColumn());
    const QByteArray orderByName =
        asc(QString::fromUtf8(ci)) + ", " + asc("\"KOD\"") + ", " + asc(be.rowIdColumn());
    const QByteArray cols = "\"KOD\", \"PRIEZVISK\", \"MENO\", \"OBEC\", \"DATUMVYD\", \"SUMAPOI\"";
    const QByteArray whereTown = " WHERE " + cs +
                                 " = ? AND \"DATUMVYD\" >= '2024-01-01' AND \"DATUMVYD\" <= "
                                 "'2024-12-31'";
    const QByteArray whereName = " WHERE " + be.collated(QStringLiteral("COALESCE(\"PRIEZVISK\",'')"), false).toUtf8() +
                                 " >= ? AND " + be.collated(QStringLiteral("COALESCE(\"PRIEZVISK\",'')"), false).toUtf8() +
                                 " <= 'Novák2'";
    const double rawTownScreen = MedianMs(5, [&] {
        raw->run("SELECT " + cols + " FROM " + table + whereTown + " ORDER BY " + orderByCode +
                     " LIMIT 40",
                 "Nitra");
    });
    int rawTownRows = 0;
    const double rawTownIds = MedianMs(5, [&] {
        rawTownRows = raw->run("SELECT " + be.rowIdColumn().toUtf8() + " FROM " + table +
                                   whereTown + " ORDER BY " + orderByCode,
                               "Nitra");
    });
    int rawNameRows = 0;
    const double rawNameIds = MedianMs(5, [&] {
        rawNameRows = raw->run("SELECT " + be.rowIdColumn().toUtf8() + " FROM " + table +
                                   whereName + " ORDER BY " + orderByName,
                               "Novák1");
    });
    std::printf("rows: %d on %s\n", rows, qPrintable(be.databaseFile()));
    std::printf("filter by town and year, first screen   %8.1f ms   (target well under 1000)   "
                "%d rows; raw: first 40 %.1f ms, every id %.1f ms (%d rows)\n",
                applyTown, townRows, rawTownScreen, rawTownIds, rawTownRows);
    std::printf("filter by name on the name order         %8.1f ms   %d rows; raw: every id %.1f ms "
                "(%d rows)\n",
                applyName, nameRows, rawNameIds, rawNameRows);
    std::printf("filter removed, first screen             %8.1f ms\n", removeAll);
    return 0;
}
