#include "viewer/pageview.h"

#include "reports/format/reportpainter.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vidoraw {

PageView::PageView(ViewerSession& s, QWidget* parent) : QAbstractScrollArea(parent), session(s) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
}

double PageView::dpiX() const { return viewport()->logicalDpiX(); }
double PageView::dpiY() const { return viewport()->logicalDpiY(); }

void PageView::setZoom(int percent) {
    zoomPercent = std::clamp(percent, 1, 1000);
    updateRanges();
    viewport()->update();
}

int PageView::scrollX() const { return horizontalScrollBar()->value(); }
int PageView::scrollY() const { return verticalScrollBar()->value(); }

void PageView::setScroll(int x, int y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
    viewport()->update();
}

void PageView::updateRanges() {
    const QSizeF page = session.pageSizeMm();
    const ReportMapping m = ReportMapping::screen(dpiX(), dpiY(), zoomPercent, 0, 0);
    const int totalW = 2 * ReportMapping::screenMargin(dpiX()) + m.sizeX(page.width());
    const int totalH = 2 * ReportMapping::screenMargin(dpiY()) + m.sizeY(page.height());
    const int vw = viewport()->width(), vh = viewport()->height();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, totalW - vw));
    h->setPageStep(std::max(1, vw));
    h->setSingleStep(std::max(1, vw / 20));
    v->setRange(0, std::max(0, totalH - vh));
    v->setPageStep(std::max(1, vh));
    v->setSingleStep(std::max(1, vh / 20));
}

QRect PageView::markRect() const {
    const FoundPlace f = session.found();
    const ReportPagePtr current = session.currentPage();
    if (!f.valid() || f.page != session.currentIndex() || !current)
        return {};
    const ReportPage& page = *current;
    if (f.object >= page.objects.size())
        return {};
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(int(dpiX() / 0.0254 + 0.5));
    probe.setDotsPerMeterY(int(dpiY() / 0.0254 + 0.5));
    QPainter p(&probe);
    ReportPainter rp(p, ReportMapping::screen(dpiX(), dpiY(), zoomPercent, 0, 0),
                     ReportTarget::Screen);
    return rp.markArea(page.objects[f.object], f.child).boundingRect();
}

void PageView::bringIntoView(const QRect& area) {
    if (area.isEmpty())
        return;
    int x = scrollX(), y = scrollY();
    const int vw = viewport()->width(), vh = viewport()->height();
    if (area.left() < x)
        x = area.left();
    else if (area.right() + 1 > x + vw)
        x += area.right() + 1 - (x + vw);
    if (area.top() < y)
        y = area.top();
    else if (area.bottom() + 1 > y + vh)
        y += area.bottom() + 1 - (y + vh);
    setScroll(x, y);
}

QImage PageView::render() const {
    const QSize size = viewport()->size();
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpiX() / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpiY() / 0.0254 + 0.5));
    QPainter p(&image);
    ScreenPageView view;
    view.area = size;
    view.dpiX = dpiX();
    view.dpiY = dpiY();
    view.zoom = zoomPercent;
    view.scrollX = scrollX();
    view.scrollY = scrollY();
    view.pageMm = session.pageSizeMm();
    const FoundPlace f = session.found();
    const bool marked = f.valid() && f.page == session.currentIndex();
    const ReportPagePtr page = session.currentPage();
    DrawPageOnScreen(p, view, page.get(), marked ? f.object : -1, marked ? f.child : -1);
    return image;
}

void PageView::paintEvent(QPaintEvent*) {
    const QImage image = render();
    QPainter p(viewport());
    p.drawImage(0, 0, image);
}

void PageView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateRanges();
}

void PageView::scrollContentsBy(int, int) { viewport()->update(); }

void PageView::keyPressEvent(QKeyEvent* e) {
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_PageUp: v->setValue(v->value() - v->pageStep()); break;
    case Qt::Key_PageDown: v->setValue(v->value() + v->pageStep()); break;
    case Qt::Key_Up: v->setValue(v->value() - v->singleStep()); break;
    case Qt::Key_Down: v->setValue(v->value() + v->singleStep()); break;
    case Qt::Key_Left: h->setValue(h->value() - (ctrl ? h->pageStep() : h->singleStep())); break;
    case Qt::Key_Right: h->setValue(h->value() + (ctrl ? h->pageStep() : h->singleStep())); break;
    default: QAbstractScrollArea::keyPressEvent(e); return;
    }
    e->accept();
}

void PageView::wheelEvent(QWheelEvent* e) {
    QScrollBar* v = verticalScrollBar();
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0) {
        e->ignore();
        return;
    }
    v->setValue(v->value() - steps * 3 * v->singleStep());
    e->accept();
}

} // namespace vidoraw
