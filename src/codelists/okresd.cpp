#include "codelists/okresd.h"

#include <QLineEdit>

namespace vidoraw {

TfOkresd::TfOkresd(AppContext& app) : TfDbForm(app, kNumber) {
    addCodeRow(QStringLiteral("Kód :"));
    eOkres = rows().addRow(QStringLiteral("Okres :"), 30);
    finishLayout();
    bind(eOkres, QStringLiteral("OKRES"));
    checkedFields = {eOkres};
    refocusOnFailedLeave = true;
    DefineList();
}

TableSchema TfOkresd::Schema() {
    TableSchema s;
    s.fields = {{"KOD", 'F', 0}, {"OKRES", 'A', 30}};
    // Names compare without regard to case, in the list and in the duplicate test alike.
    s.indexes = {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Okres", {"OKRES"}, true)};
    // Code 5 is not used. The names carry no trailing "|": a district name is only its name.
    s.initialRows = {
        "1|Lučenec", "2|Rimavská Sobota", "3|Galanta",
        "4|Kežmarok", "6|Turčianské Teplice", "7|Prešov",
        "8|Trenčín", "9|Humenné", "10|Trebišov",
        "11|Nitra", "12|Senec", "13|Dunajská Streda",
        "14|Komárno", "15|Liptovský Mikuláš", "16|Nové Zámky",
        "17|Stará Ľubovňa", "18|Topoľčany", "19|Rožňava",
        "20|Levice", "21|Spišská Nová Ves", "22|Vranov nad Topľou",
        "23|Námestovo", "24|Zvolen", "25|Bytča",
        "26|Žilina", "27|Myjava", "28|Brezno",
        "29|Košice-okolie", "30|Krupina", "31|Banská Štiavnica",
        "32|Banská Bystrica", "33|Pezinok", "34|Michalovce",
        "35|Sabinov", "36|Levoča", "37|Veľký Krtíš",
        "38|Stropkov", "39|Piešťany", "40|Prievidza",
        "41|Bánovce nad Bebravou", "42|Žarnovica", "43|Košice IV",
        "44|Žiar nad Hronom", "45|Sobrance", "46|Partizánske",
        "47|Poprad", "48|Nové Mesto n.Váhom", "49|Revúca",
        "50|Martin", "51|Snina", "52|Zlaté Moravce",
        "53|Považská Bystrica", "54|Svidník", "55|Púchov",
        "56|Dolný Kubín", "57|Ružomberok", "58|Trnava",
        "59|Senica", "60|Čadca", "61|Ilava",
        "62|Hlohovec", "63|Malacky", "64|Medzilaborce",
        "65|Bratislava", "66|Detva", "67|Poltár",
        "68|Tvrdošín", "69|Skalica", "70|Kysucké Nové Mesto",
        "71|Gelnica", "72|Bratislava V", "73|Košice III",
        "74|Bratislava IV", "75|Šaľa", "76|Bratislava III",
        "77|Čadca 4", "78|Košice I", "79|Košice II",
        "80|Bratislava II", "81|Bardejov",
    };
    return s;
}

void TfOkresd::DefineList() {
    TfDbForm::DefineList();
    list.defineSimple({"KOD", "OKRES"}, {"Kód", "Okres"}, QStringLiteral("Zoznam okresov"));
}

bool TfOkresd::checkField(QWidget* control) {
    if (control != eOkres)
        return true;
    const QString name = trimmedText(eOkres);
    if (name.isEmpty()) {
        complain(QStringLiteral("Okres nesmie byť prázdny!"));
        return false;
    }
    if (isDuplicate(QStringLiteral("OKRES"), name)) {
        complain(QStringLiteral("Duplicitný názov okresu!"));
        return false;
    }
    return true;
}

} // namespace vidoraw
