#include "shell/mainwindow.h"

#include "core/interaction.h"
#include "framework/menuletters.h"
#include "framework/tfbrowse.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace vidoraw {

QString TfHlavny::defaultHint() {
    return QStringLiteral(" Veľa úspechov pri práci s programom Vidora pre Windows ...");
}

TfHlavny::TfHlavny(AppContext& app) : app_(app) {
    setWindowTitle(QStringLiteral("Vidora pre Windows"));
    resize(720, 420);
    // Centred on the screen; a window larger than the screen starts at its top left corner.
    const QRect area = screen()->geometry();
    move(area.left() + std::max(0, (area.width() - width()) / 2),
         area.top() + std::max(0, (area.height() - height()) / 2));
    app_.mainWindow = this;
    buildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    header = new QWidget(central);
    header->setFixedHeight(44);
    header->setAutoFillBackground(true);
    auto* strip = new QHBoxLayout(header);
    strip->setContentsMargins(4, 4, 4, 4);
    struct Speed {
        const char* caption;
        const char* path;
    };
    const Speed speeds[] = {{"Klienti", "Klienti/&Klienti"},
                            {"Fa poisť.", "Faktúry/&Faktúry poisťovne"},
                            {"Export", "Faktúry/Export/&Pevný disk"},
                            {"Fa všetky", "Faktúry/Faktúry &všetky"},
                            {"Koniec", "Systém/&Koniec"}};
    for (const Speed& s : speeds) {
        auto* b = new QPushButton(QString::fromUtf8(s.caption), header);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(80);
        QAction* a = command(QString::fromUtf8(s.path));
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
        connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        b->setEnabled(a->isEnabled());
        b->setStatusTip(a->text().remove('&'));
        if (QByteArray(s.caption) == "Koniec")
            strip->addStretch(1);
        strip->addWidget(b);
        speedButtons << b;
    }
    layout->addWidget(header);
    layout->addStretch(1);
    setCentralWidget(central);
    hintPanel = new QLabel(defaultHint(), this);
    statusBar()->addWidget(hintPanel, 1);
    statusBar()->setSizeGripEnabled(false);
}

QAction* TfHlavny::add(QMenu* menu, const QString& path, const QString& caption, int listModule) {
    auto* a = menu->addAction(caption);
    a->setEnabled(false);
    a->setStatusTip(QString(caption).remove('&').trimmed());
    commands_.insert(path, a);
    order_ << path;
    if (listModule > 0) {
        listOf_.insert(path, listModule);
        connect(a, &QAction::triggered, this, [this, listModule] { openList(listModule); });
    }
    return a;
}

