#include "invoicing/firmad.h"

#include "codelists/keywords.h"
#include "core/interaction.h"
#include "core/values.h"
#include "framework/dependentrows.h"
#include "framework/tfbrowse.h"
#include "invoicing/bulkmail.h"
#include "invoicing/envelopes.h"
#include "invoicing/komentfd.h"
#include "invoicing/osobafp.h"
#include "invoicing/smtpsettings.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace vidoraw {

namespace {

bool OnlyCharacters(const QString& text, const QString& allowed) {
    for (QChar c : text)
        if (!allowed.contains(c)) return false;
    return true;
}

const QString kDigits = QStringLiteral("0123456789");

} // namespace

TfFirmad::TfFirmad(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód:"));
    eNazov = rows().addRow(QStringLiteral("Názov:"), 40);
    eTitul = rows().addRow(QStringLiteral("Titul:"), 10, 12);
    eMeno = rows().addRow(QStringLiteral("Meno:"), 12, 14);
    ePriezvisk = rows().addRow(QStringLiteral("Priezvisko:"), 18, 20);
    eUlica = rows().newEdit(30, 24);
    eCislo = rows().newEdit(10, 8);
    rows().addPairRow(QStringLiteral("Ulica:"), eUlica, QStringLiteral("Číslo:"), eCislo);
    eObec = rows().addRow(QStringLiteral("Obec:"), 30);
    ePsc = rows().newEdit(5, 6);
    eDodposta = rows().newEdit(35, 20);
    FormRows::makeDisplayOnly(eDodposta);
    rows().addPairRow(QStringLiteral("PSČ:"), ePsc, QStringLiteral("Dodávacia pošta:"), eDodposta);
    eStat = rows().addRow(QStringLiteral("Štát:"), 30);
    eIco = rows().addRow(QStringLiteral("IČO (F7):"), 10, 12);
    eDico = rows().addRow(QStringLiteral("DIČO:"), 20);
    eDicon = rows().addRow(QStringLiteral("DIČO (nové):"), 10, 12);
    eIcdph = rows().addRow(QStringLiteral("IČ DPH:"), 15);
    rows().newColumn();
    eTelefon = rows().addRow(QStringLiteral("Telefón:"), 30);
    eFax = rows().addRow(QStringLiteral("Fax:"), 30);
    eMobil = rows().addRow(QStringLiteral("Mobil:"), 30);
    eMail = rows().addRow(QStringLiteral("e-Mail:"), 30);
    ePlatcaDan = rows().addRow(QStringLiteral("Platca DPH:"), 1, 2);
    eJeOdb = rows().addRow(QStringLiteral("Odberateľ:"), 1, 2);
    eJeDod = rows().addRow(QStringLiteral("Dodávateľ:"), 1, 2);
    eFOsoba = rows().addRow(QStringLiteral("F. osoba:"), 1, 2);
    eCisUcet = rows().addRow(QStringLiteral("Ćíslo účtu:"), 25);
    ePoznamka1 = rows().addRow(QStringLiteral("Poznámka 1:"), 40);
    ePoznamka2 = rows().addRow(QStringLiteral("Poznámka 2:"), 40);
    ePoznamka3 = rows().addRow(QStringLiteral("Poznámka 3:"), 40);
    eClenCis = rows().addRow(QStringLiteral("Členské číslo (F7):"), 10, 12);
    bKomentar = new QPushButton(QStringLiteral("Komentár"), this);
    bKomentar->setAutoDefault(false);
    bKomentar->setEnabled(false);
    bKomentar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rows().addRow(QString(), bKomentar);
    finishLayout();

    const std::pair<QLineEdit*, const char*> bound[] = {{eNazov, "NAZOV"},
                                                        {eTitul, "TITUL"},
                                                        {eMeno, "MENO"},
                                                        {ePriezvisk, "PRIEZVISK"},
                                                        {eUlica, "ULICA"},
                                                        {eCislo, "CISLO"},
                                                        {eObec, "OBEC"},
                                                        {ePsc, "PSC"},
                                                        {eDodposta, "DODPOSTA"},
                                                        {eStat, "STAT"},
                                                        {eIco, "ICO"},
                                                        {eDico, "DICO"},
                                                        {eDicon, "DICON"},
                                                        {eIcdph, "ICDPH"},
                                                        {eTelefon, "TELEFON"},
                                                        {eFax, "FAX"},
                                                        {eMobil, "MOBIL"},
                                                        {eMail, "MAIL"},
                                                        {ePlatcaDan, "PLATCADAN"},
                                                        {eJeOdb, "JEODB"},
                                                        {eJeDod, "JEDOD"},
                                                        {eFOsoba, "FOSOBA"},
                                                        {eCisUcet, "CISUCET"},
                                                        {ePoznamka1, "POZNAMKA1"},
                                                        {ePoznamka2, "POZNAMKA2"},
                                                        {ePoznamka3, "POZNAMKA3"},
                                                        {eClenCis, "CLENCIS"}};
    for (const auto& [edit, field] : bound)
        bind(edit, QString::fromLatin1(field));
    checkedFields = {ePlatcaDan, eIco,     eDico,  eDicon, eIcdph, eJeDod,
                     eJeOdb,     eClenCis, eTitul, eStat,  eFOsoba};
    filtersAllowed = true;

    onPickKeys(ePsc, [this] {
        LookupOrPick(this->app(), module::kPsc, "PSC", "POSTA", PickMode::Pick, eDodposta, ePsc);
    });
    onPickKeys(eTitul, [this] {
        LookupOrPick(this->app(), module::kTitul, "NAZOV", "NAZOV", PickMode::Pick, eTitul, eTitul);
    });
    onPickKeys(eStat, [this] {
        LookupOrPick(this->app(), module::kStat, "NAZOV", "NAZOV", PickMode::Pick, eStat, eStat);
    });
    eIco->installEventFilter(this);
    eClenCis->installEventFilter(this);
    connect(bKomentar, &QPushButton::clicked, this,
            [this] { EditCompanyComment(this->app(), eKod->text().toLongLong(), this); });
    DefineList();
}

