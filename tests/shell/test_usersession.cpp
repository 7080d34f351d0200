// The program as a user drives it: real windows and modal loops, everything from the keyboard.
#include "codelists/codelists.h"
#include "codelists/osobad.h"
#include "core/settings.h"
#include "reports/format/reportformat.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/systemd.h"
#include "testmain.h"
#include "ui/qtinteraction.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

using namespace vidoraw;

namespace {

// Types into whatever window has the keyboard, one step at a time, as the event loop allows.
class Robot : public QObject {
public:
    using Step = std::function<void()>;
    void then(Step s) { steps_.push_back(std::move(s)); }
    void keys(const QString& text) {
        then([text] {
            for (QChar c : text)
                QTest::keyClick(target(), c.toLatin1() ? c.toLatin1() : '?', Qt::NoModifier, 0);
        });
    }
    void typeText(const QString& text) {
        then([text] {
            for (QChar c : text)
                QTest::sendKeyEvent(QTest::Click, target(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        });
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        then([k, m] { QTest::keyClick(target(), k, m); });
    }
    void shot(const QString& name) {
        then([name] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                w = QApplication::activeWindow();
            if (w && !qEnvironmentVariableIsEmpty("VIDORAW_SHOTS"))
                w->grab().save(QDir(qEnvironmentVariable("VIDORAW_SHOTS")).filePath(name + ".png"));
        });
    }
    // Waits until the window with this caption has the keyboard (a list, a form, a question).
    void expect(const QString& caption) {
        then([this, caption] {
            QWidget* m = QApplication::activeModalWidget();
            const QString now = m ? m->windowTitle() : QString();
            if (now != caption) {
                if (++waits_ > 100) {
                    failed = QStringLiteral("waited for \"%1\", found \"%2\"").arg(caption, now);
                    steps_.clear();
                    return;
                }
                expect(caption);
                steps_.push_front(std::move(steps_.back()));
                steps_.pop_back();
                return;
            }
            waits_ = 0;
        });
    }
    void start() { QTimer::singleShot(50, this, [this] { next(); }); }
    QString failed;
    bool done() const { return steps_.empty(); }
    QStringList seen; // window titles the steps found

    static QWidget* target() {
        if (QWidget* p = QApplication::activePopupWidget())
            return p;
        if (QWidget* f = QApplication::focusWidget())
            return f;
        if (QWidget* m = QApplication::activeModalWidget())
            return m;
        if (QWidget* a = QApplication::activeWindow())
            return a;
        // The platform may leave no window active after a dialog closes.
        QApplication::setActiveWindow(home);
        return home;
    }
    static inline QWidget* home = nullptr;

private:
    void next() {
        if (steps_.empty())
            return;
        Step s = std::move(steps_.front());
        steps_.pop_front();
        if (QWidget* w = QApplication::activeModalWidget())
            seen << w->windowTitle();
        if (qEnvironmentVariableIsSet("VIDORAW_ROBOT_TRACE"))
            qInfo() << "step" << steps_.size() << "modal" << (QApplication::activeModalWidget() ? QApplication::activeModalWidget()->windowTitle() : QString()) << "popup" << bool(QApplication::activePopupWidget()) << "focus" << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "");
        // A step may open a modal window and not return until it closes: the next step is
        // already on its way.
        QTimer::singleShot(40, this, [this] { next(); });
        s();
    }
    std::deque<Step> steps_;
    int waits_ = 0;
};

} // namespace

class TestUserSession : public QObject {
    Q_OBJECT
private slots:
    void sixCodeListsFromTheKeyboard();
};

