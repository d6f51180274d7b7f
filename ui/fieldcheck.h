#pragma once
// The main window's watch over what is typed into its parameter fields: a
// field whose text is not a number is marked while it is so (a thin red
// frame, and a tooltip that says what is wrong and what would be accepted);
// a value that its slider brought back into the slider's range is said in
// the field's tooltip and in a short notice next to the field. A field that
// holds a number looks exactly as designed.

#include "model/acquisition.h"

#include <QObject>
#include <QString>

#include <array>

class QLineEdit;

namespace calidor {

class FieldCheck : public QObject {
    Q_OBJECT
public:
    /// Watches the fields (indexed by Field); lives as long as `parent`.
    FieldCheck(const std::array<QLineEdit*, FieldCount>& fields, QObject* parent);

    /// Whether a field is marked as holding a text that is not a number.
    bool marked(Field field) const;

    /// The message for an action that took nothing: each refused field by its
    /// label, its text and why, then what would be accepted.
    QString refusalMessage(const RefusedFields& refused) const;

    /// Says in the field's tooltip, and in a notice shown for a few seconds
    /// next to the field, that `typed` was brought back to `taken`. The
    /// tooltip goes back to its design at the field's next change.
    void broughtIntoRange(Field field, double typed, double taken);

    /// The last such notice (for tests).
    const QString& lastNotice() const { return m_lastNotice; }

private:
    struct Watch {
        QLineEdit* edit = nullptr;
        QWidget* mark = nullptr;
        QString designedTip;  // the tooltip while the field holds a number
        QString replacingTip; // what this watch put instead, if anything
    };

    void textChanged(Watch& watch);
    void setTip(Watch& watch, const QString& tip);
    QString labelOf(Field field) const;

    std::array<Watch, FieldCount> m_watches;
    QString m_lastNotice;
};

/// Why a text is refused, in the user's language ("le caractère « x » n'a
/// pas sa place dans un nombre").
QString refusalReasonText(const NumberCheck& check);

/// The numbers a field accepts, in the user's language.
QString acceptedNumbersText();

} // namespace calidor
