#pragma once
// The general code lists: post offices, municipalities, districts, titles, states, persons.
namespace vidoraw {

struct AppContext;

// Tells the registry how to make modules 5, 6, 7, 8, 12 and 20.
void RegisterCodeListModules(AppContext& app);

} // namespace vidoraw
