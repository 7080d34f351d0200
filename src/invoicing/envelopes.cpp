#include "invoicing/envelopes.h"

#include "core/engine/table.h"
#include "core/values.h"
#include "framework/tfdbform.h"
#include "reports/reporttemplates.h"
#include "reports/reportwriter.h"
#include "shell/envelopeprinter.h"
#include "shell/vlastnikd.h"

#include <QPointF>

#include <algorithm>
#include <optional>

namespace vidoraw {

namespace {

TfDbForm* Companies(AppContext& app) {
    auto* m = dynamic_cast<TfDbForm*>(app.registry.module(module::kFirma));
    return m && m->OpenTable() ? m : nullptr;
}

// The template job of a format: its own orientation and the print font.
TemplateReport EnvelopeJob(int format) {
    TemplateReport job;
    job.templateName = EnvelopeTemplateName(format);
    job.useOrientation = true;
    job.printFont = true;
    return job;
}

// Fills one envelope after moving it by the offsets of the envelope printer, which are read
// once the output is chosen.
class EnvelopeFill {
public:
    EnvelopeFill(AppContext& app, int format) : app_(app), format_(format) {}
    void operator()(Table& companies, QStringList& lines) {
        if (!shift_) shift_ = EnvelopeOffsets(app_.db, EnvelopePrinterCode(app_), format_);
        ReportShift(lines, shift_->x(), shift_->y());
        FillEnvelope(app_, companies, lines);
    }

private:
    AppContext& app_;
    int format_;
    std::optional<QPointF> shift_;
};

} // namespace

QString EnvelopeFormatCaption(int format) {
    switch (format) {
    case 1:
        return QStringLiteral("Formát 114 x 228");
    case 2:
        return QStringLiteral("Formát 162 x 228");
    case 3:
        return QStringLiteral("Formát 125 x 177 doporučene");
    default:
        return QStringLiteral("Formát 114 x 163");
    }
}

QString EnvelopeTemplateName(int format) {
    return QStringLiteral("obalka%1.dsz").arg(QChar(u'a' + std::clamp(format, 0, 3)));
}

QString EnvelopePostalLine(const QString& postalCode, const QString& postOffice) {
    QString code = postalCode;
    code.remove(u' ');
    return TrimSpaces(code.left(3) + u' ' + code.mid(3, 2)) + QStringLiteral("  ") + postOffice;
}

void FillEnvelope(AppContext& app, Table& companies, QStringList& lines) {
    // The owner's second address ("PO") when it is chosen.
    const bool second = OwnerField(app, QStringLiteral("PO")) == QLatin1String("A");
    auto owner = [&](const char* field) {
        QString name = QString::fromLatin1(field);
        if (second) name += QStringLiteral("PO");
        return OwnerField(app, name);
    };
    auto company = [&](const char* field) {
        return companies.field(QString::fromLatin1(field)).asString();
    };
    FillPlaceholders(
        lines, {{"XX_OFIRMA", owner("NAZOV")},
                {"XX_OMENO", JoinName(owner("TITUL"), owner("MENO"), owner("PRIEZVISK"))},
                {"XX_OULICA", owner("ULICA") + u' ' + owner("CISLO")},
                {"XX_OOBEC", owner("OBEC")},
                {"XX_OPSC", EnvelopePostalLine(owner("PSC"), owner("DODPOSTA"))},
                {"XX_OSTAT", owner("STAT")},
                {"XX_AFIRMA", company("NAZOV")},
                {"XX_AMENO", JoinName(company("TITUL"), company("MENO"), company("PRIEZVISK"))},
                {"XX_AULICA", company("ULICA") + u' ' + company("CISLO")},
                {"XX_AOBEC", company("OBEC")},
                {"XX_APSC", EnvelopePostalLine(company("PSC"), company("DODPOSTA"))},
                {"XX_ASTAT", company("STAT")},
                {"XX_DATNAR", QString()}});
}

bool PrintEnvelope(AppContext& app, int format, QWidget* owner) {
    TfDbForm* companies = Companies(app);
    if (!companies) return false;
    Table& t = companies->table();
    EnvelopeFill fill(app, format);
    return RunTemplatePages(
        app.reports, EnvelopeJob(format), 1, [&](int, QStringList& lines) { fill(t, lines); },
        owner);
}

bool PrintEnvelopesForAll(AppContext& app, int format, QWidget* owner) {
    TfDbForm* companies = Companies(app);
    if (!companies) return false;
    Table& t = companies->table();
    const qint64 place = t.bookmark();
    EnvelopeFill fill(app, format);
    const bool done = RunTemplatePages(
        app.reports, EnvelopeJob(format), t.recordCount(),
        [&](int page, QStringList& lines) {
            if (t.gotoRecNo(page)) fill(t, lines);
        },
        owner);
    (void)t.gotoBookmark(place);
    return done;
}

} // namespace vidoraw
