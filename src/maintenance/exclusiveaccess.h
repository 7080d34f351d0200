#pragma once
// The data alone for one operation: no other program has them open, this one's module
// tables are closed meanwhile; the system record's table opens again at the end.
#include "framework/appcontext.h"

namespace vidoraw {

class ExclusiveAccess {
public:
    // Says why when the data are in use elsewhere (see granted()).
    ExclusiveAccess(AppContext& app, QWidget* owner);
    ~ExclusiveAccess();
    ExclusiveAccess(const ExclusiveAccess&) = delete;
    ExclusiveAccess& operator=(const ExclusiveAccess&) = delete;
    bool granted() const { return granted_; }
    // Gives the data back early (before the reindexing that wants them itself).
    void release();

private:
    AppContext& app_;
    bool granted_ = false;
};

} // namespace vidoraw
