#include "reports/reporttemplates.h"

#include "core/base/numbertext.h"
#include "core/engine/database.h"
#include "core/engine/tableops.h"
#include "core/interaction.h"
#include "core/values.h"
#include "reports/format/reportformat.h"
#include "reports/reportwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vidoraw {

namespace {

QString& TemplateDirectoryOverride() {
    static QString directory;
    return directory;
}

void TemplateError(const QString& name, const QString& why, QWidget* owner) {
    ShowNotice(QStringLiteral("Chyba"),
               QStringLiteral("Šablónu zostavy %1 nemôžem načítať: %2").arg(name, why),
               NoticeKind::Error, owner);
}

} // namespace

QString TemplateDirectory() {
    if (!TemplateDirectoryOverride().isEmpty())
        return TemplateDirectoryOverride();
    const QString beside =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../data/templates"));
    if (QFileInfo(beside).isDir())
        return beside;
#ifdef VIDORAW_SOURCE_DATA
    return QDir::cleanPath(QStringLiteral(VIDORAW_SOURCE_DATA) + QStringLiteral("/templates"));
#else
    return beside;
#endif
}

void SetTemplateDirectory(const QString& directory) { TemplateDirectoryOverride() = directory; }

QString FindTemplateFile(const QString& name) {
    // A bare name only: a template never comes from outside its folder.
    if (name.isEmpty() || name.contains(u'/') || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QString();
    const QDir dir(TemplateDirectory());
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return QString();
}

bool LoadTemplate(const QString& name, QStringList& lines, QWidget* owner) {
    lines.clear();
    const QString path = FindTemplateFile(name);
    if (path.isEmpty()) {
        TemplateError(name, QStringLiteral("súbor sa nenašiel v priečinku %1.")
                                .arg(QDir::toNativeSeparators(TemplateDirectory())),
                      owner);
        return false;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        TemplateError(name, QStringLiteral("súbor sa nedá otvoriť."), owner);
        return false;
    }
    if (file.size() > ReportLimits::kMaxFileBytes) {
        TemplateError(name, QStringLiteral("súbor je príliš veľký."), owner);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError) {
        TemplateError(name, QStringLiteral("súbor sa nedá prečítať."), owner);
        return false;
    }
    QStringList read = SplitReportText(bytes);
    if (read.isEmpty() || read.first().trimmed() != QLatin1String("[STRANA]")) {
        TemplateError(name, QStringLiteral("súbor nie je zostava (chýba [STRANA])."), owner);
        return false;
    }
    // A position that is no number would be drawn at 0 and left out of every shift.
    for (int i = 0; i < read.size(); ++i) {
        QStringList line{read[i]};
        if (!ReportShift(line, 0, 0)) {
            TemplateError(name,
                          QStringLiteral("v riadku %1 je poloha, ktorá nie je číslo: %2")
                              .arg(i + 1)
                              .arg(read[i].left(60)),
                          owner);
            return false;
        }
    }
    lines = std::move(read);
    return true;
}

void AppendTemplatePage(QStringList& target, const QStringList& source) {
    static const QStringList markers = {"[STRANA]", "[STOJATO]", "[LEZATO]",
                                        "[A4]",     "[A3]",      "[A5]"};
    for (const QString& line : source)
        if (!markers.contains(line.toUpper()))
            target << line;
}

QPointF EnvelopeOffsets(Database* db, const QString& printerCode, int format) {
    if (!db || format < 0 || format > 3)
        return {};
    double code = 0;
    if (!DecimalFromText(NormalizeDecimal(printerCode), code))
        return {};
    Table table;
    table.setDatabase(db);
    table.setTableName(QStringLiteral("POSUNY.DB"));
    if (!table.exists() || !table.open())
        return {};
    const QString n = QString::number(format);
    QStringList values;
    if (!LookupFieldsIn(table, QStringLiteral("KOD"), {code},
                        {QStringLiteral("POSUNXO") + n, QStringLiteral("POSUNYO") + n}, values) ||
        values.size() != 2)
        return {};
    double dx = 0, dy = 0;
    if (!DecimalFromText(values[0], dx))
        dx = 0;
    if (!DecimalFromText(values[1], dy))
        dy = 0;
    return {dx, dy};
}

namespace {

// The index of the key's line; -1 when there is none.
int SumLine(const QStringList& sums, const QString& key) {
    for (int i = 0; i < sums.size(); ++i) {
        const int comma = sums[i].indexOf(u',');
        if (comma >= 0 && QStringView(sums[i]).left(comma) == key)
            return i;
    }
    return -1;
}

double SumValue(const QString& line) {
    double value = 0;
    return DecimalFromText(line.mid(line.indexOf(u',') + 1), value) ? value : 0;
}

} // namespace

void AddToSum(QStringList& sums, const QString& key, double amount) {
    const int i = SumLine(sums, key);
    if (i < 0)
        sums << key + u',' + FloatAsText(amount);
    else
        sums[i] = key + u',' + FloatAsText(SumValue(sums[i]) + amount);
}

double SumOf(const QStringList& sums, const QString& key) {
    const int i = SumLine(sums, key);
    return i < 0 ? 0 : SumValue(sums[i]);
}

QStringList PrepareTemplate(const QStringList& lines, const TemplateReport& job,
                            const QString& fontName) {
    QStringList list = lines;
    if (job.secondCopy) {
        QStringList copy = lines;
        ReportShift(copy, job.secondCopy->x(), job.secondCopy->y());
        AppendTemplatePage(list, copy);
    }
    if (job.envelopeShift)
        ReportShift(list, job.envelopeShift->x(), job.envelopeShift->y());
    if (job.printFont)
        ReportSetFont(list, fontName);
    FillPlaceholders(list, job.values);
    if (job.fill)
        job.fill(list);
    return list;
}

bool RunTemplateReport(ReportWriter& writer, const TemplateReport& job, QWidget* owner) {
    return RunTemplatePages(writer, job, 1, {}, owner);
}

bool RunTemplatePages(ReportWriter& writer, const TemplateReport& job, int pages,
                      const TemplatePageFill& fillPage, QWidget* owner) {
    // Read first: a template that cannot be read stops the report before anything is asked,
    // written or shown.
    QStringList lines;
    if (!LoadTemplate(job.templateName, lines, owner))
        return false;
    const QString pictureDir = QFileInfo(FindTemplateFile(job.templateName)).absolutePath();
    return RunReport(
        writer,
        [&](ReportWriter& w, const QString& fileName) {
            if (job.useOrientation)
                w.ReportOrientation(lines);
            if (!w.ReportBegin(fileName))
                return false;
            const QStringList prepared = PrepareTemplate(lines, job, w.ReportFontName());
            bool written = true;
            for (int page = 0; page < pages && written; ++page) {
                if (page > 0)
                    written = w.ReportNewPage();
                QStringList list = prepared;
                if (fillPage)
                    fillPage(page, list);
                written = written && (fileName.isEmpty() ? w.ReportPlay(list, pictureDir)
                                                         : w.ReportWriteLines(list, false));
            }
            return w.ReportEnd() && written;
        },
        owner);
}

} // namespace vidoraw
