#pragma once
// How a subsystem announces one of its record-form modules: the class states its number
// (kNumber) and its table (Schema()) once; the registry makes the module on first use.
#include "framework/appcontext.h"

#include <memory>

namespace vidoraw {

template <class Form> void RegisterModule(AppContext& app) {
    app.registry.setFactory(
        Form::kNumber, [&app] { return std::make_unique<Form>(app); }, &Form::Schema);
}

} // namespace vidoraw
