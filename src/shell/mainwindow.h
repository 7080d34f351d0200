#pragma once
// The main window: menu bar, speed buttons and hint panel. Every command of the program starts
// here; a command whose module or dialog is not part of the program yet stays disabled.
#include "framework/appcontext.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QPushButton;

namespace vidoraw {

class TfHlavny : public QMainWindow {
    Q_OBJECT
public:
    explicit TfHlavny(AppContext& app);

    // Commands by their menu path ("Systém/&Reindexácia ..."): wiring one enables it.
    QAction* command(const QString& path) const { return commands_.value(path); }
    void wire(const QString& path, std::function<void()> run);
    QStringList commandPaths() const { return order_; }
    // Opens the list of module n (enabled when the registry can make the module).
    void openList(int moduleNumber);
    // Re-checks which "open list" commands the registry can serve.
    void refreshCommands();

    // Closing asks first unless the program ends because the login failed.
    bool allowClose = true;
    // What closing does once confirmed (writes the run state); set by start-up.
    std::function<void()> onClose;

    QLabel* hintPanel = nullptr;
    QWidget* header = nullptr;
    QList<QPushButton*> speedButtons;
    static QString defaultHint();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QAction* add(QMenu* menu, const QString& path, const QString& caption, int listModule = 0);

    AppContext& app_;
    QHash<QString, QAction*> commands_;
    QHash<QString, int> listOf_;
    QStringList order_;
};

} // namespace vidoraw
