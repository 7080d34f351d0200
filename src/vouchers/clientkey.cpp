#include "vouchers/clientkey.h"

#include "framework/tfdbform.h"

namespace vidoraw {

bool FindClient(AppContext& app, const ClientKey& key, const QStringList& fields,
                QStringList& values) {
    return LookupFields(app, module::kKlient, kClientKeyOrder, key.values(), fields, values);
}

} // namespace vidoraw
