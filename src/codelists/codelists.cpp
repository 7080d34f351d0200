#include "codelists/codelists.h"

#include "codelists/obecd.h"
#include "codelists/okresd.h"
#include "codelists/osobad.h"
#include "codelists/pscd.h"
#include "codelists/statd.h"
#include "codelists/tituld.h"

namespace vidoraw {

namespace {
template <class Form> void Register(AppContext& app, int number) {
    app.registry.setFactory(number, [&app] { return std::make_unique<Form>(app); });
}
} // namespace

void RegisterCodeListModules(AppContext& app) {
    Register<TfPscd>(app, 5);
    Register<TfObecd>(app, 6);
    Register<TfOkresd>(app, 7);
    Register<TfTituld>(app, 8);
    Register<TfStatd>(app, 12);
    Register<TfOsobad>(app, 20);
}

} // namespace vidoraw
