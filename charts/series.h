#pragma once

#include "charts/pointlist.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace calidor::charts {

/// How a series is drawn.
struct SeriesStyle {
    QColor color;                          ///< line and marker colour
    int lineWidth = 2;                     ///< pen width, pixels
    bool marker = false;                   ///< a filled circle at every point
    int markerWidth = 5;                   ///< marker diameter across, pixels
    int markerHeight = 5;                  ///< marker diameter up and down, pixels
    Qt::PenStyle penStyle = Qt::SolidLine; ///< a dashed line is stroked as one path, so its dashes run on
};

/// One line series of a chart: its style and its points, kept in ascending x (see PointList for the
/// insertion rule). Its objectName is its name, so it can be found with findChild.
class Series : public QObject {
    Q_OBJECT
public:
    Series(const QString& name, const SeriesStyle& style, QObject* parent = nullptr);

    /// Removes every point and gives a long series' memory back.
    void clear();
    /// Adds the point (x, y) at its place in x order.
    void addXY(double x, double y);

    /// Points kept whole before the older ones are thinned (see PointList); lowered for tests.
    void setPointLimit(std::size_t limit);
    /// Whether some of the points added since the last clear have been thinned away: the curve still
    /// draws as it would with all of them, but the points held are fewer than the points added.
    bool thinned() const { return m_points.thinned(); }

    int count() const { return static_cast<int>(m_points.size()); }
    double x(int i) const { return m_points.x(static_cast<std::size_t>(i)); }
    double y(int i) const { return m_points.y(static_cast<std::size_t>(i)); }
    const SeriesStyle& style() const { return m_style; }
    const PointList& points() const { return m_points; }

    /// What the curve is, in French, and the unit of its y values, for the copied table and the hover
    /// readout. A series without a name (a marker on a curve's newest point) is decoration: neither
    /// copied nor read out.
    void setDisplayName(const QString& name) { m_displayName = name; }
    QString displayName() const { return m_displayName; }
    void setUnit(const QString& unit) { m_unit = unit; }
    QString unit() const { return m_unit; }

    /// Changes whenever points already held move or go away; appending leaves it (see PointList).
    std::uint64_t revision() const { return m_points.revision(); }

signals:
    /// Emitted after every change of the points.
    void changed();

private:
    SeriesStyle m_style;
    PointList m_points;
    QString m_displayName;
    QString m_unit;
};

} // namespace calidor::charts