TableSchema TfFirmad::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'I', 0},        {"NAZOV", 'A', 40},     {"TITUL", 'A', 10},
                {"MENO", 'A', 20},      {"PRIEZVISK", 'A', 30}, {"PRIEZMENO", 'A', 62},
                {"ULICA", 'A', 30},     {"CISLO", 'A', 10},     {"OBEC", 'A', 30},
                {"DODPOSTA", 'A', 35},  {"PSC", 'A', 5},        {"STAT", 'A', 30},
                {"ICO", 'A', 10},       {"DICO", 'A', 20},      {"DICON", 'A', 15},
                {"ICDPH", 'A', 15},     {"TELEFON", 'A', 30},   {"FAX", 'A', 30},
                {"MOBIL", 'A', 30},     {"MAIL", 'A', 30},      {"PLATCADAN", 'A', 1},
                {"AJ_STRED", 'A', 1},   {"JEODB", 'A', 1},      {"JEDOD", 'A', 1},
                {"CISUCET", 'A', 25},   {"FOSOBA", 'A', 1},     {"POZNAMKA1", 'A', 40},
                {"POZNAMKA2", 'A', 40}, {"POZNAMKA3", 'A', 40}, {"ICOI", 'F', 0},
                {"KLUCIK", 'F', 0},     {"CLENCIS", 'A', 10}};
    s.indexes = {IndexDef::Primary({"KOD"}),
                 IndexDef::Secondary("Nazov", {"NAZOV"}),
                 IndexDef::Secondary("Priezvisk", {"PRIEZVISK"}),
                 IndexDef::Secondary("Ico", {"ICO"}),
                 IndexDef::Secondary("Icoi", {"ICOI"}),
                 IndexDef::Secondary("Psc", {"PSC"}),
                 IndexDef::Secondary("Priezmeno", {"PRIEZMENO"}),
                 IndexDef::Secondary("Clencis", {"CLENCIS"})};
    return s;
}

