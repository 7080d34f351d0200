#pragma once
// What the running program shares with every module: the data, the registry, the user and
// the look of record forms. One object, owned by the program (or a test), passed down.
#include "core/moduleregistry.h"
#include "reports/reportwriter.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>

class QUrl;
class QWidget;

namespace vidoraw {

class Database;

// Backgrounds of edit controls in record forms.
struct FieldColours {
    QColor normal{255, 255, 255};
    QColor current{255, 255, 196};
    QColor incorrect{255, 160, 160};
};

// Row colours of lists: rows alternate between pair 1 (rows 0, 2, ...) and pair 2, and the
// scheme the colours came from (0..8 the ready-made schemes, 9 the user's own).
struct ListColours {
    QColor background1{255, 255, 255};
    QColor text1{0, 0, 0};
    QColor background2{255, 255, 255};
    QColor text2{0, 0, 0};
    int scheme = 8;
    bool operator==(const ListColours&) const = default;
};

// A window kept for the whole run, so that it remembers its state between uses; made on first
// use and freed with the context, unless its parent window freed it first.
class KeptWindow {
public:
    KeptWindow() = default;
    KeptWindow(const KeptWindow&) = delete;
    KeptWindow& operator=(const KeptWindow&) = delete;
    ~KeptWindow() { delete window.data(); }
    QPointer<QObject> window;
};

struct AppContext {
    Database* db = nullptr;
    ModuleRegistry registry;
    FieldColours colours;
    ListColours listColours;
    QString userCode = QStringLiteral("1");
    QString userName = QStringLiteral("OBECNY");
    QWidget* mainWindow = nullptr;
    QString listFont; // MENOFONTB
    // The three VAT rates in force for the run (percent), loaded at start from the tax table.
    std::array<int, 3> vatRates{0, 6, 23};
    // Flags of the owner record, read at start: a VAT payer, and AJSDPH ("A"/"N").
    QString vatPayer = QStringLiteral("N");
    QString ajsdph = QStringLiteral("N");
    ReportWriter reports;
    // The bulk set's random choices: one sequence per run, starting from seed 0.
    quint32 randomSeed = 0;
    // Shows a file with the desktop's program for it (default: QDesktopServices); tests replace
    // it so that no program starts.
    std::function<bool(const QUrl&)> openOnDesktop;
    // Starts another program without waiting (default: a detached process); tests replace it
    // so that no program starts.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
    // The shared small windows (last: they refer to the context and go first).
    KeptWindow calendar;        // PickDate
    KeptWindow period;          // AskPeriod
    KeptWindow directoryChoice; // ChooseDirectory
    KeptWindow info;            // ShowInfo
    KeptWindow textPrompt;      // AskText
};

} // namespace vidoraw
