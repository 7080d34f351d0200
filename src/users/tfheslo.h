#pragma once
// The password windows: the question for the program password (at start and before a change)
// and the window taking the new password twice. Their entry fields show one "*" per letter and
// keep the letters themselves out of the field.
#include "framework/tfmojform.h"

class QLabel;
class QLineEdit;

namespace vidoraw {

// A masked entry on a line edit: only the 52 Latin letters are taken into the password, the
// field shows one "*" for each, and every other change of the field's text is undone.
class MaskedEntry : public QObject {
    Q_OBJECT
public:
    explicit MaskedEntry(QLineEdit* field);

    QString typed() const { return typed_; }
    QLineEdit* field() const { return field_; }
    // Empties password, display and pending key (each showing of the window starts here).
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTextChanged();

    enum class Pending { None, Letter, Backspace };
    QLineEdit* field_;
    QString typed_;
    QString shown_;
    Pending pending_ = Pending::None;
    QChar letter_;
    bool settingText_ = false;
};

class TfHeslo : public TfMojForm {
    Q_OBJECT
public:
    enum class Mode { Login, OldPassword };

    explicit TfHeslo(AppContext& app, QWidget* parent = nullptr);

    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    // Whether the letters typed so far are the program password read at the showing.
    bool matches() const;
    QString typed() const { return entry_->typed(); }

    QLabel* label = nullptr;
    QLineEdit* eHeslo = nullptr;

protected:
    bool closeWithOk() override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MaskedEntry* entry_ = nullptr;
    Mode mode_ = Mode::Login;
    QString expected_;
};

class TfZmenaheslo : public TfMojForm {
    Q_OBJECT
public:
    explicit TfZmenaheslo(AppContext& app, QWidget* parent = nullptr);

    QString newPassword() const { return first_->typed(); }
    QString repeated() const { return second_->typed(); }

    QLineEdit* eNove = nullptr;
    QLineEdit* eOpakovanie = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MaskedEntry* first_ = nullptr;
    MaskedEntry* second_ = nullptr;
};

} // namespace vidoraw
