#include "charts/series.h"

namespace calidor::charts {

Series::Series(const QString& name, const SeriesStyle& style, QObject* parent)
    : QObject(parent), m_style(style) {
    setObjectName(name);
}

void Series::clear() {
    m_points.clear();
    emit changed();
}

void Series::addXY(double x, double y) {
    m_points.add(x, y);
    emit changed();
}

void Series::setPointLimit(std::size_t limit) {
    const std::uint64_t revision = m_points.revision();
    m_points.setPointLimit(limit);
    if (m_points.revision() != revision)
        emit changed();
}

} // namespace calidor::charts
