#include "reports/format/reportpages.h"

namespace vidoraw {

bool LazyReport::load(const QString& fileName, QString* error) {
    clear();
    QByteArray bytes;
    QString dir;
    if (!ReadReportFile(fileName, bytes, dir, error))
        return false;
    return setBytes(bytes, error, dir);
}

bool LazyReport::setBytes(const QByteArray& data, QString* error, const QString& dir) {
    clear();
    QVector<ReportPageSpan> spans = ReportPageSpans(data);
    if (spans.isEmpty()) {
        if (error)
            *error = QStringLiteral("Súbor nie je zostava (chýba úvodný riadok [STRANA]).");
        return false;
    }
    bytes = data;
    pictureDir = dir;
    sources.reserve(spans.size());
    for (const ReportPageSpan& s : spans)
        sources << Source{s, nullptr};
    return true;
}

void LazyReport::setDocument(const ReportDocument& doc) {
    clear();
    for (const ReportPage& p : doc.pages)
        sources << Source{{}, std::make_shared<const ReportPage>(p)};
}

void LazyReport::clear() {
    bytes.clear();
    pictureDir.clear();
    sources.clear();
    changes.clear();
    kept.clear();
}

QByteArrayView LazyReport::pageBytes(int index) const {
    if (index < 0 || index >= sources.size() || sources[index].page)
        return {};
    const ReportPageSpan& s = sources[index].span;
    return QByteArrayView(bytes.constData() + s.begin, s.end - s.begin);
}

ReportPagePtr LazyReport::page(int index) const {
    if (index < 0 || index >= sources.size())
        return nullptr;
    if (sources[index].page)
        return sources[index].page;
    for (int i = 0; i < kept.size(); ++i)
        if (kept[i].first == index) {
            if (i != kept.size() - 1) {
                auto entry = kept[i];
                kept.remove(i);
                kept << entry;
            }
            return kept.last().second;
        }
    const ReportPageSpan& s = sources[index].span;
    auto page = std::make_shared<ReportPage>(
        ParseReportPage(SplitReportText(bytes.mid(s.begin, s.end - s.begin)), pictureDir));
    for (ReportObject& o : page->objects)
        for (const Change& c : changes)
            c(o);
    if (kept.size() >= kKeptPages)
        kept.removeFirst();
    kept << std::make_pair(index, ReportPagePtr(page));
    return page;
}

void LazyReport::apply(const Change& change) {
    for (Source& s : sources)
        if (s.page) {
            auto changed = std::make_shared<ReportPage>(*s.page);
            for (ReportObject& o : changed->objects)
                change(o);
            s.page = changed;
        }
    if (!bytes.isEmpty()) {
        changes << change;
        kept.clear(); // read again with every change, in order
    }
}

ReportDocument LazyReport::toDocument() const {
    ReportDocument doc;
    doc.pages.reserve(sources.size());
    for (int i = 0; i < sources.size(); ++i)
        doc.pages << *page(i);
    return doc;
}

} // namespace vidoraw
