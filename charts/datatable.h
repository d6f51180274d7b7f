#pragma once
// What a chart gives away: its curves as a tab-separated table for a
// spreadsheet, and the values read off it under the mouse. Only named series
// take part (see Series::setDisplayName).

#include "charts/series.h"

#include <QList>
#include <QString>

namespace calidor::charts {

/// The shortest decimal text that reads back as the same double, with a
/// point, no digit grouping, an exponent only where it is shorter ("0.004",
/// "299.99999999997624", "1e-05"); "inf", "-inf" and "nan" for the others.
QString roundTripText(double value);

/// A column's heading: the name, then its unit in parentheses if it has one.
QString columnHeading(const QString& name, const QString& unit);

/// The curves as a table: a heading row (the x quantity, then each curve),
/// then one row per x value in ascending order, the union of the curves' x
/// values; a curve with no point at that x leaves its cell empty. A curve
/// that holds several points at one x (two runs drawn into the same curves)
/// puts them on as many rows, in the order they were added, so every point
/// of every curve is in the table exactly once. Cells are separated by tabs,
/// rows end with a line feed, numbers are written by roundTripText.
QString dataTable(const QString& xName, const QString& xUnit, const QList<const Series*>& series);

/// A value as the hover readout shows it: four significant digits, a point,
/// never an exponent ("37.47", "0.004200", "1234").
QString readoutNumber(double value);

/// The readout at data abscissa x: a first line with x ("Temps : 12.34 s"),
/// then for each curve with points its value at its point nearest in x
/// ("Fluide chaud : 37.47 °C").
QString readout(const QString& xName, const QString& xUnit, double x, const QList<const Series*>& series);

} // namespace calidor::charts
