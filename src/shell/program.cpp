#include "shell/program.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "core/values.h"
#include "framework/filter1d.h"
#include "framework/filterd.h"
#include "framework/nastavd.h"
#include "framework/views.h"
#include "shell/farbyprvkovf.h"
#include "shell/farbyzoznamovf.h"
#include "shell/fontyf.h"
#include "shell/mainwindow.h"
#include "shell/nastavf.h"
#include "shell/okraje.h"
#include "shell/oprogramef.h"
#include "shell/posunzd.h"
#include "framework/registermodule.h"
#include "shell/systemd.h"
#include "shell/vlastnikd.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace vidoraw {

void RegisterShellModules(AppContext& app) {
    RegisterModule<TfSystemd>(app);
    RegisterModule<TfNastavd>(app);
    RegisterModule<TfFilterd>(app);
    RegisterModule<TfPohladd>(app);
    RegisterModule<TfVlastnikd>(app);
    RegisterModule<TfPosunzd>(app);
    RegisterModule<TfFilter1d>(app);
}

Program::Program(AppContext& app) : app_(app) {
    startTimer_.setSingleShot(true);
    startTimer_.setInterval(100);
    connect(&startTimer_, &QTimer::timeout, this, [this] {
        if (runStartSequence())
            emit started();
    });
}

Program::~Program() {
    app_.registry.ReleaseAll();
    app_.registry.ReleaseModule(module::kSystem);
    saveColours();
}

void Program::loadColours() {
    app_.listColours = ReadListColours();
    IniFile ini(QStringLiteral("VIDORAW.INI"));
    const QString s = QStringLiteral("PRVKY");
    app_.colours.normal = ini.readColor(s, QStringLiteral("FARBAOK"), app_.colours.normal);
    app_.colours.current = ini.readColor(s, QStringLiteral("FARBAAKTU"), app_.colours.current);
    app_.colours.incorrect = ini.readColor(s, QStringLiteral("FARBANOOK"), app_.colours.incorrect);
}

void Program::saveColours() {
    WriteListColours(app_.listColours);
    IniFile ini(QStringLiteral("VIDORAW.INI"));
    const QString s = QStringLiteral("PRVKY");
    ini.writeColor(s, QStringLiteral("FARBAOK"), app_.colours.normal);
    ini.writeColor(s, QStringLiteral("FARBAAKTU"), app_.colours.current);
    ini.writeColor(s, QStringLiteral("FARBANOOK"), app_.colours.incorrect);
}

bool Program::create(const QString& dataDirectory, QString* error) {
    db_ = Database::open(dataDirectory, error);
    if (!db_)
        return false;
    app_.db = db_.get();
    app_.registry.setDatabase(db_.get());
    app_.reports.setReportFileName(ReportWriter::DefaultReportFileName());
    window_ = std::make_unique<TfHlavny>(app_);
    window_->onClose = [this] { end(); };
    loadColours();
    if (loadVatRates)
        loadVatRates();
    if (!EnsureSystemRecord(app_) || !EnsureOwnerRecord(app_)) {
        if (error)
            *error = QStringLiteral("Systémový záznam alebo záznam vlastníka sa nedá vytvoriť.");
        return false;
    }
    window_->refreshCommands();
    window_->wire(QStringLiteral("Systém/&Reindexácia ..."), [this] { ReindexAll(true); });
    window_->wire(QStringLiteral("Systém/V&lastník ..."), [this] { EditOwnerRecord(app_); });
    window_->wire(QStringLiteral("Systém/Na&stavenia ..."), [this] { commandSettings(); });
    window_->wire(QStringLiteral("Systém/&Font ..."), [this] { commandFonts(); });
    window_->wire(QStringLiteral("Systém/Farby &prvkov"), [this] { commandFieldColours(); });
    window_->wire(QStringLiteral("Systém/Farby pre &zoznamy ..."), [this] { commandListColours(); });
    window_->wire(QStringLiteral("Systém/O pro&grame ..."), [this] { commandAbout(); });
    window_->wire(QStringLiteral("Systém/O&kraje stránky ..."),
                  [this] { EditPageMargins(app_, window_.get()); });
    return true;
}

void Program::start() { startTimer_.start(); }

void Program::loadWriterSettings() {
    ReportSettings s;
    s.fontName = SystemField(app_, QStringLiteral("MENOFONT"));
    auto margin = [this](const char* field) {
        double v = 0;
        return DecimalFromText(SystemField(app_, QString::fromLatin1(field)), v) ? v : 0.0;
    };
    s.left = margin("OKRAJL");
    s.right = margin("OKRAJP");
    s.top = margin("OKRAJH");
    s.bottom = margin("OKRAJD");
    app_.reports.applySettings(s);
    app_.listFont = SystemField(app_, QStringLiteral("MENOFONTB"));
}

