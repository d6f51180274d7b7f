// The main window on a small screen: when the designed window does not fit the screen's available area,
// its contents scroll inside a window the size of that area; back on a screen large enough, the designed
// window returns.
#include "ui/visu.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>

namespace calidor {

namespace {

// The offscreen platform's screen is an arbitrary 800 x 800 that no one looks
// at, unless a configuration file describes the screens: windows there keep
// their whole size, so that grabs show them whole.
bool screenIsReal(const QScreen* screen) {
    if (!screen)
        return false;
    return QGuiApplication::platformName() != QLatin1String("offscreen") ||
           qEnvironmentVariable("QT_QPA_PLATFORM").contains(QLatin1String("configfile"));
}

} // namespace

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (screenIsReal(screen()))
        fitToScreen(screen()->availableGeometry());
}

void TForm1::fitToScreen(const QRect& available) {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize whole = m_client->size() + QSize(0, menuBar()->sizeHint().height());
    const bool fits = whole.width() + frame.width() <= available.width() &&
                      whole.height() + frame.height() <= available.height();
    if (fits == !m_scroll)
        return;
    if (fits) {
        // Back to the designed window, sized by its contents.
        m_scroll->takeWidget();
        setCentralWidget(m_client);
        m_scroll = nullptr; // deleted with the central widget it was
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        return;
    }
    // The contents scroll on the window's colour; the window is at most the
    // screen's area and never larger than its contents.
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    takeCentralWidget();
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("clientScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_client);
    setCentralWidget(m_scroll);
    m_scroll->viewport()->setBackgroundRole(QPalette::Window);
    // A direction that fits, beside the other direction's scroll bar, has no bar.
    QSize target = whole;
    const bool tall = whole.height() + frame.height() > available.height();
    const bool wide = whole.width() + frame.width() > available.width();
    if (tall)
        target.rwidth() += m_scroll->verticalScrollBar()->sizeHint().width();
    if (wide)
        target.rheight() += m_scroll->horizontalScrollBar()->sizeHint().height();
    const bool fitsAcross = target.width() + frame.width() <= available.width();
    const bool fitsDown = target.height() + frame.height() <= available.height();
    m_scroll->setHorizontalScrollBarPolicy(fitsAcross ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_scroll->setVerticalScrollBarPolicy(fitsDown ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setMinimumSize(0, 0);
    setMaximumSize(target);
    resize(target.boundedTo(available.size() - frame));
}

} // namespace calidor
