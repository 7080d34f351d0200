#include "maintenance/exclusiveaccess.h"

#include "core/engine/table.h"
#include "core/interaction.h"
#include "framework/systemrecord.h"

namespace vidoraw {

ExclusiveAccess::ExclusiveAccess(AppContext& app, QWidget* owner) : app_(app) {
    for (int n : app_.registry.numbers())
        if (RecordModule* m = app_.registry.module(n))
            m->table().close();
    granted_ = app_.db->tryExclusive();
    if (granted_)
        return;
    ShowNotice(QStringLiteral("Oznam"),
               QStringLiteral("Pre túto operáciu je potrebný exkluzívny-výhradný prístup k "
                              "databázam. Všetci ostatní užívatelia musia ukončiť program."),
               NoticeKind::Information, owner);
    const QStringList others = app_.db->otherPrograms();
    if (!others.isEmpty())
        ShowNotice(QStringLiteral("Zoznam prihlásených užívateľov"), others.join('\n'),
                   NoticeKind::Information, owner);
    SystemTable(app_);
}

ExclusiveAccess::~ExclusiveAccess() { release(); }

void ExclusiveAccess::release() {
    if (granted_) {
        app_.db->releaseExclusive();
        granted_ = false;
        SystemTable(app_);
    }
}

} // namespace vidoraw
