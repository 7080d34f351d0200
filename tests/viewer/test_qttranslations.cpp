// Qt's Slovak texts: standard buttons and dialogs speak Slovak once they are installed, the
// standard buttons included, whose texts the Slovak file keeps under an older context.
#include "core/base/qttranslations.h"

#include "testmain.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace vidoraw;

class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsSpeakSlovak() {
        const QString file =
            QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_sk.qm");
        if (!QFile::exists(file))
            QSKIP("Qt's translations are not installed (qt6-translations-l10n)");
        QTranslator* t = InstallQtTranslations(*QCoreApplication::instance());
        QVERIFY(t);
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
        const QString cancel = box.button(QDialogButtonBox::Cancel)->text();
        const QString yes = box.button(QDialogButtonBox::Yes)->text();
        QCoreApplication::removeTranslator(t);
        delete t;
        QCOMPARE(cancel, QString("Zrušiť"));
        QCOMPARE(yes, QString("Án&o"));
        // Removed again, Qt speaks English: nothing else in this run depends on the texts.
        QDialogButtonBox english(QDialogButtonBox::Cancel);
        QCOMPARE(english.button(QDialogButtonBox::Cancel)->text(), QString("Cancel"));
    }
};

VIDORAW_TEST(QtTranslationsTest)
#include "test_qttranslations.moc"
