#pragma once
// Messages of zorode. The viewer links neither the main program's core nor its windows, so it
// has its own small channel: message boxes in the program, a recorder in tests.
#include <QString>

#include <functional>

class QWidget;

namespace vidoraw {

using ViewerNoticeHandler = std::function<void(const QString& title, const QString& text)>;

// Replaces the handler; an empty one goes back to message boxes. Answers the previous one.
ViewerNoticeHandler SetViewerNoticeHandler(ViewerNoticeHandler handler);
void ViewerNotice(const QString& title, const QString& text, QWidget* owner = nullptr,
                  bool error = false);

} // namespace vidoraw
