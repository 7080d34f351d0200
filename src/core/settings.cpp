#include "core/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtDebug>

#include <limits>

#include "core/datadir.h"

namespace vidoraw {

// ---------------------------------------------------------------------------------------------
// Settings directory

namespace {
QString& DirectoryOverride() {
    static QString dir;
    return dir;
}

QString WithSlash(QString dir) {
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}
} // namespace

QString SettingsDirectory() {
    if (!DirectoryOverride().isEmpty()) return WithSlash(DirectoryOverride());
    const QString env = qEnvironmentVariable("VIDORAW_CONFIG");
    if (!env.isEmpty()) return WithSlash(env);
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/vidoraw"));
}

void SetSettingsDirectory(const QString& dir) {
    DirectoryOverride() = dir;
}

// ---------------------------------------------------------------------------------------------
// Defaults

namespace {

enum class Base { None, Home, DataDir };

struct DefaultEntry {
    const char* file;     // canonical bare name
    const char* sections; // one section or alternatives separated by "|"
    const char* key;      // the key, or with `numbered` the prefix of key + decimal number
    bool numbered;
    Base base; // text below is appended to this directory (no trailing "/")
    const char* text;
    int min = 0, max = -1; // allowed integer range when min <= max; outside reads as default
};

constexpr const char* kMain = "VIDORAW.INI";
constexpr const char* kSearch = "HLADANIE.INI";
constexpr const char* kReceipt = "VIDORAW";

// Every key the program reads or writes, with its default as the file would hold it.
// Colours are 0x00BBGGRR numbers; logical values 1/0. Windows paths of the old system are
// replaced by directories under the user's home.
const DefaultEntry kDefaults[] = {
    // List browser of module n: position (-1 = not set, the window is centred), size, order.
    {kMain, "POLOHA", "LEFT", true, Base::None, "-1"},
    {kMain, "POLOHA", "TOP", true, Base::None, "-1"},
    {kMain, "POLOHA", "WIDTH", true, Base::None, "608"},
    {kMain, "POLOHA", "HEIGHT", true, Base::None, "317"},
    {kMain, "POLOHA", "INDEX", true, Base::None, "0"},
    // Voucher list window.
    {kMain, "POLOHA", "LEFT_POUKAZY", false, Base::None, "-1"},
    {kMain, "POLOHA", "TOP_POUKAZY", false, Base::None, "-1"},
    {kMain, "POLOHA", "WIDTH_POUKAZY", false, Base::None, "632"},
    {kMain, "POLOHA", "HEIGHT_POUKAZY", false, Base::None, "400"},
    // List row colours and the chosen scheme.
    {kMain, "BROWSE", "PODKLAD1", false, Base::None, "16777215"},
    {kMain, "BROWSE", "PISMO1", false, Base::None, "0"},
    {kMain, "BROWSE", "PODKLAD2", false, Base::None, "16777215"},
    {kMain, "BROWSE", "PISMO2", false, Base::None, "0"},
    {kMain, "BROWSE", "INDEX", false, Base::None, "8"},
    // Edit control backgrounds: normal, current, incorrect.
    {kMain, "PRVKY", "FARBAOK", false, Base::None, "16777215"},   // RGB(255,255,255)
    {kMain, "PRVKY", "FARBAAKTU", false, Base::None, "12910591"}, // RGB(255,255,196)
    {kMain, "PRVKY", "FARBANOOK", false, Base::None, "10526975"}, // RGB(255,160,160)
    // Paths and programs.
    {kMain, "CESTY", "ADRARCH", false, Base::Home, "/ARCH/"},
    {kMain, "CESTY", "RTFEDITOR", false, Base::None, ""}, // empty: the desktop's RTF handler
    {kMain, "CESTY", "DATA", false, Base::DataDir, ""},
    {kMain, "CESTY", "TLACIAREN", false, Base::None, "1"},
    // Directories standing for the diskette drives A: and B:.
    {kMain, "MECHANIKY", "A", false, Base::Home, "/A/"},
    {kMain, "MECHANIKY", "B", false, Base::Home, "/B/"},
    // New version install: source directory and kind (1 A:, 2 B:, 3 directory).
    {kMain, "NOVAVER", "CESTA", false, Base::Home, "/"},
    {kMain, "NOVAVER", "CO", false, Base::None, "1", 1, 3},
    // Code-list import of kind k: source directory and choice (1 A:, 2 B:, 3 directory).
    {kMain, "IMPORT", "CESTA", true, Base::Home, "/"},
    {kMain, "IMPORT", "CO", true, Base::None, "1", 1, 3},
    {kMain, "EXPORT", "CISFAK", false, Base::None, ""},
    // Spreadsheet export and import.
    {kMain, "EXPEXC", "RIADOKOD", false, Base::None, "2"},
    {kMain, "EXPEXC", "STLPECOD", false, Base::None, "0"},
    {kMain, "IMPEXC", "MENOSUB", false, Base::Home, "/UDAJE.xlsx"},
    {kMain, "IMPEXC", "MENOLIST", false, Base::None, "List1"},
    {kMain, "IMPEXC", "RIADOKOD", false, Base::None, "2"},
    {kMain, "IMPEXC", "RIADOKDO", false, Base::None, "2"},
    {kMain, "IMPEXC", "AUTOINC", false, Base::None, "A"},
    // Memo font of the company and person comment windows.
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "MENOFONT", false, Base::None, "MS Sans Serif"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "HEIGHT", false, Base::None, "8"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "COLOR", false, Base::None, "0"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "BOLD", false, Base::None, "0"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "ITALIC", false, Base::None, "0"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "UNDERLINE", false, Base::None, "0"},
    {kMain, "VIDORAWFIRMA|VIDORAWOSOBA", "STRIKEOUT", false, Base::None, "0"},
    // The mail server of bulk mail (no server: drafts); TLS 0 none, 1 STARTTLS, 2 TLS from
    // the start. The password is kept apart (secret store or a file only the user reads).
    {kMain, "SMTP", "SERVER", false, Base::None, ""},
    {kMain, "SMTP", "PORT", false, Base::None, "587", 1, 65535},
    {kMain, "SMTP", "TLS", false, Base::None, "1", 0, 2},
    {kMain, "SMTP", "UZIVATEL", false, Base::None, ""},
    {kMain, "SMTP", "ODOSIELATEL", false, Base::None, ""},
    // Directory of the earlier DOS program's data.
    {kMain, "CESTADOS", "CESTA", false, Base::Home, "/VIDORA/"},
    // Cash receipts (income, expense).
    {kReceipt, "PPD|VPD", "VYHOTOVIL", false, Base::None, ""},
    {kReceipt, "PPD|VPD", "SCHVALIL", false, Base::None, ""},
    {kReceipt, "PPD|VPD", "DVAKRAT", false, Base::None, "1"},
    // Last search in lists.
    {kSearch, "HLADANIE", "RETAZEC", false, Base::None, "ret"},
    {kSearch, "HLADANIE", "MALEVELKE", false, Base::None, "0"},
    {kSearch, "HLADANIE", "DIAKRITIKA", false, Base::None, "0"},
};

// Known files keep the spelling of the system whatever case the caller used; others keep
// their own. Directories are dropped: settings files are addressed by bare name only.
QString CanonicalName(const QString& bareName) {
    const QString name = QFileInfo(bareName).fileName();
    for (const char* known :
         {kMainSettingsFile, kSearchSettingsFile, kReceiptSettingsFile, kViewerSettingsFile}) {
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return QLatin1String(known);
    }
    return name;
}

bool SectionMatches(const char* sections, const QString& section) {
    const QStringList alternatives = QString::fromLatin1(sections).split(QLatin1Char('|'));
    for (const QString& s : alternatives)
        if (s.compare(section, Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool KeyMatches(const DefaultEntry& e, const QString& key) {
    const QLatin1String name(e.key);
    if (!e.numbered) return key.compare(name, Qt::CaseInsensitive) == 0;
    if (key.size() <= name.size() || !key.startsWith(name, Qt::CaseInsensitive)) return false;
    for (qsizetype i = name.size(); i < key.size(); ++i)
        if (key[i] < QLatin1Char('0') || key[i] > QLatin1Char('9')) return false;
    return true;
}

const DefaultEntry* FindDefault(const QString& file, const QString& section, const QString& key) {
    const QString canonical = CanonicalName(file);
    for (const DefaultEntry& e : kDefaults) {
        if (canonical == QLatin1String(e.file) && SectionMatches(e.sections, section) &&
            KeyMatches(e, key))
            return &e;
    }
    return nullptr;
}

QString DefaultText(const DefaultEntry& e) {
    const QString text = QString::fromUtf8(e.text);
    switch (e.base) {
    case Base::None:
        return text;
    case Base::Home:
        return QDir::homePath() + text;
    case Base::DataDir:
        return PreferredDataDirectory() + text;
    }
    return text;
}

// Whole decimal number as INI readers take it (surrounding blanks allowed); also "0x"/"$" hex,
// which the old files may hold.
std::optional<qint64> ParseNumber(const QString& raw) {
    QString s = raw.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.startsWith(QLatin1Char('-'));
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        s.remove(0, 2);
        base = 16;
    } else if (s.startsWith(QLatin1Char('$'))) {
        s.remove(0, 1);
        base = 16;
    }
    if (s.isEmpty()) return std::nullopt;
    for (QChar c : s) // toLongLong would accept blanks inside
        if (!(c.isDigit() || (base == 16 && QStringLiteral("abcdefABCDEF").contains(c))) ||
            c.unicode() > 127)
            return std::nullopt;
    bool ok = false;
    const qint64 v = s.toLongLong(&ok, base);
    if (!ok) return std::nullopt;
    return negative ? -v : v;
}

std::optional<int> ParseInt(const QString& raw) {
    const auto v = ParseNumber(raw);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*v);
}

// ---------------------------------------------------------------------------------------------
// Plain INI as a QSettings format: no escaping, sections and keys as written.

QString DecodeFile(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    if (!utf8.hasError()) return text;
    // Files brought over from the old system are in code page 1250.
    QStringDecoder cp1250("windows-1250");
    if (cp1250.isValid()) return cp1250(data);
    return QString::fromLatin1(data);
}

// Windows readers drop one pair of quotes around a value; the writer adds them where the
// value would otherwise lose its blanks or its own quotes.
QString UnquoteValue(const QString& v) {
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

QString QuoteValue(QString v) {
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool blanks = !v.isEmpty() && (v.front().isSpace() || v.back().isSpace());
    const bool quoted = v != UnquoteValue(v);
    return blanks || quoted ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

bool ReadPlainIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QString text = DecodeFile(device.readAll());
    QString section;
    QSet<QString> seen; // the first of keys differing only in case wins, as in Windows
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == QLatin1Char(';')) continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty()) continue;
        const QString full = section.isEmpty() ? key : section + QLatin1Char('/') + key;
        if (seen.contains(full.toLower())) continue;
        seen.insert(full.toLower());
        map.insert(full, UnquoteValue(line.mid(eq + 1).trimmed().toString()));
    }
    return true;
}

