#include "codelists/importfile.h"

#include "core/base/codepage.h"
#include "core/engine/fieldvalue.h"
#include "core/values.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vidoraw {

namespace {

// Where a kind's data start, how many fields a line needs, and which field goes where.
struct KindLayout {
    int headingLines = 1;
    int minimumFields = 0;
    int keyColumn = 0;
    const char* keyField = "";
    // column → field; a field named twice takes the same column twice
    QList<QPair<int, const char*>> texts;   // through FromLatin2Capitals
    QList<QPair<int, const char*>> numbers; // NormalizeDecimal
    QList<QPair<int, const char*>> dates;   // NormalizeDateSeparators
};

bool LayoutOf(const QString& kind, KindLayout& l) {
    if (kind == QLatin1String("228")) {
        l = {1, 3, 0, "KODD", {{2, "NAZOV"}}, {}, {}};
    } else if (kind == QLatin1String("268")) {
        l = {1, 15, 0, "KODPOM",
             {{1, "NAZOV"}, {2, "DOPLNOK"}, {4, "MJ"}, {5, "VYROBCA"}, {6, "KRAJINA"},
              {7, "OBMEDZ"}, {8, "OBMEDZ1"}, {9, "DOBA"}, {10, "KATEG"}, {11, "JKPOV"},
              {12, "ODBORKOD"}, {14, "MODIF"}},
             {}, {{13, "DATUMPZ"}}};
    } else if (kind == QLatin1String("335")) {
        l = {2, 4, 1, "KODPOM", {}, {{2, "CENAMF"}, {3, "CENAPOI"}, {3, "CENA"}}, {}};
    } else {
        return false;
    }
    return true;
}

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

ImportProblem LineProblem(const QString& path, int line, const QString& what) {
    return {QStringLiteral("Chyba"),
            QStringLiteral("Súbor %1, riadok %2: %3 Číselník ostal bez zmeny.")
                .arg(FileName(path))
                .arg(line)
                .arg(what)};
}

// Converts text for a field of the table; false with the engine's reason.
bool Convert(const FieldDefs& fields, const QString& name, const QVariant& in, QVariant& out,
             QString& why) {
    const int i = FindField(fields, name);
    if (i < 0) {
        why = QStringLiteral("Číselník nemá pole %1.").arg(name);
        return false;
    }
    return ConvertToField(fields[i], in, out, &why);
}

// The key as it will be stored, so that finds use the same text; counts a cut key.
bool StoredKey(const FieldDefs& fields, const QString& name, const QString& text, QVariant& key,
               int& cut, QString& why) {
    if (!Convert(fields, name, text, key, why))
        return false;
    if (key.toString().size() < text.size())
        ++cut;
    if (key.toString().trimmed().isEmpty()) {
        why = QStringLiteral("Prázdny kód.");
        return false;
    }
    return true;
}

} // namespace

bool ReadCp1250Lines(const QString& path, QStringList& lines, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QString text = FromCp1250(f.readAll());
    lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line break ends the last line; it does not start an empty one.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return true;
}

namespace {

// The file's lines, and out made ready for them; a file that cannot be read is a problem.
bool StartImport(const QString& path, QStringList& lines, ImportData& out, ImportProblem& problem) {
    QString why;
    if (!ReadCp1250Lines(path, lines, &why)) {
        problem = {QStringLiteral("Chyba"),
                   QStringLiteral("Súbor %1 sa nedá prečítať: %2").arg(path, why)};
        return false;
    }
    out = ImportData();
    out.path = path;
    out.lineCount = int(lines.size());
    return true;
}

} // namespace

QString PublishedFileKind(const QString& firstLine) {
    const QStringList parts = firstLine.split(QLatin1Char('|'));
    return parts.size() >= 3 ? parts[1] : QString();
}

QString FindPublishedFile(const QString& directory, const QString& kind) {
    const QFileInfoList files =
        QDir(directory).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : files) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray first = f.readLine(4096);
        QString line = FromCp1250(first);
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (PublishedFileKind(line) == kind)
            return info.filePath();
    }
    return QString();
}

QString FindFileAnyCase(const QString& directory, const QString& name) {
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& info : files)
        if (info.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return info.filePath();
    return QString();
}

