// The chart's glue with the user: its right-click actions (copying the picture or the data, asking for the
// balance window) and the readout that follows the mouse.
#include "charts/chartview.h"
#include "charts/datatable.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace calidor::charts {

void ChartView::buildActions() {
    m_copyImage = new QAction(tr("Copier l'image"), this);
    m_copyImage->setObjectName(QStringLiteral("copyImage"));
    connect(m_copyImage, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setPixmap(picture()); });
    m_copyData = new QAction(tr("Copier les données"), this);
    m_copyData->setObjectName(QStringLiteral("copyData"));
    connect(m_copyData, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(dataText()); });
    m_showBalance = new QAction(tr("Bilan et théorie…"), this);
    m_showBalance->setObjectName(QStringLiteral("showBalance"));
    connect(m_showBalance, &QAction::triggered, this, &ChartView::balanceRequested);
    addActions({m_copyImage, m_copyData, m_showBalance});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // The readout follows the mouse while its tooltip is up.
    setMouseTracking(true);
}

void ChartView::setXQuantity(const QString& name, const QString& unit) {
    m_xName = name;
    m_xUnit = unit;
}

QList<const Series*> ChartView::namedSeries() const {
    QList<const Series*> list;
    for (const SeriesCache& cache : m_series)
        if (!cache.series->displayName().isEmpty())
            list.append(cache.series);
    return list;
}

QString ChartView::dataText() const {
    return dataTable(m_xName, m_xUnit, namedSeries());
}

QPixmap ChartView::picture() {
    // grab() renders at the widget's device pixel ratio, that of the screen it is on.
    return grab();
}

QString ChartView::readoutAt(const QPointF& pos) const {
    const Frame frame = computeFrame();
    if (!frame.plot.contains(pos.toPoint()))
        return {};
    const Mapping mapping(frame.data, frame.x, frame.y);
    return readout(m_xName, m_xUnit, mapping.unmapX(pos.x()), namedSeries());
}

bool ChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = readoutAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (QToolTip::isVisible()) {
        const QString text = readoutAt(event->position());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace calidor::charts