bool WritePlainIni(QIODevice& device, const QSettings::SettingsMap& map) {
    QString out;
    // Keys outside any section come first, then one block per section.
    QStringList order;
    QHash<QString, QStringList> lines;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        if (!lines.contains(section)) order.append(section);
        lines[section].append(key + QLatin1Char('=') + QuoteValue(it.value().toString()));
    }
    if (lines.contains(QString())) {
        order.removeAll(QString());
        order.prepend(QString());
    }
    bool first = true;
    for (const QString& section : order) {
        if (!section.isEmpty()) {
            if (!first) out += QLatin1Char('\n');
            out += QLatin1Char('[') + section + QLatin1String("]\n");
        }
        for (const QString& l : lines.value(section))
            out += l + QLatin1Char('\n');
        first = false;
    }
    return device.write(out.toUtf8()) >= 0;
}

QSettings::Format PlainIniFormat() {
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("ini"), ReadPlainIni, WritePlainIni, Qt::CaseSensitive);
    return format;
}

} // namespace

std::optional<QString> SettingDefault(const QString& file, const QString& section,
                                      const QString& key) {
    if (const DefaultEntry* e = FindDefault(file, section, key)) return DefaultText(*e);
    return std::nullopt;
}

int ColorToNumber(const QColor& color) {
    const QColor c = color.toRgb();
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QColor NumberToColor(qint64 number) {
    if (number < 0 || number > 0xFFFFFF) return QColor();
    return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------------------------
// IniFile

IniFile::IniFile(const QString& bareName)
    : name(CanonicalName(bareName)), path(SettingsDirectory() + name),
      settings(std::make_unique<QSettings>(path, PlainIniFormat())) {
}

IniFile::~IniFile() = default;

namespace {
// The stored spelling of section/key, found without regard to case; empty when absent.
QString StoredKey(QSettings& s, const QString& section, const QString& key) {
    const QString full = section.isEmpty() ? key : section + QLatin1Char('/') + key;
    if (s.contains(full)) return full;
    const QStringList all = s.allKeys();
    for (const QString& k : all)
        if (k.compare(full, Qt::CaseInsensitive) == 0) return k;
    return QString();
}
} // namespace

std::optional<QString> IniFile::rawValue(const QString& section, const QString& key) const {
    const QString stored = StoredKey(*settings, section, key);
    if (stored.isEmpty()) return std::nullopt;
    return settings->value(stored).toString();
}

QString IniFile::tableDefault(const QString& section, const QString& key) const {
    if (const auto d = SettingDefault(name, section, key)) return *d;
    qWarning().noquote() << "settings: no default for" << name << section << key;
    return QString();
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return !StoredKey(*settings, section, key).isEmpty();
}

// Stored values that do not read as their kind count as missing; the table default is looked
// up only then, so that a missing table entry is reported only when it matters.
std::optional<int> IniFile::storedInteger(const QString& section, const QString& key) const {
    const auto raw = rawValue(section, key);
    const auto v = raw ? ParseInt(*raw) : std::nullopt;
    if (!v) return std::nullopt;
    const DefaultEntry* e = FindDefault(name, section, key);
    if (e && e->min <= e->max && (*v < e->min || *v > e->max)) return std::nullopt;
    return v;
}

QColor IniFile::storedColor(const QString& section, const QString& key) const {
    const auto raw = rawValue(section, key);
    const auto v = raw ? ParseNumber(*raw) : std::nullopt;
    return v ? NumberToColor(*v) : QColor();
}

QString IniFile::readString(const QString& section, const QString& key) const {
    if (const auto raw = rawValue(section, key)) return *raw;
    return tableDefault(section, key);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    return rawValue(section, key).value_or(fallback);
}

int IniFile::readInteger(const QString& section, const QString& key) const {
    if (const auto v = storedInteger(section, key)) return *v;
    return ParseInt(tableDefault(section, key)).value_or(0);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    return storedInteger(section, key).value_or(fallback);
}

// Logical values are integers: anything but 0 is true, a non-number is the default.
bool IniFile::readBool(const QString& section, const QString& key) const {
    return readInteger(section, key) != 0;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

QColor IniFile::readColor(const QString& section, const QString& key) const {
    const QColor c = storedColor(section, key);
    if (c.isValid()) return c;
    const auto d = ParseNumber(tableDefault(section, key));
    return d ? NumberToColor(*d) : QColor();
}

QColor IniFile::readColor(const QString& section, const QString& key,
                          const QColor& fallback) const {
    const QColor c = storedColor(section, key);
    return c.isValid() ? c : fallback;
}

bool IniFile::store(const QString& section, const QString& key, const QString& text) {
    QString stored = StoredKey(*settings, section, key);
    if (stored.isEmpty()) stored = section.isEmpty() ? key : section + QLatin1Char('/') + key;
    QDir().mkpath(QFileInfo(path).absolutePath());
    settings->setValue(stored, text);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    return store(section, key, value);
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return store(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return store(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeColor(const QString& section, const QString& key, const QColor& value) {
    return store(section, key, QString::number(ColorToNumber(value)));
}

bool IniFile::removeKey(const QString& section, const QString& key) {
    const QString stored = StoredKey(*settings, section, key);
    if (stored.isEmpty()) return true;
    settings->remove(stored);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace vidoraw
