#pragma once
// The running program: its create step, the start sequence (login, data version, run state,
// reindexing), reindexing all tables, and the end.
#include "framework/appcontext.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;

namespace vidoraw {

class TfHlavny;

class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(AppContext& app);
    ~Program() override;

    // Opens the data directory, creates the main window and the system and owner records.
    bool create(const QString& dataDirectory, QString* error);
    // Arms the 100 ms start timer; the start sequence runs from the event loop.
    void start();
    // The start sequence (the start timer ends here). False when the program must end.
    bool runStartSequence();

    // Reindexes every table; asks first when asked is true (the menu command).
    bool ReindexAll(bool ask);

    // The small settings windows of the "Systém" menu.
    void commandSettings();
    void commandFonts();
    void commandFieldColours();
    void commandListColours();
    void commandAbout();

    TfHlavny* mainWindow() const { return window_.get(); }
    Database* database() const { return db_.get(); }

    // Steps that later parts of the program plug in.
    std::function<bool()> login;              // false: the program ends at once
    // The data version check: Upgraded (then all is reindexed), or Stop when the data cannot
    // be used as they are (a failed upgrade step): the program ends at once.
    enum class DataCheck { Current, Upgraded, Stop };
    std::function<DataCheck()> dataVersionCheck;
    std::function<bool()> dataTooNew;         // true: the program ends at once
    std::function<QStringList()> loggedInUsers;
    // Loads the VAT rates in force into the context (the create step runs it).
    std::function<void()> loadVatRates;

signals:
    void started();

private:
    bool reindexPass(QLabel* label, QProgressBar* bar);
    void loadWriterSettings();
    void loadColours();
    void saveColours();
    void applyListFont();
    void end();

    AppContext& app_;
    std::unique_ptr<Database> db_;
    std::unique_ptr<TfHlavny> window_;
    QTimer startTimer_;
};

// Makes the modules of the application core known to the registry (1, 4, 24, 25).
void RegisterShellModules(AppContext& app);

} // namespace vidoraw
