#pragma once
// Base of every dialog the user fills in: OK and Back buttons, Enter/arrow navigation between
// fields, the field colours (normal, current, incorrect) and checks when a field is left.
#include "framework/appcontext.h"
#include "framework/formrows.h"

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;

namespace vidoraw {

class TfMojForm : public QDialog {
    Q_OBJECT
public:
    explicit TfMojForm(AppContext& app, QWidget* parent = nullptr);
    ~TfMojForm() override;

    AppContext& app() const { return app_; }

    // The modal showing of the dialog, through the interaction service (tests drive it).
    int showModal();
    // What OK and Back do (also their keys): OK only while it is enabled.
    void pressOk();
    void pressBack();

    // Places the dialog centred over owner and inside the screen.
    void centreOver(QWidget* owner);

    // Focus movement between the focusable, visible and enabled controls in tab order.
    void focusNextField();
    void focusPreviousField();
    void focusField(QWidget* control);

    enum class Colour { Normal, Current, Incorrect };
    void paintField(QWidget* control, Colour colour);
    // Marks a field incorrect, focuses it; for checks that keep the dialog open. The field
    // left by this move is not checked: the program moved the focus, not the user.
    void failField(QWidget* control);
    // Insert or F7 in the control runs pick (the explicit pick from a code list).
    void onPickKeys(QWidget* control, std::function<void()> pick);

    bool upArrowMoves = true;
    bool downArrowMoves = true;
    // Enter presses OK wherever the focus is (on "Späť" it goes back), for the small dialogs
    // where Enter confirms instead of moving on to the next field.
    bool enterConfirms = false;

    QPushButton* bbOk = nullptr;
    QPushButton* bbSpat = nullptr;

    // Trims the box's text, puts the trimmed text back and answers it.
    static QString trimmedText(QLineEdit* edit);

protected:
    // The rows of the dialog (made on first use; the dialog must have no other layout).
    FormRows& rows();
    // Puts the OK/Back strip under the rows.
    void finishLayout();
    // A check's message (title "Chyba"), over this dialog.
    void complain(const QString& text);
    // Runs when OK is pressed; true closes the dialog with OK.
    virtual bool closeWithOk() { return true; }
    // Runs when Back is pressed; true closes the dialog.
    virtual bool closeWithBack() { return true; }
    // A check when the user leaves a field for another one; answers whether it passed.
    virtual bool checkOnLeave(QWidget* /*control*/) { return true; }
    // The OK/Back strip at the bottom of the dialog.
    QWidget* makeButtonStrip();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    QList<QWidget*> focusableFields() const;
    static bool isFocusableKind(const QWidget* w);
    void onFocusChanged(QWidget* old, QWidget* now);

    AppContext& app_;
    QPointer<QWidget> current_;
    bool checking_ = false;
    QHash<QObject*, std::function<void()>> pickers_;
    std::unique_ptr<FormRows> rows_;
};

} // namespace vidoraw
