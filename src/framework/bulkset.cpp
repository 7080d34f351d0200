#include "framework/bulkset.h"

#include "core/interaction.h"
#include "framework/tfbrowse.h"
#include "framework/tfdbform.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <optional>

namespace vidoraw {

int RandomChoice(AppContext& app, int n) {
    app.randomSeed = app.randomSeed * 134775813u + 1u; // wraps modulo 2^32
    return int((quint64(quint32(n)) * app.randomSeed) >> 32);
}

TfBulkSet::TfBulkSet(TfDbForm& form, QWidget* parent) : TfMojForm(form.app(), parent), form_(form) {
    setWindowTitle(QStringLiteral("Hromadné dosadenie"));
    cbJednoznacne = new QCheckBox(QStringLiteral(" Jednoznačne "), this);
    cbJednoznacne->setChecked(true);
    rows().addRow(QString(), cbJednoznacne);
    eMeno = rows().addRow(QStringLiteral("Meno poľa:"), 0, 20);
    eHodnota = rows().addRow(QStringLiteral("Hodnota poľa:"), 0, 30);
    cbNahodne = new QCheckBox(QStringLiteral(" Náhodne  "), this);
    rows().addRow(QString(), cbNahodne);
    eMenoNahodne = rows().addRow(QStringLiteral("Meno poľa:"), 0, 20);
    mHodnoty = new QPlainTextEdit(this);
    mHodnoty->setTabChangesFocus(true);
    mHodnoty->setMinimumHeight(90);
    rows().addRow(QStringLiteral("Hodnoty:"), mHodnoty);
    cbPodmienka = new QCheckBox(QStringLiteral("Iba pre nasledovnú hodnotu poľa: "), this);
    ePodmienka = rows().newEdit(0, 30);
    ePodmienka->setVisible(false);
    auto* condition = new QWidget(this);
    auto* line = new QHBoxLayout(condition);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(cbPodmienka);
    line->addWidget(ePodmienka, 1);
    rows().addWide(condition);
    bVykonaj = new QPushButton(QStringLiteral("&Vykonaj dosadenie"), this);
    bVykonaj->setAutoDefault(false);
    rows().addRow(QString(), bVykonaj);
    pbPriebeh = new QProgressBar(this);
    lPriebeh = new QLabel(this);
    pbPriebeh->setVisible(false);
    lPriebeh->setVisible(false);
    rows().addWide(pbPriebeh);
    rows().addWide(lPriebeh);
    finishLayout();
    bbOk->hide();

    // The two modes exclude each other; both may be off.
    connect(cbJednoznacne, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            cbNahodne->setChecked(false);
    });
    connect(cbNahodne, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            cbJednoznacne->setChecked(false);
    });
    connect(cbPodmienka, &QCheckBox::toggled, ePodmienka, &QWidget::setVisible);
    connect(bVykonaj, &QPushButton::clicked, this, [this] { execute(); });
}

void TfBulkSet::showProgress(int processed, int count, int set) {
    pbPriebeh->setValue(processed);
    lPriebeh->setText(QStringLiteral("%1 / %2 Dosadené: %3").arg(processed).arg(count).arg(set));
}

