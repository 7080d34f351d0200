#pragma once
// The small dialogs of the filter builder: the value of one condition ("Konštanta"), the
// bounds of an interval ("Interval hodnôt") and the text asked for a placeholder of a saved
// filter ("Reťazec").
#include "framework/tfmojform.h"

class QLineEdit;
class QPushButton;

namespace vidoraw {

class TfKonst : public TfMojForm {
    Q_OBJECT
public:
    explicit TfKonst(AppContext& app, QWidget* parent = nullptr);
    QLineEdit* eKonst = nullptr;
    QPushButton* bbPomoc = nullptr; // has no action
};

class TfKoddom : public TfMojForm {
    Q_OBJECT
public:
    // fieldType: the type letter of the field the interval is for (0 when unknown).
    TfKoddom(AppContext& app, char fieldType, QWidget* parent = nullptr);
    QLineEdit* eOd = nullptr;
    QLineEdit* eDo = nullptr;
    QPushButton* bCasovy = nullptr; // "Časový interval": a period's first and last day
    // Whether the box holds a value of the field's type (only paints; OK takes any text).
    bool boxFits(QLineEdit* box);
    void choosePeriod();

protected:
    bool checkOnLeave(QWidget* control) override;

private:
    char type_;
};

class TfRetazec : public TfMojForm {
    Q_OBJECT
public:
    explicit TfRetazec(AppContext& app, QWidget* parent = nullptr);
    QLineEdit* eRetazec = nullptr;
    // The caption and label of this use; the box keeps the last answer.
    void prepare(const QString& caption, const QString& label);

protected:
    bool checkOnLeave(QWidget* control) override;
};

// The text prompt of the program (kept for the run): the answer, or an empty text after "Späť".
QString AskText(AppContext& app, QWidget* owner, const QString& caption, const QString& label);

} // namespace vidoraw
