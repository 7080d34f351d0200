#pragma once
// The data version: each program version expects a layout of its tables; older data are
// brought up to it at start-up, step by step, each step in one transaction with the version
// it reaches, so that a step that fails leaves the data at the step before.
#include "framework/appcontext.h"
#include "maintenance/restructure.h"

#include <functional>

namespace vidoraw {

// The versions the steps reach, in order: "1,01" .. "1,15".
QStringList UpgradeVersions();

struct UpgradeOptions {
    // Called inside each step's transaction after its work, before the version is written;
    // false fails the step (tests force a failure with it).
    std::function<bool(const QString& version)> beforeCommit;
};

enum class UpgradeOutcome { Current, Upgraded, Failed };

// The stored data version as the window shows it ("1,15").
QString StoredDataVersion(AppContext& app);
// True (after the notice) when the data are newer than this program: it must end at once.
bool DataTooNew(AppContext& app, QWidget* owner = nullptr);
// Runs every step above the stored version in the window "Nová verzia programu".
UpgradeOutcome CheckDataVersion(AppContext& app, QWidget* owner = nullptr,
                                const UpgradeOptions& options = {});

} // namespace vidoraw
