#pragma once
// How a module's table is listed: sort orders, printed columns and headings, list title.
#include <QStringList>

#include <functional>

namespace vidoraw {

struct ListDefinition {
    QStringList orderFields;  // one entry per offered order ("KOD", "MESTO;PRIEZ")
    QStringList orderTitles;  // its caption ("Kód")
    QStringList printFields;  // columns of the printed list
    QStringList printTitles;
    QStringList printHeading; // lines above the printed list
    QStringList searchLabels; // order titles followed by ":"
    QString listTitle;        // caption of the list window
    // Rows whose flagField holds "A" are painted flagged.
    QString flagField;
    // Cells of markField whose text fails markCell are painted as wrong (checked when the list
    // is shown: the module decides whether marking is on).
    QString markField;
    std::function<bool(const QString&)> markCell;

    void clear() { *this = ListDefinition{}; }
    // A list printed as it is ordered: the printed columns are the orders, the heading the title.
    void defineSimple(const QStringList& fields, const QStringList& titles, const QString& title) {
        clear();
        orderFields = printFields = fields;
        orderTitles = printTitles = titles;
        listTitle = title;
        printHeading = {title};
        finish();
    }
    // Derives the search labels from the order titles, unless the module gave its own.
    void finish() {
        if (!searchLabels.isEmpty())
            return;
        for (const QString& t : orderTitles)
            searchLabels << t + ':';
    }
};

} // namespace vidoraw
