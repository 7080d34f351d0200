#pragma once
// The small table of persons the engine tests and their second process work on.
#include "core/engine/fielddef.h"

namespace vidoraw::test {

inline FieldDefs PersonFields() {
    return {{"KOD", 'N', 0},   {"PRIEZ", 'A', 20}, {"MENO", 'A', 12}, {"MESTO", 'A', 20},
            {"DATNAR", 'D', 0}, {"SUMA", 'F', 0},  {"POCET", 'I', 0}, {"PLATCA", 'L', 0}};
}

inline IndexDefs PersonIndexes() {
    return {IndexDef::Primary({"KOD"}), IndexDef::Secondary("Priez", {"PRIEZ"}, true),
            IndexDef::Secondary("Mesto", {"MESTO", "PRIEZ"}, true),
            IndexDef::Secondary("Meno", {"MENO"}, false)};
}

} // namespace vidoraw::test
