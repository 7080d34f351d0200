#pragma once
// The general code lists: post offices, municipalities, districts, titles, states, persons,
// and the keywords companies are tagged with.
namespace vidoraw {

struct AppContext;

// Tells the registry how to make modules 5, 6, 7, 8, 12, 20, 49 and 50.
void RegisterCodeListModules(AppContext& app);

} // namespace vidoraw
