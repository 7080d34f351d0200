#include "framework/cp1250input.h"

#include "core/base/codepage.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>
#include <QValidator>

#include <memory>

namespace vidoraw {

namespace {

const char* const kGuarded = "vidorawCp1250";

// The first character of text that code page 1250 cannot hold; null when there is none.
QChar Foreign(const QString& text) {
    unsigned char byte = 0;
    for (QChar ch : text)
        if (!Cp1250Byte(ch, byte))
            return ch;
    return QChar();
}

void Explain(QWidget* field, QChar refused) {
    QApplication::beep();
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())),
                       QStringLiteral("Znak „%1“ sa do súborov nedá zapísať (kódová stránka 1250).")
                           .arg(refused),
                       field);
}

class Cp1250Validator : public QValidator {
public:
    Cp1250Validator(QLineEdit* field, const QValidator* inner)
        : QValidator(field), field_(field), inner_(inner) {
        connect(field, &QLineEdit::inputRejected, this, [this] {
            // Only a change this validator undid: a field the program filled with such a
            // character takes the user's edits as they come.
            if (!refused_.isNull() && Foreign(field_->text()).isNull())
                Explain(field_, refused_);
            refused_ = QChar();
        });
    }

    State validate(QString& input, int& pos) const override {
        const QChar bad = Foreign(input);
        if (!bad.isNull()) {
            refused_ = bad;
            return Invalid;
        }
        return inner_ ? inner_->validate(input, pos) : Acceptable;
    }
    void fixup(QString& input) const override {
        if (inner_)
            inner_->fixup(input);
    }

private:
    QLineEdit* field_;
    QPointer<const QValidator> inner_;
    mutable QChar refused_;
};

// Multi-line fields have no validator: what a user's edit added is taken out again at once.
template <class Edit> void GuardDocument(Edit* field) {
    QTextDocument* doc = field->document();
    auto busy = std::make_shared<bool>(false);
    QObject::connect(doc, &QTextDocument::contentsChange, field,
                     [field, doc, busy](int position, int, int added) {
                         // The program's own filling happens without the focus in the field.
                         if (*busy || added <= 0 || !field->hasFocus())
                             return;
                         QTextCursor c(doc);
                         c.setPosition(position);
                         c.setPosition(std::min(position + added, doc->characterCount() - 1),
                                       QTextCursor::KeepAnchor);
                         // Line breaks come as separators here; the stored text has CR LF.
                         auto held = [](QChar ch) {
                             unsigned char byte = 0;
                             return ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator ||
                                    Cp1250Byte(ch, byte);
                         };
                         const QString text = c.selectedText();
                         QChar bad;
                         QString kept;
                         for (QChar ch : text) {
                             if (held(ch))
                                 kept += ch;
                             else if (bad.isNull())
                                 bad = ch;
                         }
                         if (bad.isNull())
                             return;
                         *busy = true;
                         c.joinPreviousEditBlock();
                         c.insertText(kept);
                         c.endEditBlock();
                         *busy = false;
                         Explain(field, bad);
                     });
}

} // namespace

void AcceptOnlyCp1250(QLineEdit* field) {
    if (!field || field->property(kGuarded).toBool())
        return;
    field->setProperty(kGuarded, true);
    field->setValidator(new Cp1250Validator(field, field->validator()));
}

void AcceptOnlyCp1250(QPlainTextEdit* field) {
    if (!field || field->property(kGuarded).toBool())
        return;
    field->setProperty(kGuarded, true);
    GuardDocument(field);
}

void AcceptOnlyCp1250(QTextEdit* field) {
    if (!field || field->property(kGuarded).toBool())
        return;
    field->setProperty(kGuarded, true);
    GuardDocument(field);
}

void AcceptOnlyCp1250In(QWidget* root) {
    if (!root)
        return;
    for (QLineEdit* e : root->findChildren<QLineEdit*>())
        if (!qobject_cast<QAbstractSpinBox*>(e->parentWidget()))
            AcceptOnlyCp1250(e);
    for (QPlainTextEdit* e : root->findChildren<QPlainTextEdit*>())
        AcceptOnlyCp1250(e);
    for (QTextEdit* e : root->findChildren<QTextEdit*>())
        AcceptOnlyCp1250(e);
}

} // namespace vidoraw
