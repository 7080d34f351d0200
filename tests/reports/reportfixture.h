#pragma once
// A writer that writes into a temporary directory, never starts a viewer and lays out on an
// A4 page without printer offset, and helpers that read back what it wrote.
#include "reports/format/reportformat.h"
#include "reports/reportwriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace vidoraw::test {

struct WriterFixture {
    QTemporaryDir dir;
    ReportWriter writer;
    QStringList launched; // program, then its arguments, of every viewer start

    explicit WriterFixture(const ReportSettings& settings = {QStringLiteral("Arial"), 10, 10,
                                                            10, 10})
        : writer(settings) {
        writer.setReportFileName(dir.filePath(QStringLiteral("zost1.zst")));
        writer.setPrinterMetrics(PrinterMetrics{0, 0, 210, 297});
        writer.setLauncher([this](const QString& program, const QStringList& arguments) {
            launched << program << arguments;
            return true;
        });
    }

    QString file() const { return writer.ReportFileName(); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of a report file as written (code page 1250, CR LF).
inline QStringList ReadLines(const QString& path) {
    return SplitReportText(ReadBytes(path));
}

// The report file read back as the viewer reads it; an empty document when it is none.
inline ReportDocument ReadReport(const QString& path) {
    ReportDocument doc;
    QString error;
    if (!LoadReport(path, doc, &error))
        qWarning().noquote() << "not a report:" << error;
    return doc;
}

// Objects of one kind on a page, in file order.
inline QVector<ReportObject> OfKind(const ReportPage& page, int kind) {
    QVector<ReportObject> out;
    for (const ReportObject& o : page.objects)
        if (o.kind == kind)
            out << o;
    return out;
}

inline QStringList TextsOf(const ReportPage& page) {
    QStringList out;
    for (const ReportObject& o : page.objects)
        if (o.kind == kBoxText)
            out << o.text;
    return out;
}

inline bool Near(double a, double b) {
    return qAbs(a - b) < 1e-9;
}

} // namespace vidoraw::test
