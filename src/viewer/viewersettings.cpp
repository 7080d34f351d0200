#include "viewer/viewersettings.h"

#include "core/base/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

namespace vidoraw {

namespace {

QString& DirectoryOverride() {
    static QString dir;
    return dir;
}

QString WithSlash(QString dir) {
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

constexpr int kLineLimit = 79;
constexpr int kSettingCount = 11;

// A decimal integer at the start of the value ("12", "-1", " 7x"); nothing when there is none.
std::optional<int> LeadingInteger(const QString& value) {
    const QString t = value.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    const int digitsStart = i;
    qint64 v = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') {
        v = v * 10 + (t[i].unicode() - '0');
        if (v > 1000000000)
            v = 1000000000;
        ++i;
    }
    if (i == digitsStart)
        return std::nullopt;
    return int(negative ? -v : v);
}

} // namespace

QString ViewerConfigDirectory() {
    if (!DirectoryOverride().isEmpty())
        return WithSlash(DirectoryOverride());
    const QString env = qEnvironmentVariable("VIDORAW_CONFIG");
    if (!env.isEmpty())
        return WithSlash(env);
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/vidoraw"));
}

void SetViewerConfigDirectory(const QString& dir) { DirectoryOverride() = dir; }

QString ViewerSettingsPath() { return ViewerConfigDirectory() + QStringLiteral("ZORODE.KFG"); }

ViewerSettings ParseViewerSettings(const QByteArray& bytes, QSize screen) {
    ViewerSettings s;
    // Raw values by position; a line without "=" keeps the default.
    std::optional<int> num[kSettingCount];
    std::optional<QString> text;
    QList<QByteArray> lines = bytes.split('\n');
    for (int n = 0; n < lines.size() && n < kSettingCount; ++n) {
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = FromCp1250(raw.left(kLineLimit));
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString value = line.mid(eq + 1);
        if (n == 4)
            text = value;
        else
            num[n] = LeadingInteger(value);
    }
    auto flag = [](const std::optional<int>& v, bool def, bool outsideIs) {
        if (!v)
            return def;
        if (*v == 0 || *v == 1)
            return *v == 1;
        return outsideIs;
    };
    s.showStatus = flag(num[0], true, true);
    s.showSpeed = flag(num[1], true, true);
    if (num[2])
        s.zoomIndex = *num[2] >= 0 && *num[2] <= 10 ? *num[2] : 4;
    s.caseSensitive = flag(num[3], false, false);
    if (text)
        s.searchText = *text;
    s.largeIcons = flag(num[5], true, true);
    s.maximised = flag(num[6], false, false);
    if (num[7])
        s.left = *num[7] < 0 || *num[7] > screen.width() ? 0 : *num[7];
    if (num[8])
        s.top = *num[8] < 0 || *num[8] > screen.height() ? 0 : *num[8];
    if (num[9])
        s.width = *num[9];
    if (num[10])
        s.height = *num[10];
    if (s.width > screen.width())
        s.width = screen.width();
    if (s.height > screen.height())
        s.height = screen.height();
    return s;
}

ViewerSettings ReadViewerSettings(const QString& path, QSize screen) {
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return ParseViewerSettings({}, screen);
    return ParseViewerSettings(f.read(64 * 1024), screen);
}

QByteArray FormatViewerSettings(const ViewerSettings& s) {
    // Plain concatenation: the search text may itself contain "%1".
    auto line = [](const char* key, const QString& value) {
        return QString::fromLatin1(key) + u'=' + value + QStringLiteral("\r\n");
    };
    auto num = [](int v) { return QString::number(v); };
    QString searchText = s.searchText;
    searchText.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString text = line("JE_STATUS", num(s.showStatus)) + line("JE_SPEED", num(s.showSpeed)) +
                         line("AKTUAL_ZOBRAZ", num(s.zoomIndex)) +
                         line("ROZLISOVANIE", num(s.caseSensitive)) +
                         line("HLADANY_RET", searchText) + line("VELKE_IKONY", num(s.largeIcons)) +
                         line("MAXIM", num(s.maximised)) + line("LAVY", num(s.left)) +
                         line("HORNY", num(s.top)) + line("SIRKA", num(s.width)) +
                         line("VYSKA", num(s.height)) + line("SADA", num(1));
    return ToCp1250(text);
}

bool WriteViewerSettings(const QString& path, const ViewerSettings& s) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(FormatViewerSettings(s));
    return f.commit();
}

} // namespace vidoraw
