#include "users/tfheslo.h"

#include "core/interaction.h"
#include "users/programpassword.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
bool IsLatinLetter(QChar c) {
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

QLineEdit* NewPasswordEdit(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    // No length limit: the program sets the text, and a cut display would lose letters.
    e->setMinimumWidth(e->fontMetrics().averageCharWidth() * 22 + 14);
    e->setContextMenuPolicy(Qt::NoContextMenu);
    return e;
}

bool IsEnter(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
} // namespace

MaskedEntry::MaskedEntry(QLineEdit* field) : QObject(field), field_(field) {
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textChanged, this, &MaskedEntry::onTextChanged);
}

void MaskedEntry::clear() {
    typed_.clear();
    shown_.clear();
    pending_ = Pending::None;
    settingText_ = true;
    field_->clear();
    settingText_ = false;
}

bool MaskedEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        const QString text = k->text();
        if (k->key() == Qt::Key_Backspace) {
            pending_ = Pending::Backspace;
        } else if (text.size() == 1 && IsLatinLetter(text[0])) {
            pending_ = Pending::Letter;
            letter_ = text[0];
        } else {
            pending_ = Pending::None;
        }
    }
    return false; // the key still reaches the field
}

void MaskedEntry::onTextChanged() {
    if (settingText_)
        return;
    if (pending_ == Pending::Backspace) {
        if (!typed_.isEmpty()) {
            typed_.chop(1);
            shown_.chop(1);
        }
    } else if (pending_ == Pending::Letter) {
        typed_ += letter_;
        shown_ += u'*';
    }
    pending_ = Pending::None;
    // Whatever else changed the text (a digit, a paste, a deleted selection) is undone, and
    // the next key replaces the whole display.
    settingText_ = true;
    field_->setText(shown_);
    field_->selectAll();
    settingText_ = false;
}

TfHeslo::TfHeslo(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 4, 4);
    auto* row = new QHBoxLayout;
    label = new QLabel(this);
    eHeslo = NewPasswordEdit(this);
    label->setBuddy(eHeslo);
    row->addWidget(label);
    row->addWidget(eHeslo, 1);
    layout->addLayout(row);
    layout->addSpacing(6);
    layout->addWidget(makeButtonStrip());
    bbOk->setText(QStringLiteral("&Ok"));
    bbOk->setDefault(true);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    entry_ = new MaskedEntry(eHeslo);
    setMode(Mode::Login);
}

void TfHeslo::setMode(Mode mode) {
    mode_ = mode;
    const bool login = mode == Mode::Login;
    setWindowTitle(login ? QStringLiteral("Heslo") : QStringLiteral("Staré heslo"));
    label->setText(login ? QStringLiteral("Heslo : ") : QStringLiteral("Staré heslo:"));
}

bool TfHeslo::matches() const { return entry_->typed() == expected_; }

bool TfHeslo::closeWithOk() {
    if (!matches()) {
        QApplication::beep();
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Pokus o neoprávnený vstup do programu. Program bude ukončený!"),
                   NoticeKind::Error, this);
    } else if (mode_ == Mode::Login) {
        QApplication::beep();
        ShowNotice(QStringLiteral("Oznam"),
                   QStringLiteral("Máte možnosť opravovať údaje, pridávať nové záznamy a mazať "
                                  "existujúce záznamy. Prajem veľa chuti do práce!"),
                   NoticeKind::Information, this);
    }
    return true; // the caller decides what a wrong password means
}

void TfHeslo::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        pressOk();
        return;
    }
    TfMojForm::keyPressEvent(event);
}

void TfHeslo::showEvent(QShowEvent* event) {
    TfMojForm::showEvent(event);
    if (event->spontaneous())
        return; // the window came back from the task bar: keep what was typed
    // Read at every showing: another workstation may have changed it meanwhile.
    expected_ = ProgramPassword(app());
    entry_->clear();
    focusField(eHeslo);
}

TfZmenaheslo::TfZmenaheslo(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Zmena hesla"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 4, 4);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    eNove = NewPasswordEdit(this);
    eOpakovanie = NewPasswordEdit(this);
    form->addRow(QStringLiteral("Nové heslo :"), eNove);
    form->addRow(QStringLiteral("Opakovanie :"), eOpakovanie);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(makeButtonStrip());
    bbOk->setText(QStringLiteral("&Ok"));
    bbOk->setDefault(true);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    first_ = new MaskedEntry(eNove);
    second_ = new MaskedEntry(eOpakovanie);
}

void TfZmenaheslo::keyPressEvent(QKeyEvent* event) {
    // Enter goes on to the repetition, and from there confirms.
    if (IsEnter(event) && focusWidget() == eOpakovanie) {
        pressOk();
        return;
    }
    if (IsEnter(event) && focusWidget() == eNove) {
        focusField(eOpakovanie);
        return;
    }
    TfMojForm::keyPressEvent(event);
}

void TfZmenaheslo::showEvent(QShowEvent* event) {
    TfMojForm::showEvent(event);
    if (event->spontaneous())
        return;
    first_->clear();
    second_->clear();
    focusField(eNove);
}

} // namespace vidoraw
