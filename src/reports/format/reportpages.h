#pragma once
// A report kept as the bytes of its file and read page by page: opening a report of
// thousands of pages only finds where its pages lie; a page's commands are read when the
// page is first needed, and only a few read pages are kept.
#include "reports/format/reportformat.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

namespace vidoraw {

using ReportPagePtr = std::shared_ptr<const ReportPage>;

class LazyReport {
public:
    // Reads a report file with the checks of LoadReport (regular file, size, first line);
    // on failure the report is empty.
    bool load(const QString& fileName, QString* error = nullptr);
    // The bytes of a report file; pictures are looked for in pictureDir.
    bool setBytes(const QByteArray& bytes, QString* error = nullptr,
                  const QString& pictureDir = QString());
    // Pages already read (the whole document is kept).
    void setDocument(const ReportDocument& doc);
    void clear();

    int pageCount() const { return int(sources.size()); }
    bool isEmpty() const { return sources.isEmpty(); }
    // The page, read now when it is not among the kept ones; null outside the report.
    // The pointer stays valid however many pages are read afterwards.
    ReportPagePtr page(int index) const;
    // The lines of a page as they stand in the file (empty for pages given as a document).
    QByteArrayView pageBytes(int index) const;

    // A change to every object of every page: applied to the pages read so far and to every
    // page read later. Forgotten when another report is loaded.
    using Change = std::function<void(ReportObject&)>;
    void apply(const Change& change);

    // Every page read: the whole report as one document.
    ReportDocument toDocument() const;

    // How many read pages are kept at most.
    static constexpr int kKeptPages = 24;

private:
    struct Source {
        ReportPageSpan span;
        ReportPagePtr page; // the page itself when the report was given as a document
    };
    QByteArray bytes;
    QString pictureDir;
    QVector<Source> sources;
    QVector<Change> changes;
    mutable QVector<std::pair<int, ReportPagePtr>> kept; // most recently used last
};

} // namespace vidoraw