void TfHlavny::buildMenus() {
    QMenuBar* bar = menuBar();
    // System.
    QMenu* m = bar->addMenu(QStringLiteral("&Systém"));
    add(m, "Systém/&Reindexácia ...", QStringLiteral("&Reindexácia ..."));
    for (const char* sub : {"Archív", "Obnova"}) {
        QMenu* s = m->addMenu(QString::fromUtf8(sub));
        for (const char* item : {"Mechanika &A", "Mechanika &B", "&Pevný disk"})
            add(s, QString::fromUtf8("Systém/%1/%2").arg(QString::fromUtf8(sub), QString::fromUtf8(item)),
                QString::fromUtf8(item));
    }
    add(m, "Systém/Nová &verzia ...", QStringLiteral("Nová &verzia ..."));
    add(m, "Systém/Popis zmien ...", QStringLiteral("Popis zmien ..."));
    QMenu* disk = m->addMenu(QStringLiteral("Obsah diskety"));
    for (const char* item : {"Mechanika &A", "Mechanika &B"})
        add(disk, QStringLiteral("Systém/Obsah diskety/") + QString::fromUtf8(item), QString::fromUtf8(item));
    m->addSeparator();
    add(m, "Systém/&Font ...", QStringLiteral("&Font ..."));
    add(m, "Systém/Farby pre &zoznamy ...", QStringLiteral("Farby pre &zoznamy ..."));
    add(m, "Systém/Farby &prvkov", QStringLiteral("Farby &prvkov"));
    add(m, "Systém/O&kraje stránky ...", QStringLiteral("O&kraje stránky ..."));
    add(m, "Systém/Zmena &hesla ...", QStringLiteral("Zmena &hesla ..."));
    add(m, "Systém/V&lastník ...", QStringLiteral("V&lastník ..."));
    add(m, "Systém/Na&stavenia ...", QStringLiteral("Na&stavenia ..."));
    add(m, "Systém/O pro&grame ...", QStringLiteral("O pro&grame ..."));
    m->addSeparator();
    add(m, "Systém/&Koniec", QStringLiteral("&Koniec"));
    wire("Systém/&Koniec", [this] { close(); });

    // Clients.
    m = bar->addMenu(QStringLiteral("&Klienti"));
    add(m, "Klienti/&Klienti", QStringLiteral("&Klienti"), module::kKlient);
    add(m, "Klienti/&Okuliare bez poukazu", QStringLiteral("&Okuliare bez poukazu"), module::kObp);
    add(m, "Klienti/Ka&rty", QStringLiteral("Ka&rty"), module::kVekra);

    // Invoices.
    m = bar->addMenu(QStringLiteral("&Faktúry"));
    add(m, "Faktúry/&Faktúry poisťovne", QStringLiteral("&Faktúry poisťovne"));
    QMenu* exp = m->addMenu(QStringLiteral("Export"));
    for (const char* item : {"Mechanika &A", "Mechanika &B", "&Pevný disk"})
        add(exp, QStringLiteral("Faktúry/Export/") + QString::fromUtf8(item),
            QString::fromUtf8(item));
    add(m, "Faktúry/Faktúry &všetky", QStringLiteral("Faktúry &všetky"));
    QMenu* lists = m->addMenu(QStringLiteral("Číselníky"));
    const std::pair<const char*, int> invoiceLists[] = {{"&Firmy", module::kFirma},
                                                        {"Úč&ty", module::kUcty},
                                                        {"&Banky", module::kKodb},
                                                        {"&Sadzby dane", module::kDane},
                                                        {"&Položky faktúry ", module::kTextfa},
                                                        {"Spôsob &dopravy", module::kDoprava},
                                                        {"Fo&rma úhrady", module::kUhrada},
                                                        {"&Mena", module::kMena},
                                                        {"&Zaokrúhľovanie", module::kZaokruh},
                                                        {"&Konštantné symboly", module::kKs},
                                                        {"Čísel&ný rad", module::kCisrad}};
    for (const auto& [caption, n] : invoiceLists)
        add(lists, QStringLiteral("Faktúry/Číselníky/") + QString::fromUtf8(caption),
            QString::fromUtf8(caption), n);
    add(lists, "Faktúry/Číselníky/P&arametre", QStringLiteral("P&arametre"));
    add(m, "Faktúry/&Poskytovateľ", QStringLiteral("&Poskytovateľ"));
    add(m, "Faktúry/&Dávky", QStringLiteral("&Dávky"), module::kDavka);
    add(m, "Faktúry/Pou&kazy", QStringLiteral("Pou&kazy"), module::kPoukazv);

    // Code lists.
    m = bar->addMenu(QStringLiteral("Čísel&níky"));
    const std::pair<const char*, int> codeLists[] = {{"&Optické pomôcky", module::kOptpom},
                                                     {"&Diagnózy", module::kDg},
                                                     {"&Zmluvy", module::kZmluva},
                                                     {"&Poisťovne", module::kPoist},
                                                     {"&Lekári", module::kLekar},
                                                     {"Časté pou&kazy", module::kCispou},
                                                     {"Poskytovateli&a", module::kPzs},
                                                     {nullptr, 0},
                                                     {"Tit&ul", module::kTitul},
                                                     {"&Dodávacie pošty", module::kPsc},
                                                     {"O&bce", module::kObce},
                                                     {"Ok&resy", module::kOkres},
                                                     {"Š&táty", module::kStat},
                                                     {nullptr, 0},
                                                     {"H&eslá", module::kHesla},
                                                     {"Prirade&né heslá", module::kPrihesf},
                                                     {nullptr, 0},
                                                     {"Typ sk&iel", module::kTypskl},
                                                     {"Typ rá&mu", module::kTypram},
                                                     {"T&yp kontaktných šošoviek", module::kTypks},
                                                     {nullptr, 0},
                                                     {"O&soby", module::kOsoba},
                                                     {"Po&hľad na zoznamy", module::kPohlad},
                                                     {"Polia do &filtra", module::kFilter1},
                                                     {"Uží&vatelia", module::kUziv}};
    for (const auto& [caption, n] : codeLists) {
        if (!caption) {
            m->addSeparator();
            continue;
        }
        add(m, QStringLiteral("Číselníky/") + QString::fromUtf8(caption),
            QString::fromUtf8(caption), n);
    }

    // Price lists.
    m = bar->addMenu(QStringLiteral("&Cenníky"));
    const std::pair<const char*, int> priceLists[] = {{"&Firmy", module::kFirmao},
                                                      {"&Sortiment", module::kSortim},
                                                      {"&Dioptrie", module::kDiop},
                                                      {"Úp&ravy", module::kUprava},
                                                      {"&Priemery", module::kPriemer}};
    for (const auto& [caption, n] : priceLists)
        add(m, QStringLiteral("Cenníky/") + QString::fromUtf8(caption), QString::fromUtf8(caption),
            n);
    m->addSeparator();
    // These three have never had an action.
    for (const char* caption : {"&Výber šošovky", "&Cenník šošoviek", "Ce&nník úprav"})
        add(m, QStringLiteral("Cenníky/") + QString::fromUtf8(caption), QString::fromUtf8(caption));

    // Imports.
    m = bar->addMenu(QStringLiteral("&Import"));
    for (const char* caption :
         {"Import &optických pomôcok (dávky 268, 335)", "Import optických &pomôcok zo súboru CSV",
          "", "Import &diagnóz", "Import diag&nóz zo súboru CSV"}) {
        if (!*caption)
            m->addSeparator();
        else
            add(m, QStringLiteral("Import/") + QString::fromUtf8(caption), QString::fromUtf8(caption));
    }
    m->addSeparator();
    add(m, "Import/Z pro&gramu Vidora pre DOS", QStringLiteral("Z pro&gramu Vidora pre DOS"));

    // The commands with a hint of their own; the others show their caption.
    const std::pair<const char*, const char*> hints[] = {
        {"Systém/Zmena &hesla ...", "Umožní zmeniť heslo pre plný prístup"},
        {"Číselníky/Časté pou&kazy", "Zoznam častých poukazov"},
        {"Číselníky/H&eslá", "Zoznam hesiel"},
        {"Číselníky/Prirade&né heslá", "Zoznam priradených hesiel"},
        {"Číselníky/Uží&vatelia", "Zoznam užívateľov"},
    };
    for (const auto& [path, hint] : hints)
        commands_.value(QString::fromUtf8(path))->setStatusTip(QString::fromUtf8(hint));

    for (QAction* a : bar->actions())
        RouteMenuLetters(a->menu());
    refreshCommands();
}

