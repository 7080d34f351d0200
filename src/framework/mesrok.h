#pragma once
// "Mesiac a rok ": a month and a year.
#include "framework/appcontext.h"
#include "framework/obd.h"

namespace vidoraw {

class TfMesrok : public QDialog {
    Q_OBJECT
public:
    // Preset to the current month and year.
    explicit TfMesrok(QWidget* parent = nullptr);
    int showModal();

    // 1..12; another month leaves the choice as it is.
    int month() const;
    void setMonth(int month);
    int year() const { return seRok->value(); }
    void setYear(int year) { seRok->setValue(year); }

    YearBox* seRok = nullptr;
    QButtonGroup* rgMesiac = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbSpat = nullptr;

private:
    void pressOk();
};

// month and year come in as the preset (a month outside 1..12 or a year of 0 leaves the
// current one) and go out as the choice; false after "Späť".
bool AskMonthYear(AppContext& app, int& month, int& year);

} // namespace vidoraw
