#pragma once
// The municipality and postal code of a client or a customer card, checked against the
// municipality list (by the municipality key: name padded to 35 characters, then the postal
// code) and the post offices.
class QLineEdit;

namespace vidoraw {

struct AppContext;

struct AddressEdits {
    QLineEdit* municipality = nullptr;
    QLineEdit* postalCode = nullptr;
    QLineEdit* postOffice = nullptr;
    QLineEdit* key = nullptr; // hidden: the municipality key the look-up searches
};

// Forms the municipality key from what is entered.
void FormMunicipalityKey(const AddressEdits& a);
// A name held by exactly one municipality gives its postal code; then the municipality must be
// found by its key or picked from the list; it fills postal code and post office.
bool CheckMunicipality(AppContext& app, const AddressEdits& a);
// The postal code must be found in the post offices (or picked); it fills the post office.
bool CheckPostalCode(AppContext& app, const AddressEdits& a);
// Insert/F7: the municipality list, then postal code and post office of the one picked.
void PickMunicipality(AppContext& app, const AddressEdits& a);
// Insert/F7: the post offices.
void PickPostalCode(AppContext& app, const AddressEdits& a);

} // namespace vidoraw
