#pragma once
// The four aid lines of a voucher and of a frequent voucher: aid code and name, count, insurer
// and patient amounts, their sums, and what leaving each of these fields does.
#include "vouchers/aidcode.h"

#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;

namespace vidoraw {

class AppContext;

struct AidLine {
    QLineEdit* code = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* count = nullptr;
    QLineEdit* insurer = nullptr;
    QLineEdit* patient = nullptr;
};

// An amount as the forms show it: full precision, nothing for 0.
QString AidAmountText(double value);
// A shown amount; empty or not a number counts as 0.
double AidAmount(const QString& text);
// A whole number of pieces that fits the tables' count field.
bool IsAidCount(const QString& text);

class AidLinesBox : public QWidget {
    Q_OBJECT
public:
    // numbered: the lines carry "1." … "4." in front.
    AidLinesBox(AppContext& app, bool numbered, QWidget* parent);

    std::array<AidLine, 4> lines{};
    QLineEdit* insurerSum = nullptr;
    QLineEdit* patientSum = nullptr;
    // A computed insurer amount of 0 is shown as "0" on the first line, empty on the others.
    bool zeroOnFirstLine = false;

    int lineOf(const QObject* control) const;
    // What the lines show now counts as unchanged (after loading or filling them).
    void rememberTexts();
    void showNames();
    void showName(int line);
    // Leaving a line's field. checkCode asks the look-up itself (which says why it refuses);
    // the others give their message in *error.
    bool checkCode(int line);
    bool checkCount(int line, QString* error);
    // A disabled amount is kept as it is; an empty patient amount is allowed.
    bool checkAmount(int line, QLineEdit* amount, QString* error);
    void updateTotals();
    // The check of leaving control, one of the lines' fields; a message goes to complain.
    bool checkField(QWidget* control, const std::function<void(const QString&)>& complain);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recompute(int line);

    AppContext& app_;
    // Code and count as they were when the field was entered or the amount last computed.
    std::array<QString, 4> codes_;
    std::array<QString, 4> counts_;
};

} // namespace vidoraw