void TfFirmad::DefineList() {
    TfDbForm::DefineList();
    list.clear();
    list.orderFields = {"KOD", "NAZOV", "PRIEZVISK", "ICO", "ICOI", "PSC", "PRIEZMENO", "CLENCIS"};
    list.orderTitles = {"Kód",         "Názov", "Priezvisko majiteľa", "IČO pismenovo",
                        "IČO číselne", "PSČ",   "Priezvisko a meno",   "Členské číslo"};
    list.printFields = {"KOD", "NAZOV", "PRIEZVISK", "ULICA", "PSC", "DODPOSTA"};
    list.printTitles = {"Kód", "Názov firmy", "Priezvisko", "Ulica", "PSČ", "Dod. pošta"};
    list.listTitle = QStringLiteral("Zoznam firiem");
    list.printHeading = {list.listTitle};
    list.finish();
}

void TfFirmad::proposeNewValues() {
    for (QLineEdit* flag : {ePlatcaDan, eJeOdb, eJeDod, eFOsoba})
        flag->setText(QStringLiteral("A"));
}

int TfFirmad::EditRecord() {
    // The comments belong to a saved company: only while one is edited.
    bKomentar->setEnabled(true);
    const int r = TfDbForm::EditRecord();
    bKomentar->setEnabled(false);
    return r;
}

void TfFirmad::StoreFields() {
    TfDbForm::StoreFields();
    table_.field(QStringLiteral("PRIEZMENO"))
        .setAsString(TrimSpaces(ePriezvisk->text().trimmed() + u' ' + eMeno->text().trimmed()));
    const QString ico = eIco->text().trimmed();
    Field icoi = table_.field(QStringLiteral("ICOI"));
    if (ico.isEmpty())
        icoi.clear();
    else
        icoi.setValue(ico.toDouble());
}

bool TfFirmad::checkFlag(QLineEdit* flag) {
    QString value = trimmedText(flag);
    if (value == QLatin1String("a"))
        value = QStringLiteral("A");
    else if (value == QLatin1String("n"))
        value = QStringLiteral("N");
    flag->setText(value);
    if (value == QLatin1String("A") || value == QLatin1String("N")) return true;
    ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Prípustné hodnoty : A alebo N !"),
               NoticeKind::Information, this);
    return false;
}

bool TfFirmad::checkField(QWidget* control) {
    if (control == ePlatcaDan || control == eJeDod || control == eJeOdb || control == eFOsoba)
        return checkFlag(static_cast<QLineEdit*>(control));
    if (control == eIco) {
        const QString ico = trimmedText(eIco);
        if (ico.isEmpty()) {
            complain(QStringLiteral("IČO nemôže byť prázdne!"));
            return false;
        }
        if (!OnlyCharacters(ico, kDigits)) {
            complain(QStringLiteral("IČO môže obsahovať iba znaky 0-9!"));
            return false;
        }
        if (isDuplicate(QStringLiteral("ICO"), ico)) {
            complain(QStringLiteral("Duplicitná hodnota IČO je neprípustná!"));
            return false;
        }
        return true;
    }
    if (control == eDico) {
        if (!OnlyCharacters(trimmedText(eDico), kDigits + u'/')) {
            complain(QStringLiteral("DIČO môže obsahovať iba znaky 0-9 a znak / !"));
            return false;
        }
        return true;
    }
    if (control == eDicon) {
        if (!OnlyCharacters(trimmedText(eDicon), kDigits)) {
            complain(QStringLiteral("DIČO môže obsahovať iba znaky 0-9 !"));
            return false;
        }
        return true;
    }
    if (control == eIcdph) {
        if (!OnlyCharacters(trimmedText(eIcdph),
                            kDigits + QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"))) {
            complain(QStringLiteral("IČ DPH môže obsahovať iba znaky 0-9 a znaky A-Z !"));
            return false;
        }
        return true;
    }
    if (control == eClenCis) {
        const QString number = trimmedText(eClenCis);
        if (number.isEmpty()) return true;
        if (!OnlyCharacters(number, kDigits)) {
            complain(QStringLiteral("Neprípustný znak v člnenskom čísle!"));
            return false;
        }
        if (isDuplicate(QStringLiteral("CLENCIS"), number)) {
            complain(QStringLiteral("Duplicitné členské číslo!"));
            return false;
        }
        return true;
    }
    // Most companies have no title and many no state: an empty one needs no look-up.
    if (control == eTitul)
        return trimmedText(eTitul).isEmpty() ||
               LookupOrPick(app(), module::kTitul, "NAZOV", "NAZOV", PickMode::LookUp, eTitul,
                            eTitul);
    if (control == eStat)
        return trimmedText(eStat).isEmpty() ||
               LookupOrPick(app(), module::kStat, "NAZOV", "NAZOV", PickMode::LookUp, eStat, eStat);
    return true;
}

bool TfFirmad::CheckFields() {
    if (!TfDbForm::CheckFields()) return false;
    // A question, not a check of one field: asked on OK only.
    const QString name = TrimSpaces(trimmedText(ePriezvisk) + u' ' + trimmedText(eMeno));
    if (!name.isEmpty() && isDuplicate(QStringLiteral("PRIEZMENO"), name) &&
        AskConfirm(QStringLiteral("Duplicitné priezvisko a meno klienta - majiteľa firmy! Mám aj "
                                  "napriek tomu pokračovať?"),
                   this) != 1) {
        failField(ePriezvisk);
        return false;
    }
    return true;
}

bool TfFirmad::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == eIco || watched == eClenCis)) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_F7 && k->modifiers() == Qt::NoModifier) {
            auto* edit = static_cast<QLineEdit*>(watched);
            if (!edit->isReadOnly())
                edit->setText(watched == eIco ? NextClientIco() : NextMemberNumber());
            return true;
        }
    }
    return TfDbForm::eventFilter(watched, event);
}

