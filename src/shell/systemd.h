#pragma once
// Module 1: the system record (SYSTEM.DB), one record of program-wide settings, and the
// small operations on it that start-up and the settings dialogs use.
#include "framework/systemrecord.h"
#include "framework/tfdbform.h"

namespace vidoraw {

class TfSystemd : public TfDbForm {
    Q_OBJECT
public:
    static constexpr int kNumber = module::kSystem;
    static TableSchema Schema();
    explicit TfSystemd(AppContext& app, QWidget* parent = nullptr);
    void DefineList() override;

    QLineEdit* eMenoFontB = nullptr;
    QLineEdit* eMenoFont = nullptr;
};

// The data version a new data directory starts at.
inline constexpr double kNewestDataVersion = 1.15;

// Makes sure SYSTEM.DB holds its record (a new data directory gets data version 1.15, run
// state "A", owner number 1). False with a notice when the tables cannot be made.
bool EnsureSystemRecord(AppContext& app);
// The run state: "A" normal end, "B" running (or crashed), "C" reindex wanted.
bool SetRunState(AppContext& app, const QString& state);

} // namespace vidoraw
