#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/datadir.h"
#include "core/settings.h"
#include "testmain.h"

using namespace vidoraw;

namespace {
// A value read as the given kind, as text, so that one table holds every kind.
QString ReadAs(const IniFile& ini, const QString& kind, const QString& section,
               const QString& key) {
    if (kind == QLatin1String("int")) return QString::number(ini.readInteger(section, key));
    if (kind == QLatin1String("bool"))
        return ini.readBool(section, key) ? QStringLiteral("true") : QStringLiteral("false");
    if (kind == QLatin1String("color")) {
        const QColor c = ini.readColor(section, key);
        return c.isValid()
                   ? QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue())
                   : QStringLiteral("invalid");
    }
    return ini.readString(section, key);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString Home() {
    return QDir::homePath();
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString path(const char* file) const { return dir->path() + QLatin1Char('/') + file; }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        SetSettingsDirectory(dir->path());
    }
    void cleanup() {
        SetSettingsDirectory(QString());
        dir.reset();
    }

    void defaultsOfMissingFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        const QString main = QStringLiteral("VIDORAW.INI");
        auto row = [](const char* name, const QString& file, const char* section, const char* key,
                      const char* kind, const QString& expected) {
            QTest::newRow(name) << file << QString::fromUtf8(section) << QString::fromUtf8(key)
                                << QString::fromUtf8(kind) << expected;
        };
        row("browser left not set", main, "POLOHA", "LEFT5", "int", "-1");
        row("browser top not set", main, "POLOHA", "TOP56", "int", "-1");
        row("browser width", main, "POLOHA", "WIDTH17", "int", "608");
        row("browser height", main, "POLOHA", "HEIGHT1", "int", "317");
        row("browser order", main, "POLOHA", "INDEX5", "int", "0");
        row("voucher list left", main, "POLOHA", "LEFT_POUKAZY", "int", "-1");
        row("voucher list width", main, "POLOHA", "WIDTH_POUKAZY", "int", "632");
        row("voucher list height", main, "POLOHA", "HEIGHT_POUKAZY", "int", "400");
        row("odd row background", main, "BROWSE", "PODKLAD1", "color", "rgb(255,255,255)");
        row("even row text", main, "BROWSE", "PISMO2", "color", "rgb(0,0,0)");
        row("colour scheme", main, "BROWSE", "INDEX", "int", "8");
        row("normal field", main, "PRVKY", "FARBAOK", "color", "rgb(255,255,255)");
        row("current field", main, "PRVKY", "FARBAAKTU", "color", "rgb(255,255,196)");
        row("incorrect field", main, "PRVKY", "FARBANOOK", "color", "rgb(255,160,160)");
        row("archive directory", main, "CESTY", "ADRARCH", "string", Home() + "/ARCH/");
        row("rtf editor", main, "CESTY", "RTFEDITOR", "string", "");
        row("receipt directory", main, "CESTY", "DATA", "string", PreferredDataDirectory());
        row("envelope printer", main, "CESTY", "TLACIAREN", "string", "1");
        row("drive A", main, "MECHANIKY", "A", "string", Home() + "/A/");
        row("drive B", main, "MECHANIKY", "B", "string", Home() + "/B/");
        row("new version path", main, "NOVAVER", "CESTA", "string", Home() + "/");
        row("new version kind", main, "NOVAVER", "CO", "int", "1");
        row("import path", main, "IMPORT", "CESTA2", "string", Home() + "/");
        row("import source", main, "IMPORT", "CO1", "int", "1");
        row("export invoice", main, "EXPORT", "CISFAK", "string", "");
        row("export first row", main, "EXPEXC", "RIADOKOD", "string", "2");
        row("export first column", main, "EXPEXC", "STLPECOD", "int", "0");
        row("import workbook", main, "IMPEXC", "MENOSUB", "string", Home() + "/UDAJE.xlsx");
        row("import sheet", main, "IMPEXC", "MENOLIST", "string", "List1");
        row("import last row", main, "IMPEXC", "RIADOKDO", "string", "2");
        row("import numbering", main, "IMPEXC", "AUTOINC", "string", "A");
        row("company memo font", main, "VIDORAWFIRMA", "MENOFONT", "string", "MS Sans Serif");
        row("person memo height", main, "VIDORAWOSOBA", "HEIGHT", "int", "8");
        row("person memo colour", main, "VIDORAWOSOBA", "COLOR", "color", "rgb(0,0,0)");
        row("company memo bold", main, "VIDORAWFIRMA", "BOLD", "bool", "false");
        row("company memo strikeout", main, "VIDORAWFIRMA", "STRIKEOUT", "bool", "false");
        row("DOS data", main, "CESTADOS", "CESTA", "string", Home() + "/VIDORA/");
        row("income receipt twice", "VIDORAW", "PPD", "DVAKRAT", "bool", "true");
        row("expense receipt approver", "VIDORAW", "VPD", "SCHVALIL", "string", "");
        row("search text", "HLADANIE.INI", "HLADANIE", "RETAZEC", "string", "ret");
        row("search case", "HLADANIE.INI", "HLADANIE", "MALEVELKE", "bool", "false");
        row("search diacritics", "HLADANIE.INI", "HLADANIE", "DIAKRITIKA", "bool", "false");
        row("names without regard to case", "vidoraw.ini", "poloha", "width5", "int", "608");
    }
    void defaultsOfMissingFile() {
        QFETCH(QString, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        IniFile ini(file);
        QCOMPARE(ReadAs(ini, kind, section, key), expected);
        QVERIFY(!ini.contains(section, key));
        QVERIFY2(!QFile::exists(ini.filePath()), "reading must not create the file");
    }

    // The pattern keys must not swallow neighbours, and defaults belong to one file only.
    void defaultLookup_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("known");
        QTest::newRow("numbered left") << "VIDORAW.INI"
                                       << "POLOHA"
                                       << "LEFT123" << true;
        QTest::newRow("left without number") << "VIDORAW.INI"
                                             << "POLOHA"
                                             << "LEFT" << false;
        QTest::newRow("left with letters") << "VIDORAW.INI"
                                           << "POLOHA"
                                           << "LEFT5X" << false;
        QTest::newRow("order without number") << "VIDORAW.INI"
                                              << "POLOHA"
                                              << "INDEX" << false;
        QTest::newRow("scheme is not numbered") << "VIDORAW.INI"
                                                << "BROWSE"
                                                << "INDEX5" << false;
        QTest::newRow("import path without kind") << "VIDORAW.INI"
                                                  << "IMPORT"
                                                  << "CESTA" << false;
        QTest::newRow("unknown font section") << "VIDORAW.INI"
                                              << "VIDORAWX"
                                              << "HEIGHT" << false;
        QTest::newRow("search key in main file") << "VIDORAW.INI"
                                                 << "HLADANIE"
                                                 << "RETAZEC" << false;
        QTest::newRow("receipt key in main file") << "VIDORAW.INI"
                                                  << "PPD"
                                                  << "DVAKRAT" << false;
        QTest::newRow("main key in receipt file") << "VIDORAW"
                                                  << "CESTY"
                                                  << "ADRARCH" << false;
        QTest::newRow("other file") << "ZORODE.KFG"
                                    << "POLOHA"
                                    << "LEFT5" << false;
    }
    void defaultLookup() {
        QFETCH(QString, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(bool, known);
        QCOMPARE(SettingDefault(file, section, key).has_value(), known);
    }

    void firstWriteCreatesFile() {
        const QString nested = dir->path() + QStringLiteral("/not/yet/there");
        SetSettingsDirectory(nested);
        IniFile ini(QStringLiteral("VIDORAW.INI"));
        QCOMPARE(ini.filePath(), nested + QStringLiteral("/VIDORAW.INI"));
        QCOMPARE(ini.readInteger("POLOHA", "WIDTH5"), 608);
        QVERIFY(!QFile::exists(ini.filePath()));
        QVERIFY(ini.writeInteger("POLOHA", "WIDTH5", 700));
        QVERIFY(QFile::exists(ini.filePath()));
        QCOMPARE(ini.readInteger("POLOHA", "WIDTH5"), 700);
        // Keys not written still read their defaults from the existing file.
        QCOMPARE(ini.readInteger("POLOHA", "HEIGHT5"), 317);
    }

    void fileNames() {
        QCOMPARE(IniFile("vidoraw.ini").filePath(), path("VIDORAW.INI"));
        QCOMPARE(IniFile("Vidoraw").filePath(), path("VIDORAW"));
        QCOMPARE(IniFile("hladanie.ini").filePath(), path("HLADANIE.INI"));
        QCOMPARE(IniFile("zorode.kfg").filePath(), path("ZORODE.KFG"));
        // Bare names only: a directory part never leads out of the settings directory.
        QCOMPARE(IniFile("../elsewhere/X.INI").filePath(), path("X.INI"));
    }

    void stringRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line"); // as it must stand in the file
        QTest::newRow("windows path") << "C:\\ARCH\\" << QByteArray("K=C:\\ARCH\\");
        QTest::newRow("linux path")
            << "/home/eva/Dáta s medzerou/" << QByteArray("K=/home/eva/D\xC3\xA1ta s medzerou/");
        QTest::newRow("empty") << "" << QByteArray("K=");
        QTest::newRow("separators") << "a,b;c=d" << QByteArray("K=a,b;c=d");
        QTest::newRow("at sign") << "@Invalid()" << QByteArray("K=@Invalid()");
        QTest::newRow("percent and hash") << "100% #1" << QByteArray("K=100% #1");
        QTest::newRow("slovak") << "Ľubomír Šťastný" << QString("K=Ľubomír Šťastný").toUtf8();
        QTest::newRow("blanks kept") << "  x  " << QByteArray("K=\"  x  \"");
        QTest::newRow("own quotes kept") << "\"x\"" << QByteArray("K=\"\"x\"\"");
    }
    void stringRoundTrip() {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        {
            IniFile ini("VIDORAW.INI");
            QVERIFY(ini.writeString("CESTY", "K", value));
        }
        const QList<QByteArray> lines = ReadFile(path("VIDORAW.INI")).split('\n');
        QVERIFY2(lines.contains(line), ReadFile(path("VIDORAW.INI")).constData());
        QVERIFY(lines.contains("[CESTY]"));
        // Read back as another program would find it: from the bytes on disk.
        const QByteArray bytes = ReadFile(path("VIDORAW.INI"));
        QVERIFY(QFile::remove(path("VIDORAW.INI")));
        SetSettingsDirectory(dir->path() + "/copy");
        QVERIFY(QDir().mkpath(dir->path() + "/copy"));
        QVERIFY(WriteFile(dir->path() + "/copy/VIDORAW.INI", bytes));
        QCOMPARE(IniFile("VIDORAW.INI").readString("CESTY", "K"), value);
    }

    void typedRoundTrip() {
        {
            IniFile ini("VIDORAW.INI");
            QVERIFY(ini.writeInteger("POLOHA", "LEFT5", -1));
            QVERIFY(ini.writeInteger("POLOHA", "TOP5", 2147483647));
            QVERIFY(ini.writeInteger("POLOHA", "WIDTH5", -2147483647 - 1));
            QVERIFY(ini.writeBool("VIDORAWFIRMA", "BOLD", true));
            QVERIFY(ini.writeBool("VIDORAWFIRMA", "ITALIC", false));
            QVERIFY(ini.writeColor("PRVKY", "FARBAAKTU", QColor(1, 2, 3)));
        }
        const QList<QByteArray> lines = ReadFile(path("VIDORAW.INI")).split('\n');
        QVERIFY(lines.contains("LEFT5=-1"));
        QVERIFY(lines.contains("BOLD=1"));
        QVERIFY(lines.contains("ITALIC=0"));
        QVERIFY(lines.contains("FARBAAKTU=197121")); // 0x030201: red in the lowest byte

        IniFile ini("VIDORAW.INI");
        QCOMPARE(ini.readInteger("POLOHA", "LEFT5"), -1);
        QCOMPARE(ini.readInteger("POLOHA", "TOP5"), 2147483647);
        QCOMPARE(ini.readInteger("POLOHA", "WIDTH5"), -2147483647 - 1);
        QCOMPARE(ini.readBool("VIDORAWFIRMA", "BOLD"), true);
        QCOMPARE(ini.readBool("VIDORAWFIRMA", "ITALIC"), false);
        QCOMPARE(ini.readColor("PRVKY", "FARBAAKTU"), QColor(1, 2, 3));
    }

    void colourNumbers_data() {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("number");
        QTest::newRow("white") << QColor(255, 255, 255) << 0xFFFFFF;
        QTest::newRow("current field") << QColor(255, 255, 196) << 0xC4FFFF;
        QTest::newRow("incorrect field") << QColor(255, 160, 160) << 0xA0A0FF;
        QTest::newRow("pure red") << QColor(255, 0, 0) << 0x0000FF;
        QTest::newRow("pure blue") << QColor(0, 0, 255) << 0xFF0000;
    }
    void colourNumbers() {
        QFETCH(QColor, color);
        QFETCH(int, number);
        QCOMPARE(ColorToNumber(color), number);
        QCOMPARE(NumberToColor(number), color);
    }

    // Files written by hand or by the old system.
    void handWrittenFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "VIDORAW.INI" << QByteArray("[POLOHA]\nINDEX5=3\n") << "POLOHA"
                               << "INDEX5"
                               << "int"
                               << "3";
        QTest::newRow("no final newline")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nINDEX5=3") << "POLOHA"
            << "INDEX5"
            << "int"
            << "3";
        QTest::newRow("crlf, bom, blanks")
            << "VIDORAW.INI" << QByteArray("\xEF\xBB\xBF[ POLOHA ]\r\n  INDEX5 = 3 \r\n")
            << "POLOHA"
            << "INDEX5"
            << "int"
            << "3";
        QTest::newRow("other case")
            << "VIDORAW.INI" << QByteArray("[poloha]\nindex5=3\n") << "POLOHA"
            << "INDEX5"
            << "int"
            << "3";
        QTest::newRow("first of duplicates")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nINDEX5=3\nindex5=4\n") << "POLOHA"
            << "INDEX5"
            << "int"
            << "3";
        QTest::newRow("same key other section")
            << "VIDORAW.INI" << QByteArray("[BROWSE]\nINDEX5=3\n") << "POLOHA"
            << "INDEX5"
            << "int"
            << "0";
        QTest::newRow("comment") << "VIDORAW.INI" << QByteArray("[POLOHA]\n;INDEX5=3\n") << "POLOHA"
                                 << "INDEX5"
                                 << "int"
                                 << "0";
        QTest::newRow("not a number")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nWIDTH5=abc\n") << "POLOHA"
            << "WIDTH5"
            << "int"
            << "608";
        QTest::newRow("number with blank inside")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nWIDTH5=6 08\n") << "POLOHA"
            << "WIDTH5"
            << "int"
            << "608";
        QTest::newRow("number too large")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nWIDTH5=99999999999\n") << "POLOHA"
            << "WIDTH5"
            << "int"
            << "608";
        QTest::newRow("empty number")
            << "VIDORAW.INI" << QByteArray("[POLOHA]\nWIDTH5=\n") << "POLOHA"
            << "WIDTH5"
            << "int"
            << "608";
        QTest::newRow("bool as number") << "VIDORAW" << QByteArray("[PPD]\nDVAKRAT=0\n") << "PPD"
                                        << "DVAKRAT"
                                        << "bool"
                                        << "false";
        QTest::newRow("bool not a number")
            << "VIDORAW" << QByteArray("[PPD]\nDVAKRAT=nie\n") << "PPD"
            << "DVAKRAT"
            << "bool"
            << "true";
        QTest::newRow("quoted value")
            << "VIDORAW.INI" << QByteArray("[CESTY]\nADRARCH=\"C:\\ARCH\\ \"\n") << "CESTY"
            << "ADRARCH"
            << "string"
            << "C:\\ARCH\\ ";
        QTest::newRow("value with equals sign")
            << "VIDORAW.INI" << QByteArray("[EXPORT]\nCISFAK=a=b\n") << "EXPORT"
            << "CISFAK"
            << "string"
            << "a=b";
        QTest::newRow("code page 1250 from the old system")
            << "VIDORAW" << QByteArray("[PPD]\nVYHOTOVIL=\xBCubo \x8A\x9D\n") << "PPD"
            << "VYHOTOVIL"
            << "string"
            << "Ľubo Šť";
        QTest::newRow("system colour number")
            << "VIDORAW.INI" << QByteArray("[PRVKY]\nFARBAOK=-2147483643\n") << "PRVKY"
            << "FARBAOK"
            << "color"
            << "rgb(255,255,255)";
        QTest::newRow("colour above 24 bits")
            << "VIDORAW.INI" << QByteArray("[PRVKY]\nFARBAOK=16777216\n") << "PRVKY"
            << "FARBAOK"
            << "color"
            << "rgb(255,255,255)";
        QTest::newRow("garbage lines")
            << "VIDORAW.INI" << QByteArray("junk\n=x\n[\n\x01\xFF\n[POLOHA\nINDEX5=3\n") << "POLOHA"
            << "INDEX5"
            << "int"
            << "3";
    }
    void handWrittenFile() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        QVERIFY(WriteFile(dir->path() + QLatin1Char('/') + IniFile(file).bareName(), content));
        QCOMPARE(ReadAs(IniFile(file), kind, section, key), expected);
    }

    // Writing into a hand-written file keeps its spelling and everything else in it.
    void writeKeepsTheRest() {
        QVERIFY(WriteFile(path("VIDORAW.INI"), "[poloha]\nindex5=3\nTOP5=7\n[OTHER]\nX=y\n"));
        IniFile ini("VIDORAW.INI");
        QVERIFY(ini.writeInteger("POLOHA", "INDEX5", 4));
        const QByteArray text = ReadFile(path("VIDORAW.INI"));
        const QList<QByteArray> lines = text.split('\n');
        QVERIFY2(lines.contains("index5=4"), text.constData());
        QVERIFY2(!text.contains("INDEX5"), text.constData());
        QVERIFY(lines.contains("TOP5=7"));
        QVERIFY(lines.contains("[OTHER]"));
        QVERIFY(lines.contains("X=y"));
        QCOMPARE(ini.readInteger("POLOHA", "INDEX5"), 4);
        QVERIFY(ini.removeKey("Poloha", "Index5"));
        QCOMPARE(ini.readInteger("POLOHA", "INDEX5"), 0);
        QVERIFY(!ReadFile(path("VIDORAW.INI")).contains("index5"));
    }

    // Source choices outside 1..3 read as 1.
    void sourceChoiceRange_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        for (const char* k : {"IMPORT/CO2", "IMPORT/CO335", "NOVAVER/CO"}) {
            const QStringList sk = QString::fromLatin1(k).split('/');
            const std::pair<const char*, int> cases[] = {{"1", 1}, {"2", 2},  {"3", 3}, {"0", 1},
                                                         {"4", 1}, {"-1", 1}, {"x", 1}};
            for (auto [stored, expected] : cases) {
                QTest::addRow("%s=%s", k, stored)
                    << sk[0] << sk[1] << QByteArray(stored) << expected;
            }
        }
    }
    void sourceChoiceRange() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        QVERIFY(WriteFile(path("VIDORAW.INI"),
                          "[" + section.toLatin1() + "]\n" + key.toLatin1() + "=" + stored + "\n"));
        QCOMPARE(IniFile("VIDORAW.INI").readInteger(section, key), expected);
    }

    void explicitFallback() {
        IniFile ini("VIDORAW.INI");
        QCOMPARE(ini.readString("NIC", "NIC", "x"), QStringLiteral("x"));
        QCOMPARE(ini.readInteger("POLOHA", "WIDTH5", 5), 5); // the caller's fallback wins
        QVERIFY(ini.writeString("POLOHA", "WIDTH5", "abc"));
        QCOMPARE(ini.readInteger("POLOHA", "WIDTH5", 5), 5);
        QCOMPARE(ini.readString("POLOHA", "WIDTH5", "x"), QStringLiteral("abc"));
    }

    void settingsDirectoryChoice() {
        const QByteArray saved = qgetenv("VIDORAW_CONFIG");
        const bool hadEnv = qEnvironmentVariableIsSet("VIDORAW_CONFIG");
        auto restore = qScopeGuard([&] {
            if (hadEnv)
                qputenv("VIDORAW_CONFIG", saved);
            else
                qunsetenv("VIDORAW_CONFIG");
        });
        SetSettingsDirectory(QString());
        qunsetenv("VIDORAW_CONFIG");
        QCOMPARE(SettingsDirectory(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     "/vidoraw/");
        qputenv("VIDORAW_CONFIG", QFile::encodeName(dir->path() + "/env"));
        QCOMPARE(SettingsDirectory(), dir->path() + "/env/");
        QCOMPARE(IniFile("VIDORAW.INI").filePath(), dir->path() + "/env/VIDORAW.INI");
        SetSettingsDirectory(dir->path() + "/set/");
        QCOMPARE(SettingsDirectory(), dir->path() + "/set/");
        SetSettingsDirectory(QString());
        QCOMPARE(SettingsDirectory(), dir->path() + "/env/");
    }

    void dataDirectoryChoice() {
        const QByteArray saved = qgetenv("VIDORAW_DATA");
        const bool hadEnv = qEnvironmentVariableIsSet("VIDORAW_DATA");
        auto restore = qScopeGuard([&] {
            if (hadEnv)
                qputenv("VIDORAW_DATA", saved);
            else
                qunsetenv("VIDORAW_DATA");
        });
        const QString wanted = dir->path() + "/data/a";
        qputenv("VIDORAW_DATA", QFile::encodeName(wanted + "/../a"));
        bool ok = false;
        QCOMPARE(ChooseDataDirectory(&ok), wanted + "/");
        QVERIFY(ok);
        QVERIFY(QFileInfo(wanted).isDir());

        // An impossible directory is still named, with the failure told.
        QVERIFY(WriteFile(dir->path() + "/file", "x"));
        qputenv("VIDORAW_DATA", QFile::encodeName(dir->path() + "/file/sub"));
        QCOMPARE(ChooseDataDirectory(&ok), dir->path() + "/file/sub/");
        QVERIFY(!ok);

        // Without the variable: the program's directory, which is writable for the tests.
        qunsetenv("VIDORAW_DATA");
        QCOMPARE(PreferredDataDirectory(), QCoreApplication::applicationDirPath() + "/");
        QCOMPARE(IniFile("VIDORAW.INI").readString("CESTY", "DATA"), PreferredDataDirectory());
    }
};

VIDORAW_TEST(TestSettings)
#include "test_settings.moc"
