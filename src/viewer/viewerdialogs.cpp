#include "viewer/viewerdialogs.h"

#include "core/base/numbertext.h"
#include "viewer/viewernotice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vidoraw {

namespace {
const QString kOznam = QStringLiteral("Oznam");

QDialogButtonBox* OkBack(QDialog* d, const QString& okText = QStringLiteral("OK")) {
    auto* buttons = new QDialogButtonBox(d);
    QPushButton* ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Späť"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return buttons;
}

// The sample of the font dialog: three lines in the chosen face, 20 pixels high.
class FontSample : public QWidget {
public:
    explicit FontSample(QWidget* parent) : QWidget(parent) { setMinimumSize(380, 90); }
    QString family;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        QFont f(family);
        f.setPixelSize(20);
        p.setFont(f);
        p.setPen(Qt::black);
        const QStringList lines{QStringLiteral("AaBbYyZz"), QStringLiteral("ľščťžýáíé - ĽŠČŤŽÝÁÍÉ"),
                                QStringLiteral("Hľadajte pravdu a Pravda Vás vyslobodí")};
        int y = 4;
        for (const QString& l : lines) {
            p.drawText(QRect(6, y, width() - 12, 26), Qt::AlignLeft | Qt::AlignVCenter, l);
            y += 28;
        }
    }
};
} // namespace

double ScreenNumber(const QString& text, bool* ok) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool good = false;
    double v = t.toDouble(&good);
    if (!good || !std::isfinite(v))
        v = 0;
    if (ok)
        *ok = good;
    return v;
}

QString ScreenNumberText(double value) { return FloatAsText(value, u','); }

// ----- page number