bool Program::runStartSequence() {
    startTimer_.stop();
    if (login && !login()) {
        window_->allowClose = false;
        window_->close();
        return false;
    }
    if (dataTooNew && dataTooNew()) {
        window_->allowClose = false;
        window_->close();
        return false;
    }
    const DataCheck data = dataVersionCheck ? dataVersionCheck() : DataCheck::Current;
    if (data == DataCheck::Stop) {
        window_->allowClose = false;
        window_->close();
        return false;
    }
    if (data == DataCheck::Upgraded) {
        ReindexAll(false);
        SetRunState(app_, QStringLiteral("A"));
    }
    loadWriterSettings();
    const QString state = SystemField(app_, QStringLiteral("STAV"));
    if (state == QLatin1String("C")) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Nová verzia programu! Prebehne reindexácia súborov!"),
                   NoticeKind::Information, window_.get());
        ReindexAll(false);
    } else if (state == QLatin1String("B") && !db_->othersConnected()) {
        // While other workstations have the data open, "B" is their running mark, not a crash
        // (and the reindexing would be refused anyway).
        if (AskConfirm(QStringLiteral("Posledné spustenie programu nebolo správne ukončené! Mám "
                                      "vykonať reindexáciu súborov?"),
                       window_.get()) == 1)
            ReindexAll(false);
    }
    SetRunState(app_, QStringLiteral("B"));
    app_.vatPayer = OwnerField(app_, QStringLiteral("PLATCADAN"));
    app_.ajsdph = OwnerField(app_, QStringLiteral("AJSDPH"));
    if (app_.ajsdph.isEmpty())
        app_.ajsdph = QStringLiteral("N");
    applyListFont();
    return true;
}

void Program::applyListFont() {
    if (app_.listFont.isEmpty())
        return;
    QFont f = window_->font();
    f.setFamily(app_.listFont);
    window_->header->setFont(f);
    window_->hintPanel->setFont(f);
}


void Program::commandSettings() {
    TfNastavf dialog(app_, window_.get());
    dialog.centreOver(window_.get());
    dialog.showModal();
}

void Program::commandFonts() {
    TfFontyf dialog(app_, window_.get());
    dialog.centreOver(window_.get());
    if (dialog.showModal() == QDialog::Accepted)
        applyListFont();
}

void Program::commandFieldColours() {
    TfFarbyPrvkovf dialog(app_, window_.get());
    dialog.centreOver(window_.get());
    dialog.showModal();
}

void Program::commandListColours() {
    TfFarbyZoznamovf dialog(app_, window_.get());
    dialog.centreOver(window_.get());
    dialog.showModal();
}

void Program::commandAbout() {
    TfOProgramef dialog(app_, window_.get());
    dialog.centreOver(window_.get());
    dialog.showModal();
}

void Program::end() {
    // The last program to end marks the normal end; the others leave the running mark.
    if (!db_->othersConnected())
        SetRunState(app_, QStringLiteral("A"));
}

bool Program::ReindexAll(bool ask) {
    if (ask && AskConfirm(QStringLiteral(" Mám naozaj vykonať reindexáciu všetkých databáz? "),
                          window_.get()) != 1)
        return false;
    QDialog progress(window_.get());
    progress.setWindowTitle(QStringLiteral("Reindexácia"));
    auto* layout = new QVBoxLayout(&progress);
    auto* label = new QLabel(&progress);
    auto* bar = new QProgressBar(&progress);
    label->setMinimumWidth(320);
    layout->addWidget(label);
    layout->addWidget(bar);
    progress.show();
    app_.registry.ReleaseAll();
    bool ok = true;
    for (int n = 2; n <= kModuleCount && ok; ++n) {
        if (!app_.registry.EnsureModule(n))
            continue;
        ok = reindexPass(label, bar);
        app_.registry.ReleaseAll();
    }
    progress.hide();
    if (auto* system = app_.registry.module(module::kSystem))
        system->OpenTable();
    if (ok && ask)
        ShowNotice(QStringLiteral("Oznam"), QStringLiteral("Reindexácia prebehla úspešne."),
                   NoticeKind::Information, window_.get());
    return ok;
}

bool Program::reindexPass(QLabel* label, QProgressBar* bar) {
    const std::vector<int> numbers = app_.registry.numbers();
    for (int n : numbers)
        app_.registry.module(n)->table().close();
    if (!db_->tryExclusive()) {
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Pre reindexáciu súborov je potrebný exkluzívny-výradný prístup "
                                  "k databázam. Všetci ostatní užívatelia musia ukončiť program."),
                   NoticeKind::Information, window_.get());
        QStringList users = loggedInUsers ? loggedInUsers() : QStringList();
        // Without marks in the user list, the workstations the database server names.
        if (users.isEmpty())
            users = db_->otherPrograms();
        if (!users.isEmpty())
            ShowNotice(QStringLiteral("Zoznam prihlásených užívateľov"), users.join('\n'),
                       NoticeKind::Information, window_.get());
        return false;
    }
    bar->setRange(0, int(numbers.size()));
    bool ok = true;
    for (size_t i = 0; i < numbers.size() && ok; ++i) {
        RecordModule* m = app_.registry.module(numbers[i]);
        label->setText(m->listTitle());
        QCoreApplication::processEvents();
        Table& t = m->table();
        QString why;
        if (!t.exists()) {
            ok = m->CreateTable(t.tableName()); // says itself what went wrong
        } else if (!m->DefineIndexes(t, &why)) {
            ok = false;
            ShowNotice(QStringLiteral("Chyba"),
                       QStringLiteral("Reindexácia tabuľky %1 sa nepodarila: %2")
                           .arg(t.tableName(), why),
                       NoticeKind::Error, window_.get());
        }
        bar->setValue(int(i) + 1);
        QCoreApplication::processEvents();
    }
    db_->releaseExclusive();
    label->clear();
    bar->reset();
    return ok;
}

} // namespace vidoraw
