#include "framework/stringsearch.h"

#include "core/base/codepage.h"
#include "core/interaction.h"
#include "core/settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vidoraw {

namespace {
const QString kFile = QStringLiteral("HLADANIE.INI");
const QString kSection = QStringLiteral("HLADANIE");
} // namespace

TfHladajRetazec::TfHladajRetazec(AppContext& app, QWidget* parent) : TfMojForm(app, parent) {
    setWindowTitle(QStringLiteral("Hľadaj reťazec"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    eRetazec = new QLineEdit(this);
    form->addRow(QStringLiteral("Reťazec :"), eRetazec);
    layout->addLayout(form);
    cbMaleVelke = new QCheckBox(QStringLiteral("Nerozlišuj malé a veľké písmená"), this);
    cbDiakritika = new QCheckBox(QStringLiteral("Ignoruj diakritiku"), this);
    layout->addWidget(cbMaleVelke);
    layout->addWidget(cbDiakritika);
    layout->addWidget(makeButtonStrip());
    IniFile ini(kFile);
    eRetazec->setText(ini.readString(kSection, QStringLiteral("RETAZEC")));
    cbMaleVelke->setChecked(ini.readBool(kSection, QStringLiteral("MALEVELKE")));
    cbDiakritika->setChecked(ini.readBool(kSection, QStringLiteral("DIAKRITIKA")));
}

QString TfHladajRetazec::prepare(const QString& text) const {
    QString t = text;
    if (cbDiakritika->isChecked())
        t = StripDiacritics(t);
    if (cbMaleVelke->isChecked())
        t = t.toUpper();
    return t;
}

bool TfHladajRetazec::closeWithOk() {
    if (eRetazec->text().isEmpty()) {
        ShowNotice(QStringLiteral("Chyba"), QStringLiteral(" Hľadaný reťazec nesmie byť prázdny. "),
                   NoticeKind::Error, this);
        failField(eRetazec);
        return false;
    }
    IniFile ini(kFile);
    ini.writeString(kSection, QStringLiteral("RETAZEC"), eRetazec->text());
    ini.writeBool(kSection, QStringLiteral("MALEVELKE"), cbMaleVelke->isChecked());
    ini.writeBool(kSection, QStringLiteral("DIAKRITIKA"), cbDiakritika->isChecked());
    return true;
}

} // namespace vidoraw
