#pragma once
// The page view of zorode: the current page at a zoom, with scroll bars, drawn off screen in
// one picture and copied in one step.
#include "viewer/viewercore.h"

#include <QAbstractScrollArea>
#include <QImage>

namespace vidoraw {

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(ViewerSession& session, QWidget* parent = nullptr);

    void setZoom(int percent);
    int zoom() const { return zoomPercent; }
    double dpiX() const;
    double dpiY() const;

    // Scroll ranges from the page size, zoom and view size; positions kept where possible.
    void updateRanges();
    int scrollX() const;
    int scrollY() const;
    void setScroll(int x, int y);
    // Scrolls by as much as needed to bring a device area (at scroll 0) fully into the view.
    void bringIntoView(const QRect& area);
    // Device area that marks the found object of the session at scroll 0; empty when none.
    QRect markRect() const;

    // The picture the view shows now.
    QImage render() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void scrollContentsBy(int, int) override;

private:
    ViewerSession& session;
    int zoomPercent = 100;
};

} // namespace vidoraw
