#include "invoicing/commentform.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "framework/notes.h"

#include <QFontDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vidoraw {

TfKomentar::TfKomentar(AppContext& app, int moduleNumber, const QString& fontSection)
    : TfDbForm(app, moduleNumber), fontSection_(fontSection) {
}

TableSchema TfKomentar::ChunkSchema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"KODH", 'F', 0}, {"TEXT", 'A', kNotesChunk}};
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Kodh", {"KODH"}, true)};
    return s;
}

void TfKomentar::finishComment() {
    mKomentar = new QPlainTextEdit(this);
    // Tab leaves the memo: Enter and the arrows stay inside it.
    mKomentar->setTabChangesFocus(true);
    mKomentar->setMinimumSize(mKomentar->fontMetrics().averageCharWidth() * 62, 180);
    rows().addRow(QStringLiteral("Komentár:"), mKomentar);
    bFont = new QPushButton(QStringLiteral("Font ..."), this);
    bFont->setAutoDefault(false);
    bFont->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    rows().addRow(QString(), bFont);
    finishLayout();
    connect(bFont, &QPushButton::clicked, this, &TfKomentar::chooseFont);
}

QFont TfKomentar::memoFont() const {
    return mKomentar->font();
}

void TfKomentar::applyFont(const QFont& font, const QColor& colour) {
    mKomentar->setFont(font);
    QPalette p = mKomentar->palette();
    if (colour.isValid()) p.setColor(QPalette::Text, colour);
    mKomentar->setPalette(p);
}

void TfKomentar::chooseFont() {
    QFontDialog dialog(mKomentar->font(), this);
    if (RunDialog(dialog) != QDialog::Accepted) return;
    const QFont chosen = dialog.selectedFont();
    applyFont(chosen, QColor());
    IniFile ini(QString::fromLatin1(kMainSettingsFile));
    ini.writeString(fontSection_, QStringLiteral("MENOFONT"), chosen.family());
    ini.writeInteger(fontSection_, QStringLiteral("HEIGHT"), std::max(1, chosen.pointSize()));
    ini.writeBool(fontSection_, QStringLiteral("BOLD"), chosen.bold());
    ini.writeBool(fontSection_, QStringLiteral("ITALIC"), chosen.italic());
    ini.writeBool(fontSection_, QStringLiteral("UNDERLINE"), chosen.underline());
    ini.writeBool(fontSection_, QStringLiteral("STRIKEOUT"), chosen.strikeOut());
    focusField(mKomentar);
}

int TfKomentar::EditComment(qint64 ownerCode, QWidget* over) {
    if (!OpenTable()) return 0;
    owner_ = ownerCode;
    showOwner(ownerCode);
    const IniFile ini(QString::fromLatin1(kMainSettingsFile));
    QFont font(ini.readString(fontSection_, QStringLiteral("MENOFONT")));
    font.setPointSize(std::max(1, ini.readInteger(fontSection_, QStringLiteral("HEIGHT"))));
    font.setBold(ini.readBool(fontSection_, QStringLiteral("BOLD")));
    font.setItalic(ini.readBool(fontSection_, QStringLiteral("ITALIC")));
    font.setUnderline(ini.readBool(fontSection_, QStringLiteral("UNDERLINE")));
    font.setStrikeOut(ini.readBool(fontSection_, QStringLiteral("STRIKEOUT")));
    applyFont(font, ini.readColor(fontSection_, QStringLiteral("COLOR")));
    mKomentar->setPlainText(LoadNotes(table_, ownerCode));
    recordMode = ModeEdit;
    result = 0;
    if (bbOk) bbOk->setEnabled(true);
    centreOver(over);
    focusField(mKomentar);
    showModal();
    recordMode = ModeView;
    return result;
}

bool TfKomentar::closeWithOk() {
    QString error;
    if (!SaveNotes(table_, owner_, mKomentar->toPlainText(), &error)) {
        ShowNotice(QStringLiteral("Chyba!"), saveErrorText(), NoticeKind::Error, this);
        return false;
    }
    result = 1;
    return true;
}

} // namespace vidoraw