bool ReadPublishedFile(const QString& path, const QString& kind, const FieldDefs& fields,
                       ImportData& out, ImportProblem& problem) {
    KindLayout layout;
    if (!LayoutOf(kind, layout)) {
        problem = {QStringLiteral("Chyba"), QStringLiteral("Neznámy druh súboru %1.").arg(kind)};
        return false;
    }
    QStringList lines;
    if (!StartImport(path, lines, out, problem))
        return false;
    QString why;
    if (lines.isEmpty() || PublishedFileKind(lines.constFirst()) != kind) {
        problem = LineProblem(path, 1, QStringLiteral("Súbor nie je číselník druhu %1.").arg(kind));
        return false;
    }
    const QString keyField = QString::fromLatin1(layout.keyField);
    for (int i = layout.headingLines; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            break; // an empty line ends the data
        const QStringList f = lines[i].split(QLatin1Char('|'));
        const int line = i + 1;
        if (f.size() < layout.minimumFields) {
            problem = LineProblem(path, line,
                                  QStringLiteral("Riadok má %1 polí, potrebných je aspoň %2.")
                                      .arg(f.size())
                                      .arg(layout.minimumFields));
            return false;
        }
        ImportRecord r;
        r.line = line;
        QString key = f[layout.keyColumn].trimmed();
        if (kind == QLatin1String("228"))
            key.remove(QLatin1Char('.'));
        bool ok = StoredKey(fields, keyField, key, r.key, out.cutKeys, why);
        for (const auto& [column, name] : layout.texts) {
            if (!ok)
                break;
            QVariant v;
            ok = Convert(fields, QString::fromLatin1(name), FromLatin2Capitals(f[column]), v, why);
            r.values.append({QString::fromLatin1(name), v});
        }
        for (const auto& [column, name] : layout.numbers) {
            if (!ok)
                break;
            QVariant v;
            ok = Convert(fields, QString::fromLatin1(name), NormalizeDecimal(f[column].trimmed()), v,
                         why);
            r.values.append({QString::fromLatin1(name), v});
        }
        for (const auto& [column, name] : layout.dates) {
            if (!ok)
                break;
            QVariant v;
            ok = Convert(fields, QString::fromLatin1(name),
                         NormalizeDateSeparators(f[column]).trimmed(), v, why);
            r.values.append({QString::fromLatin1(name), v});
        }
        if (!ok) {
            problem = LineProblem(path, line, why);
            return false;
        }
        if (kind == QLatin1String("228"))
            r.values.append({QStringLiteral("DLZKA"), qint64(r.key.toString().size())});
        out.records.push_back(std::move(r));
    }
    return true;
}

bool ReadCodeListCsv(const QString& path, const QString& keyField, const FieldDefs& fields,
                     ImportData& out, ImportProblem& problem) {
    QStringList lines;
    if (!StartImport(path, lines, out, problem))
        return false;
    QString why;
    QStringList names = lines.isEmpty() ? QStringList() : lines.constFirst().split(QLatin1Char('|'));
    for (QString& n : names)
        n = n.trimmed().toUpper();
    const int keyColumn = int(names.indexOf(keyField.toUpper()));
    if (keyColumn < 0) {
        problem = {QStringLiteral("Oznam"),
                   QStringLiteral("V zozname polí sa nenachádza pole %1. Nie je možné pokračovať.")
                       .arg(keyField)};
        return false;
    }
    // A column the table lacks would stop the import half way: refused before anything changes.
    for (const QString& n : names) {
        if (n != QLatin1String("KOD") && FindField(fields, n) < 0) {
            problem = {QStringLiteral("Oznam"),
                       QStringLiteral("Pole %1 zo zoznamu polí sa v číselníku nenachádza. Nie je "
                                      "možné pokračovať.")
                           .arg(n)};
            return false;
        }
    }
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(QLatin1Char('|'));
        if (f.size() != names.size())
            continue;
        ImportRecord r;
        r.line = i + 1;
        int cut = 0;
        bool ok = StoredKey(fields, names[keyColumn], f[keyColumn], r.key, cut, why);
        out.cutKeys += cut;
        for (int c = 0; c < names.size() && ok; ++c) {
            if (c == keyColumn || names[c] == QLatin1String("KOD"))
                continue;
            QVariant v;
            ok = Convert(fields, names[c], f[c], v, why);
            r.values.append({names[c], v});
        }
        if (!ok) {
            problem = LineProblem(path, r.line, why);
            return false;
        }
        out.records.push_back(std::move(r));
    }
    return true;
}

} // namespace vidoraw
