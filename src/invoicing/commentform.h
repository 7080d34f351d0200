#pragma once
// The comment window of a company or a person: the owner shown read-only above a memo of any
// length, kept as 76-character rows of the module's table. The memo font is the user's own,
// chosen with "Font ..." and kept in the settings.
#include "framework/tfdbform.h"

class QPlainTextEdit;
class QPushButton;

namespace vidoraw {

class TfKomentar : public TfDbForm {
    Q_OBJECT
public:
    // fontSection: the settings section of the memo font ("VIDORAWFIRMA", "VIDORAWOSOBA").
    TfKomentar(AppContext& app, int moduleNumber, const QString& fontSection);
    // The rows table every comment module has.
    static TableSchema ChunkSchema();

    // Edits the owner's comment, centred over `over`; answers 1 when it was saved.
    int EditComment(qint64 ownerCode, QWidget* over);
    qint64 ownerCode() const { return owner_; }
    // "Font ...": the font dialog on the memo's font; a chosen font is used and kept at once.
    void chooseFont();
    QFont memoFont() const;

    QPlainTextEdit* mKomentar = nullptr;
    QPushButton* bFont = nullptr;

protected:
    // The memo and the "Font ..." button under the owner's rows, then the OK/Back strip.
    void finishComment();
    // Fills the owner's read-only rows.
    virtual void showOwner(qint64 ownerCode) = 0;
    bool closeWithOk() override;

private:
    void applyFont(const QFont& font, const QColor& colour);
    QString fontSection_;
    qint64 owner_ = 0;
};

} // namespace vidoraw