QString TfFirmad::NextClientIco() {
    double highest = 0;
    if (OpenTable()) {
        const int fi = table_.fieldIndex(QStringLiteral("ICOI"));
        table_.scanOrder(QStringLiteral("ICOI"), {}, true,
                         [&](qint64, const QVector<QVariant>& row) {
                             const double icoi = row[fi].toDouble(); // a blank one reads as 0
                             if (icoi > 99999) return false;
                             highest = std::max(highest, icoi);
                             return true;
                         });
    }
    return QString::number(qint64(highest) + 1);
}

QString TfFirmad::NextMemberNumber() {
    qint64 highest = 0;
    if (OpenTable()) {
        const int fi = table_.fieldIndex(QStringLiteral("CLENCIS"));
        table_.scanOrder(QStringLiteral("KOD"), {}, true,
                         [&](qint64, const QVector<QVariant>& row) {
                             qint64 number = 0;
                             if (IntegerFromText(row[fi].toString(), number))
                                 highest = std::max(highest, number);
                             return true;
                         });
    }
    return QString::number(highest + 1);
}

qint64 TfFirmad::currentCode() {
    return table_.field(QStringLiteral("KOD")).asInteger();
}

bool TfFirmad::removeCurrentRecord() {
    removeError_.clear();
    const qint64 code = currentCode();
    // A company that gets this code later must start with nothing of this one.
    const QVariantList persons =
        ValuesWhere(app(), module::kOsobaf, QStringLiteral("KODF"), code, QStringLiteral("KOD"));
    for (const QVariant& person : persons)
        if (!DeleteRowsWhere(app(), module::kKomento, QStringLiteral("KODH"), person,
                             &removeError_))
            return false;
    if (!DeleteRowsWhere(app(), module::kOsobaf, QStringLiteral("KODF"), code, &removeError_) ||
        !DeleteRowsWhere(app(), module::kKomentf, QStringLiteral("KODH"), code, &removeError_) ||
        !DeleteRowsWhere(app(), module::kPrihesf, QStringLiteral("KODF"), code, &removeError_))
        return false;
    return table_.remove();
}

QString TfFirmad::removeErrorText() const {
    return removeError_.isEmpty() ? TfDbForm::removeErrorText() : removeError_;
}