PageNumberDialog::PageNumberDialog(int pageCount, int currentNumber, QWidget* parent)
    : QDialog(parent), pages(pageCount) {
    setWindowTitle(QStringLiteral("Číslo stránky"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Zadaj číslo stránky : 1 - %1").arg(pageCount), this));
    auto* form = new QFormLayout;
    edit = new QLineEdit(QString::number(currentNumber), this);
    form->addRow(QStringLiteral("Strana : "), edit);
    layout->addLayout(form);
    layout->addWidget(OkBack(this));
    edit->selectAll();
}

int PageNumberDialog::check() const {
    bool ok = false;
    const int n = edit->text().trimmed().toInt(&ok);
    if (!ok || n < 1 || n > pages) {
        ViewerNotice(kOznam, QStringLiteral("Nesprávne číslo stránky!"), const_cast<PageNumberDialog*>(this));
        return 0;
    }
    return n;
}

void PageNumberDialog::accept() {
    number = check();
    if (number > 0)
        QDialog::accept();
}

// ----- search

SearchDialog::SearchDialog(const QString& text, bool caseSensitive, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Hľadanie"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    edit = new QLineEdit(text, this);
    edit->setMaxLength(67); // what a line of the settings file can keep
    form->addRow(QStringLiteral("Hľadaný reťazec :"), edit);
    layout->addLayout(form);
    box = new QCheckBox(QStringLiteral("Rozlišuj malé a veľké písmená"), this);
    box->setChecked(caseSensitive);
    layout->addWidget(box);
    layout->addWidget(OkBack(this));
    edit->selectAll();
}

QString SearchDialog::text() const { return edit->text(); }
bool SearchDialog::caseSensitive() const { return box->isChecked(); }

bool SearchDialog::check() const {
    if (edit->text().isEmpty()) {
        ViewerNotice(kOznam, QStringLiteral("Hľadaný reťazec nesmie byť prázdny!"),
                     const_cast<SearchDialog*>(this));
        return false;
    }
    return true;
}

void SearchDialog::accept() {
    if (check())
        QDialog::accept();
}

// ----- shift and scale

TwoNumbersDialog::TwoNumbersDialog(Mode m, double x, double y, QWidget* parent)
    : QDialog(parent), mode(m) {
    setWindowTitle(mode == Shift ? QStringLiteral("Posun zostavy")
                                 : QStringLiteral("Zmenšenie - zväčšenie zostavy"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    editX = new QLineEdit(ScreenNumberText(x), this);
    editY = new QLineEdit(ScreenNumberText(y), this);
    form->addRow(mode == Shift ? QStringLiteral("Posun v smere x (mm) :")
                               : QStringLiteral("Koeficicient v smere x :"),
                 editX);
    form->addRow(mode == Shift ? QStringLiteral("Posun v smere y (mm) :")
                               : QStringLiteral("Koeficicient v smere y :"),
                 editY);
    layout->addLayout(form);
    layout->addWidget(OkBack(this, mode == Shift ? QStringLiteral("&OK") : QStringLiteral("OK")));
}

double TwoNumbersDialog::x() const { return ScreenNumber(editX->text()); }
double TwoNumbersDialog::y() const { return ScreenNumber(editY->text()); }

bool TwoNumbersDialog::check() const {
    if (mode == Shift)
        return true;
    auto* self = const_cast<TwoNumbersDialog*>(this);
    if (x() < 0.1) {
        ViewerNotice(kOznam, QStringLiteral("Príliš malý koeficient zmenšenia v smere x!"), self);
        return false;
    }
    if (y() < 0.1) {
        ViewerNotice(kOznam, QStringLiteral("Príliš malý koeficient zmenšenia v smere y!"), self);
        return false;
    }
    return true;
}

void TwoNumbersDialog::accept() {
    if (check())
        QDialog::accept();
}

// ----- font

FontChoiceDialog::FontChoiceDialog(const QString& face, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Voľba fontu"));
    auto* layout = new QVBoxLayout(this);
    faces = new QListWidget(this);
    QStringList families;
    for (const QString& f : QFontDatabase::families())
        if (QFontDatabase::isSmoothlyScalable(f) && !QFontDatabase::isPrivateFamily(f))
            families << f;
    families.sort(Qt::CaseInsensitive);
    faces->addItems(families);
    layout->addWidget(faces, 1);
    auto* group = new QGroupBox(QStringLiteral("Ukážka"), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* s = new FontSample(group);
    sample = s;
    groupLayout->addWidget(s);
    layout->addWidget(group);
    layout->addWidget(OkBack(this));
    connect(faces, &QListWidget::currentTextChanged, this, [s](const QString& f) {
        s->family = f;
        s->update();
    });
    const QList<QListWidgetItem*> found = faces->findItems(face, Qt::MatchFixedString);
    if (!found.isEmpty())
        faces->setCurrentItem(found.first());
    else if (faces->count() > 0)
        faces->setCurrentRow(0);
    resize(420, 420);
}

QString FontChoiceDialog::face() const {
    return faces->currentItem() ? faces->currentItem()->text() : QString();
}

// ----- printing

PrintDialog::PrintDialog(const QString& name, QPrinter* target, const PrintChoice& choice,
                         QWidget* parent)
    : QDialog(parent), printer(target), preset(choice) {
    setWindowTitle(QStringLiteral("Tlač zostavy"));
    auto* layout = new QVBoxLayout(this);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(new QLabel(QStringLiteral("Tlačiareň :"), this));
    printerName = new QLabel(name, this);
    printerName->setTextFormat(Qt::PlainText);
    printerRow->addWidget(printerName, 1);
    layout->addLayout(printerRow);

    auto* range = new QGroupBox(QStringLiteral("Rozsah tlače"), this);
    auto* rangeLayout = new QGridLayout(range);
    all = new QRadioButton(QStringLiteral("Všetko"), range);
    current = new QRadioButton(QStringLiteral("Aktuálna strana"), range);
    interval = new QRadioButton(QStringLiteral("Interval strán"), range);
    // Page numbers beyond the report are allowed: such pages are skipped when printing.
    auto pageField = [range](int value) {
        auto* f = new QSpinBox(range);
        f->setRange(1, 99999);
        f->setValue(std::clamp(value, 1, 99999));
        return f;
    };
    from = pageField(choice.from);
    to = pageField(choice.to);
    rangeLayout->addWidget(all, 0, 0, 1, 5);
    rangeLayout->addWidget(current, 1, 0, 1, 5);
    rangeLayout->addWidget(interval, 2, 0);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Od :"), range), 2, 1);
    rangeLayout->addWidget(from, 2, 2);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Do :"), range), 2, 3);
    rangeLayout->addWidget(to, 2, 4);
    rangeLayout->setColumnStretch(5, 1);
    rangeButton(choice.range)->setChecked(true);
    layout->addWidget(range);

    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(new QLabel(QStringLiteral("Počet kópií:"), this));
    copies = new QSpinBox(this);
    copies->setRange(1, 999);
    copies->setValue(std::clamp(choice.copies, 1, 999));
    copiesRow->addWidget(copies);
    copiesRow->addStretch(1);
    layout->addLayout(copiesRow);

    auto* buttons = new QHBoxLayout;
    properties = new QPushButton(QStringLiteral("Vlastnosti"), this);
    properties->setAutoDefault(false);
    properties->setEnabled(printer != nullptr);
    auto* print = new QPushButton(QStringLiteral("&Tlač"), this);
    print->setDefault(true);
    auto* back = new QPushButton(QStringLiteral("&Späť"), this);
    back->setAutoDefault(false);
    buttons->addWidget(properties);
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(properties, &QPushButton::clicked, this, &PrintDialog::showProperties);
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    print->setFocus();
}

QRadioButton* PrintDialog::rangeButton(PrintRange range) const {
    switch (range) {
    case PrintRange::Current: return current;
    case PrintRange::Interval: return interval;
    case PrintRange::All: break;
    }
    return all;
}

PrintChoice PrintDialog::choice() const {
    PrintChoice c = preset;
    c.range = interval->isChecked() ? PrintRange::Interval
              : current->isChecked() ? PrintRange::Current
                                     : PrintRange::All;
    if (c.range == PrintRange::Interval) {
        c.from = from->value();
        c.to = to->value();
    }
    c.copies = copies->value();
    return c;
}

void PrintDialog::showProperties() {
    if (!printer)
        return;
    QPageSetupDialog dialog(printer, this);
    dialog.exec();
}

// ----- progress

PrintProgressDialog::PrintProgressDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Prezerač zostavy"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Prebieha tlač zostavy"), this));
    page = new QLabel(QStringLiteral("Strana : 1"), this);
    layout->addWidget(page);
    cancel = new QPushButton(QStringLiteral("&Storno"), this);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, [this] {
        stop = true;
        hide();
    });
}

void PrintProgressDialog::setSent(int pages) {
    page->setText(QStringLiteral("Strana : %1").arg(pages));
}

void PrintProgressDialog::closeEvent(QCloseEvent* e) { e->ignore(); }

} // namespace vidoraw
