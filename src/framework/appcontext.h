#pragma once
// What the running program shares with every module: the data, the registry, the user and
// the look of record forms. One object, owned by the program (or a test), passed down.
#include "core/moduleregistry.h"
#include "reports/reportwriter.h"

#include <QColor>
#include <QString>

class QWidget;

namespace vidoraw {

class Database;

// Backgrounds of edit controls in record forms.
struct FieldColours {
    QColor normal{255, 255, 255};
    QColor current{255, 255, 196};
    QColor incorrect{255, 160, 160};
};

struct AppContext {
    Database* db = nullptr;
    ModuleRegistry registry;
    FieldColours colours;
    QString userCode = QStringLiteral("1");
    QString userName = QStringLiteral("OBECNY");
    QWidget* mainWindow = nullptr;
    QString listFont; // MENOFONTB
    ReportWriter reports;
};

} // namespace vidoraw