int TfBulkSet::execute() {
    const bool exact = cbJednoznacne->isChecked();
    if (!exact && !cbNahodne->isChecked()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Zaškrtnite jedno zo zaškrtávacích polí, aby bolo jasné, ktorý "
                                  "spôsob dosadenia treba vykonať!"),
                   NoticeKind::Information, this);
        return 0;
    }
    if (!form_.OpenTable())
        return 0;
    Table& list = form_.table();
    const QString field = (exact ? eMeno : eMenoNahodne)->text().trimmed();
    if (!list.hasField(field) || list.fieldIndex(field) >= list.tableFieldCount()) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Tabuľka %1 nemá pole \"%2\"!").arg(list.tableName(), field),
                   NoticeKind::Error, this);
        return 0;
    }
    QStringList candidates = mHodnoty->toPlainText().split(QLatin1Char('\n'));
    while (!candidates.isEmpty() && candidates.last().isEmpty())
        candidates.removeLast();
    if (!exact && candidates.isEmpty()) {
        ShowNotice(QStringLiteral("Chyba"),
                   QStringLiteral("Zadajte hodnoty, z ktorých sa má náhodne vyberať!"),
                   NoticeKind::Error, this);
        return 0;
    }
    if (AskConfirm(QStringLiteral("Mám naozaj vykonať hromadné dosadenie hodnôt?"), this) != 1)
        return 0;

    // The records to change are taken first: setting a field of the list's order or filter
    // moves records within the list or out of it, so walking it while changing would skip
    // some and repeat others.
    const int count = list.recordCount();
    pbPriebeh->setRange(0, std::max(count, 1));
    pbPriebeh->setVisible(true);
    lPriebeh->setVisible(true);
    showProgress(0, count, 0);
    const bool conditional = cbPodmienka->isChecked();
    const QString condition = ePodmienka->text();
    struct Target {
        qint64 row;
        int position;
    };
    std::vector<Target> targets;
    int position = 0;
    for (list.first(); !list.eof(); list.next()) {
        ++position;
        if (!conditional || list.field(field).asString() == condition)
            targets.push_back({list.bookmark(), position});
    }

    // Changed by key on a cursor of its own, in one transaction: all or nothing.
    Table work(list.database(), list.tableName());
    if (!work.open()) {
        ShowNotice(QStringLiteral("Chyba!"), work.lastError(), NoticeKind::Error, this);
        return 0;
    }
    std::optional<WriteLock> lock;
    for (lock.emplace(*list.database()); !lock->ok(); lock.emplace(*list.database()))
        ShowNotice(QStringLiteral("Chyba!"),
                   QStringLiteral("Vyskytla sa chyba pri pokuse zamknúť vetu. Pravdepodobne je "
                                  "tabuľka používaná iným užívateľom. Po zatvorení okna sa "
                                  "pokúsim znova!"),
                   NoticeKind::Error, this);
    const quint32 seedBefore = app().randomSeed;
    int set = 0;
    QString failure;
    for (const Target& target : targets) {
        const QString value =
            exact ? eHodnota->text() : candidates[RandomChoice(app(), int(candidates.size()))];
        if (!work.gotoBookmark(target.row) || !work.edit() ||
            !work.field(field).setAsString(value) || !work.post()) {
            failure = work.lastError();
            work.cancel();
            break;
        }
        ++set;
        if (set % 200 == 0)
            showProgress(target.position, count, set);
    }
    if (failure.isEmpty() && !lock->commit())
        failure = lock->error();
    if (!failure.isEmpty()) {
        lock.reset(); // rolls every change of this run back
        app().randomSeed = seedBefore;
        set = 0;
    }
    lock.reset();
    list.refresh();
    list.first();
    if (auto* browser = qobject_cast<TfBrowse*>(form_.ownerBrowser.data()))
        browser->RefreshStep();
    pbPriebeh->setVisible(false);
    lPriebeh->setVisible(false);
    if (!failure.isEmpty()) {
        ShowNotice(QStringLiteral("Chyba!"),
                   QStringLiteral("Hromadné dosadenie sa nepodarilo, nezmenili sme žiadny "
                                  "záznam. ") +
                       failure,
                   NoticeKind::Error, this);
        return 0;
    }
    showProgress(count, count, set);
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Hromadné dosadenie je ukončené! Dosadili sme hodnotu pre: %1 "
                              "záznamov!")
                   .arg(set),
               NoticeKind::Information, this);
    return set;
}

void RunBulkSet(TfDbForm& form, TfBrowse* browser) {
    form.ownerBrowser = browser;
    TfBulkSet dialog(form, browser ? static_cast<QWidget*>(browser) : form.app().mainWindow);
    dialog.centreOver(browser ? static_cast<QWidget*>(browser) : form.app().mainWindow);
    dialog.showModal();
    if (browser)
        browser->RefreshStep();
}

} // namespace vidoraw
