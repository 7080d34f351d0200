// The list window over 200 000 voucher-like rows: open, scroll, reorder and search, as a
// user would, each timed beside the raw queries that fetch the same rows on the same database.
//   bench_browse [rows] [data directory]   (a directory with DATABAZA.INI: on that server)
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
#include <functional>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

using namespace vidoraw;

namespace {

class TfPoukazyd : public TfDbForm {
public:
    static constexpr int kNumber = module::kPoukazv;
    explicit TfPoukazyd(AppContext& app) : TfDbForm(app, kNumber) { DefineList(); }
    static TableSchema Schema() {
        TableSchema s;
        s.fields = {{"KOD", 'N', 0},   {"PRIEZVISKO", 'A', 30}, {"MENO", 'A', 15},
                    {"RODCIS", 'A', 11}, {"DATUM", 'D', 0},      {"SUMAPOI", 'F', 0}};
        s.indexes = {IndexDef::Primary({"KOD"}),
                     IndexDef::Secondary("Priezvisko", {"PRIEZVISKO"}, true),
                     IndexDef::Secondary("Rodcis", {"RODCIS"})};
        return s;
    }
    void DefineList() override {
        list.clear();
        list.orderFields = {"KOD", "PRIEZVISKO", "RODCIS"};
        list.orderTitles = {"Kód", "Priezvisko", "Rodné číslo"};
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
            t.field("PRIEZVISKO").setAsString(names[int(rng() % names.size())] +
                                              QString::number(rng() % 20000));
            t.field("MENO").setAsString("Ján");
            t.field("RODCIS").setAsString(QString::number(5000000000LL + qint64(rng() % 999999999)));
            t.field("DATUM").setAsDays(39000 + rng() % 3000);
            t.field("SUMAPOI").setValue(double(rng() % 100000) / 100.0);
            written = t.post();
        }
        if (!written || !lock.commit()) {
            std::fprintf(stderr, "%s %s\n", qPrintable(t.lastError()), qPrintable(lock.error()));
            return 1;
        }
    }
    // A database at rest: the server's autovacuum has visited the new rows (as it does a
    // minute after a bulk load), SQLite has its statistics.
    std::unique_ptr<RawDb> raw = MakeRawDb(*db);
    raw->exec(db->backend().idWindow() > 0 ? "VACUUM ANALYZE" : "ANALYZE");
    double firstOpen = 0, open = 0, scroll = 0, reorder = 0, search = 0, searchMax = 0, searchPainted = 0;
    {
        // The program's main window is up before any list opens: fonts and style are loaded.
        QStandardItemModel few(3, 3);
        QTableView warm;
        warm.setModel(&few);
        warm.resize(900, 600);
        warm.show();
        warm.viewport()->repaint();
    }
    TfBrowse browser(app);
    browser.resize(900, 600);
    // The open time runs up to the first painted rows; the first open also meets cold caches.
    std::vector<double> opens;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        ui.queueDialog([&](QDialog& d) {
            auto& b = static_cast<TfBrowse&>(d);
            b.grid->viewport()->repaint();
            opens.push_back(Ms(t));
            b.commandBack();
        });
        browser.Browse(TfPoukazyd::kNumber, TfBrowse::DefaultButtons(), false);
        module->table().close(); // the next open reads the rows anew
    }
    firstOpen = opens.front();
    std::sort(opens.begin(), opens.end());
    open = opens[opens.size() / 2];
    ui.queueDialog([&](QDialog& d) {
        auto& b = static_cast<TfBrowse&>(d);
        QElapsedTimer s;
        s.start();
        for (int page = 0; page < 100; ++page) {
            const int row = int(qint64(page) * (b.model->rowCount() - 1) / 99);
            b.grid->scrollTo(b.model->index(row, 0));
            b.grid->viewport()->repaint();
        }
        scroll = Ms(s) / 100;
        s.restart();
        b.cbIndex->setCurrentIndex(1);
        b.selectOrder(1);
        b.grid->viewport()->repaint();
        reorder = Ms(s);
        QString typed;
        for (const char* c : {"N", "o", "v", "á", "k", "1", "2"}) {
            typed += QString::fromUtf8(c);
            s.restart();
            b.incrementalSearch(typed);
            const double ms = Ms(s);
            b.grid->viewport()->repaint();
            const double painted = Ms(s);
            search += ms / 7;
            searchMax = std::max(searchMax, ms);
            searchPainted += painted / 7;
        }
        b.commandBack();
    });
    browser.Browse(TfPoukazyd::kNumber, TfBrowse::DefaultButtons(), false);
    // The same rows without the engine: a screen of rows in the order, every id of the order,
    // a screen further down, the first row not below a typed key.
    const Backend& b = db->backend();
    const QByteArray table = b.quoteName(SqlTableName(module->table().tableName())).toUtf8();
    auto asc = [&](const QString& expr) { return b.orderTerm(expr, false).toUtf8(); };
    const QByteArray ci = b.collated(QStringLiteral("\"PRIEZVISKO\""), true).toUtf8();
    const QByteArray byCode = asc("\"KOD\"") + ", " + asc(b.rowIdColumn());
    const QByteArray byName = asc(QString::fromUtf8(ci)) + ", " + asc("\"KOD\"") + ", " + asc(b.rowIdColumn());
    const QByteArray cols = "\"KOD\", \"PRIEZVISKO\", \"MENO\", \"RODCIS\", \"DATUM\", \"SUMAPOI\"";
    const double rawOpen = MedianMs(5, [&] { raw->run("SELECT " + cols + " FROM " + table + " ORDER BY " + byCode + " LIMIT 40"); });
    const double rawCount = MedianMs(5, [&] { raw->run("SELECT count(*) FROM " + table); });
    const double rawIds = MedianMs(5, [&] { raw->run("SELECT rowid FROM " + table + " ORDER BY " + byCode); });
    int page = 0;
    const double rawScroll = MedianMs(21, [&] {
        const qint64 offset = qint64(page++ % 100) * (rows - 40) / 99;
        raw->run("SELECT " + cols + " FROM " + table + " ORDER BY " + byCode + " LIMIT 40 OFFSET " +
                 QByteArray::number(offset));
    });
    const double rawReorder = MedianMs(5, [&] { raw->run("SELECT " + cols + " FROM " + table + " ORDER BY " + byName + " LIMIT 40"); });
    const double rawSearch = MedianMs(21, [&] {
        raw->run("SELECT " + cols + " FROM " + table + " WHERE " + ci + " >= ? ORDER BY " + byName + " LIMIT 1", "Novák12", 1);
    });
    std::printf("rows: %d on %s\n", rows, qPrintable(b.databaseFile()));
    std::printf("open the list, first rows painted      %8.1f ms   (target < 100; median of 7, the first %.1f)   "
                "raw: 40 rows %.2f ms, every id %.1f ms, the count %.1f ms\n",
                open, firstOpen, rawOpen, rawIds, rawCount);
    std::printf("scroll a page (jump + repaint)         %8.2f ms   raw: 40 rows at an offset %.2f ms\n", scroll, rawScroll);
    std::printf("change the sort order + repaint        %8.1f ms   (target < 100)   raw: 40 rows by name %.2f ms\n", reorder, rawReorder);
    std::printf("search keystroke (mean / worst)        %8.2f / %.2f ms   (target < 5)   raw: %.2f ms\n", search,
                searchMax, rawSearch);
    std::printf("search keystroke with the repaint      %8.2f ms\n", searchPainted);
    return 0;
}