void TfHlavny::wire(const QString& path, std::function<void()> run) {
    QAction* a = commands_.value(path);
    if (!a)
        return;
    disconnect(a, &QAction::triggered, nullptr, nullptr);
    connect(a, &QAction::triggered, this, [run] { run(); });
    a->setEnabled(true);
}

void TfHlavny::refreshCommands() {
    for (auto it = listOf_.cbegin(); it != listOf_.cend(); ++it)
        commands_.value(it.key())->setEnabled(app_.registry.hasFactory(it.value()));
}

void TfHlavny::openList(int moduleNumber) {
    TfBrowse browser(app_, this);
    browser.Browse(moduleNumber, TfBrowse::DefaultButtons(), false);
}

void TfHlavny::closeEvent(QCloseEvent* event) {
    if (allowClose && AskConfirm(QStringLiteral("Chceš naozaj ukončiť program?"), this) != 1) {
        event->ignore();
        return;
    }
    if (allowClose && onClose)
        onClose();
    event->accept();
}

bool TfHlavny::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip && hintPanel) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        hintPanel->setText(tip.isEmpty() ? defaultHint() : ' ' + tip);
        return true;
    }
    return QMainWindow::event(event);
}

void TfHlavny::resizeEvent(QResizeEvent* event) { QMainWindow::resizeEvent(event); }

} // namespace vidoraw