QList<QAction*> TfFirmad::otherCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::otherCommands(browser, parent);
    auto separator = [&] {
        auto* s = new QAction(parent);
        s->setSeparator(true);
        out << s;
    };
    auto add = [&](const QString& caption, const QString& hint, std::function<void()> run) {
        auto* a = new QAction(caption, parent);
        a->setStatusTip(hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, [this, browser, run] {
            ownerBrowser = browser;
            run();
        });
        out << a;
        return a;
    };
    // Commands on the current company; nothing on an empty list.
    auto onCurrent = [this](std::function<void(qint64)> run) {
        return [this, run] {
            if (!IsTableEmpty(table_)) run(currentCode());
        };
    };
    separator();
    add(QStringLiteral("Priradené heslá"), QStringLiteral("Zoznam hesiel priradených k firme"),
        onCurrent([this, browser](qint64 code) { AssignKeywords(app(), code, browser); }));
    add(QStringLiteral("&Komentár"), QStringLiteral("Umožní editovať komentár ku firme"),
        onCurrent([this, browser](qint64 code) { EditCompanyComment(app(), code, browser); }));
    add(QStringLiteral("&Osoby"), QStringLiteral("Zoznam osôb"),
        onCurrent([this, browser](qint64 code) { ShowCompanyPersons(app(), code, browser); }));
    add(QStringLiteral("H&romadný mail"), QStringLiteral("Pošle mail všetkým"),
        [this, browser] { SendBulkMail(app(), browser); });
    add(QStringLiteral("Nas&tavenie pošty ..."),
        QStringLiteral("Server, cez ktorý odchádza hromadný mail"),
        [this, browser] { EditSmtpSettings(app(), browser); });

    auto* envelopes = new QAction(QStringLiteral("O&bálky"), parent);
    auto* menu = new QMenu(qobject_cast<QWidget*>(parent));
    envelopes->setMenu(menu);
    connect(parent, &QObject::destroyed, menu, &QObject::deleteLater);
    for (int format = 0; format < 4; ++format) {
        const QString size = EnvelopeFormatCaption(format);
        auto* one = menu->addAction(QStringLiteral("&%1 %2").arg(QChar(u'A' + format)).arg(size));
        one->setStatusTip(size + QStringLiteral(" na ležato"));
        connect(one, &QAction::triggered, this, [this, browser, format] {
            ownerBrowser = browser;
            if (!IsTableEmpty(table_)) PrintEnvelope(app(), format, browser);
        });
    }
    for (int format = 0; format < 4; ++format) {
        const QString size = EnvelopeFormatCaption(format);
        auto* all = menu->addAction(
            QStringLiteral("&%1 %2 pre všetkých").arg(QChar(u'E' + format)).arg(size));
        all->setStatusTip(size + QStringLiteral(" na ležato pre všetkých"));
        connect(all, &QAction::triggered, this, [this, browser, format] {
            ownerBrowser = browser;
            PrintEnvelopesForAll(app(), format, browser);
        });
    }
    out << envelopes;
    return out;
}

QList<QAction*> TfFirmad::filterCommands(TfBrowse* browser, QObject* parent) {
    QList<QAction*> out = TfDbForm::filterCommands(browser, parent);
    auto* separator = new QAction(parent);
    separator->setSeparator(true);
    out << separator;
    auto add = [&](const QString& caption, std::function<void()> run) {
        auto* a = new QAction(caption, parent);
        connect(a, &QAction::triggered, this, [this, browser, run] {
            ownerBrowser = browser;
            run();
        });
        out << a;
    };
    const std::pair<const char*, const char*> own[] = {{"&Klienti", "ICOI < 100000"},
                                                       {"Fi&rmy reálne", "ICOI >= 100000"},
                                                       {"&Odberatelia", "JEODB = 'A'"},
                                                       {"&Dodávatelia", "JEDOD = 'A'"}};
    for (const auto& [caption, expression] : own) {
        const QString text = QString::fromUtf8(caption);
        const QString description = QString(text).remove(u'&');
        add(text, [this, expression, description] {
            applyFilterText(QString::fromLatin1(expression), description);
        });
    }
    add(QStringLiteral("Vše&tci"), [this] { removeFilter(); });
    add(QStringLiteral("&Podľa hesla"), [this, browser] {
        QString keyword;
        if (!ChooseKeyword(app(), browser, keyword)) return;
        AppContext& context = app();
        applyFilterByCode(
            [&context, keyword](Table& t) {
                return CompanyHasKeyword(context, t.field(QStringLiteral("KOD")).asInteger(),
                                         keyword);
            },
            QStringLiteral("Pre heslo s kódom: ") + keyword);
    });
    return out;
}

} // namespace vidoraw