void TestUserSession::sixCodeListsFromTheKeyboard() {
    QTemporaryDir data, config;
    SetSettingsDirectory(config.path());
    QtInteraction windows;
    Interaction* previous = InstallInteraction(&windows);
    {
        AppContext app;
        RegisterShellModules(app);
        RegisterCodeListModules(app);
        Program program(app);
        QString error;
        QVERIFY2(program.create(data.path(), &error), qPrintable(error));
        TfHlavny& main = *program.mainWindow();
        // Screen reports go to the report file; the viewer is not started.
        const QString report = app.reports.ReportFileName();
        QFile::remove(report);
        app.reports.setViewerProgram(QCoreApplication::applicationFilePath());
        app.reports.setLauncher([](const QString&, const QStringList&) { return true; });
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        program.runStartSequence();

        Robot r;
        Robot::home = &main;
        // A click on the menu item; the menu letters are used further down.
        auto openList = [&](const QString& item, const QString& list) {
            r.then([&main, item] {
                QTimer::singleShot(0, &main, [&main, item] {
                    main.command(QStringLiteral("Číselníky/") + item)->trigger();
                });
            });
            r.expect(list);
        };
        // Each list: open it from the menu, F2, type the fields (Enter moves on), Ctrl+End
        // saves, Escape closes the list.
        struct Entry {
            const char* item;
            const char* list;
            const char* form;
            QStringList fields;
        };
        const Entry entries[] = {
            {"Tit&ul", "Zoznam titulov", "Titul", {"Ing."}},
            {"&Dodávacie pošty", "Zoznam dodávacích pôšt", "Dodávacia pošta", {"94901", "Nitra 1"}},
            {"Ok&resy", "Zoznam okresov", "Okres", {"Nový okres"}},
            {"Š&táty", "Zoznam štátov", "Štát", {"cz", "Česká republika"}},
            {"O&bce", "Zoznam obcí", "Obec", {"Nitra", "94901", "Nitra"}},
            {"O&soby", "Zoznam osôb", "Osoba", {"Ing.", "Ján", "Novák"}},
        };
        for (const Entry& e : entries) {
            const QString list = QString::fromUtf8(e.list);
            openList(QString::fromUtf8(e.item), list);
            r.key(Qt::Key_F2);
            r.expect(QString::fromUtf8(e.form));
            for (int i = 0; i < e.fields.size(); ++i) {
                if (i > 0)
                    r.key(Qt::Key_Return);
                r.typeText(e.fields[i]);
            }
            if (QByteArray(e.form) == "Osoba") {
                r.then([] {
                    // Straight to the postal code box, as a click would.
                    if (auto* form = qobject_cast<TfOsobad*>(QApplication::activeModalWidget()))
                        form->ePsc->setFocus();
                });
                r.typeText("94901");
            }
            r.shot(QString::fromUtf8(e.form));
            r.key(Qt::Key_End, Qt::ControlModifier);
            r.expect(list);
            r.shot(list);
            r.key(Qt::Key_Escape);
            r.expect(QString());
        }
        // The post offices once more, by the menu's letters: Alt+N, then D (shared with the
        // code list of diagnoses, which the program cannot open yet). Two more rows, then
        // the list ordered by the post office's name (F3, Down, Enter) and printed to the
        // screen (F10, Enter).
        const QString posts = QStringLiteral("Zoznam dodávacích pôšt");
        r.key(Qt::Key_N, Qt::AltModifier);
        r.keys("d");
        r.expect(posts);
        for (const auto& [code, name] : {std::pair{"01001", "Žilina 1"}, {"04001", "Košice 1"}}) {
            r.key(Qt::Key_F2);
            r.expect(QStringLiteral("Dodávacia pošta"));
            r.typeText(QString::fromLatin1(code));
            r.key(Qt::Key_Return);
            r.typeText(QString::fromUtf8(name));
            r.key(Qt::Key_End, Qt::ControlModifier);
            r.expect(posts);
        }
        r.key(Qt::Key_F3);
        r.expect(QStringLiteral("Voľba indexu"));
        r.shot("volba-indexu");
        r.key(Qt::Key_Down);
        r.key(Qt::Key_Return);
        r.expect(posts);
        r.key(Qt::Key_F10);
        r.expect(QStringLiteral("Voľba zariadenia"));
        r.key(Qt::Key_Return);
        r.expect(posts);
        r.key(Qt::Key_Escape);
        r.expect(QString());
        // Close with the question, answered with the key A.
        r.then([&main] { QTimer::singleShot(0, &main, [&main] { main.close(); }); });
        r.expect(QStringLiteral("P O T V R D E N I E"));
        r.shot("otazka");
        r.keys("a");
        r.start();
        QTRY_VERIFY_WITH_TIMEOUT(r.done(), 60000);
        QVERIFY2(r.failed.isEmpty(), qPrintable(r.failed));
        QTRY_VERIFY(!main.isVisible());

        auto count = [&](const char* file) {
            Table t(program.database(), QString::fromLatin1(file));
            return t.open() ? t.recordCount() : -1;
        };
        QCOMPARE(count("TITUL.DB"), 1);
        QCOMPARE(count("PSC.DB"), 3);
        QCOMPARE(count("OKRES.DB"), 81);
        QCOMPARE(count("STAT.DB"), 2);
        QCOMPARE(count("OBCE.DB"), 1);
        QCOMPARE(count("OSOBA.DB"), 1);
        QCOMPARE(SystemField(app, "STAV"), QString("A"));
        Table stat(program.database(), "STAT.DB");
        QVERIFY(stat.open() && FindByKey(stat, "SKRATKA", "CZ"));

        // The printed list follows the order chosen: by name, not by postal code.
        ReportDocument doc;
        QVERIFY2(LoadReport(report, doc, &error), qPrintable(error));
        const QStringList posted{"Nitra 1", "Žilina 1", "Košice 1"};
        QStringList names;
        for (const ReportPage& page : doc.pages)
            for (const ReportObject& o : page.objects)
                if (posted.contains(o.text))
                    names << o.text;
        QCOMPARE(names, QStringList({"Košice 1", "Nitra 1", "Žilina 1"}));
    }
    InstallInteraction(previous);
    SetSettingsDirectory(QString());
}

VIDORAW_TEST(TestUserSession)
#include "test_usersession.moc"
