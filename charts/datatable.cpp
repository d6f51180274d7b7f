#include "charts/datatable.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

#include <charconv>
#include <cmath>
#include <vector>

namespace calidor::charts {

namespace {

// A curve's column heading: its name and unit, and a note when its older
// points have been thinned to bound its memory.
QString heading(const Series& s) {
    QString text = columnHeading(s.displayName(), s.unit());
    if (s.thinned())
        text += QCoreApplication::translate("calidor::charts::DataTable", " [points anciens allégés]");
    return text;
}

// x order for the merge: NaN after everything, all NaNs alike.
bool before(double a, double b) {
    return std::isnan(b) ? !std::isnan(a) : a < b;
}
bool alike(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

QString line(const QString& name, const QString& unit, double value) {
    QString text = name + QStringLiteral(" : ") + readoutNumber(value);
    if (!unit.isEmpty())
        text += QLatin1Char(' ') + unit;
    return text;
}

} // namespace

QString roundTripText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

QString columnHeading(const QString& name, const QString& unit) {
    return unit.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, unit);
}

QString dataTable(const QString& xName, const QString& xUnit, const QList<const Series*>& series) {
    QStringList head{columnHeading(xName, xUnit)};
    for (const Series* s : series)
        head << heading(*s);
    QString text = head.join(QLatin1Char('\t')) + QLatin1Char('\n');

    // A merge of the curves, each already in ascending x.
    std::vector<std::size_t> next(static_cast<std::size_t>(series.size()), 0);
    auto done = [&](std::size_t k) { return next[k] >= series[static_cast<qsizetype>(k)]->points().size(); };
    auto headX = [&](std::size_t k) { return series[static_cast<qsizetype>(k)]->points().x(next[k]); };
    for (;;) {
        bool any = false;
        double x = 0;
        for (std::size_t k = 0; k < next.size(); ++k)
            if (!done(k) && (!any || before(headX(k), x))) {
                x = headX(k);
                any = true;
            }
        if (!any)
            break;
        // As many rows at this x as the curve with the most points there needs.
        bool more = true;
        while (more) {
            more = false;
            QString row = roundTripText(x);
            for (std::size_t k = 0; k < next.size(); ++k) {
                row += QLatin1Char('\t');
                if (!done(k) && alike(headX(k), x)) {
                    row += roundTripText(series[static_cast<qsizetype>(k)]->points().y(next[k]));
                    ++next[k];
                }
            }
            text += row + QLatin1Char('\n');
            for (std::size_t k = 0; k < next.size(); ++k)
                more = more || (!done(k) && alike(headX(k), x));
        }
    }
    return text;
}

QString readoutNumber(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("—");
    const int magnitude = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(3 - magnitude, 0, 12);
    return QString::number(value, 'f', decimals);
}

QString readout(const QString& xName, const QString& xUnit, double x, const QList<const Series*>& series) {
    QStringList lines{line(xName, xUnit, x)};
    for (const Series* s : series) {
        const PointList& points = s->points();
        if (points.empty())
            continue;
        // The nearer of the points on either side of x.
        std::size_t i = points.lowerBound(x);
        if (i == points.size() || (i > 0 && x - points.x(i - 1) <= points.x(i) - x))
            i = i > 0 ? i - 1 : 0;
        lines << line(s->displayName(), s->unit(), points.y(i));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace calidor::charts
