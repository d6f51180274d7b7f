#include "ui/fieldcheck.h"

#include "ui/looks.h"

#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

namespace calidor {

namespace {

constexpr int NoticeMilliseconds = 5000;

// A thin red frame over a field, drawn only while its text is refused. It
// lies on top of the field without taking its clicks, so that the field
// itself, its palette and its style stay as designed.
class FieldMark : public QWidget {
public:
    explicit FieldMark(QLineEdit* field) : QWidget(field) {
        setObjectName(field->objectName() + QStringLiteral("_mark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void showOver(QLineEdit* field) {
        setGeometry(field->rect());
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(colours::Red, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// A value with a point, as the fields write numbers.
QString plainNumber(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

QString refusalReasonText(const NumberCheck& check) {
    switch (check.refusal) {
    case TextRefusal::None:
        return {};
    case TextRefusal::Empty:
        return FieldCheck::tr("le champ est vide");
    case TextRefusal::NoDigits:
        return FieldCheck::tr("il n'y a aucun chiffre");
    case TextRefusal::Separators:
        return FieldCheck::tr("il y a plus d'un séparateur décimal");
    case TextRefusal::InnerBlank:
        return FieldCheck::tr("il y a un blanc au milieu du nombre");
    case TextRefusal::Character:
        return FieldCheck::tr("le caractère « %1 » n'a pas sa place dans un nombre")
            .arg(QString::fromStdString(check.culprit));
    case TextRefusal::ExponentDigits:
        return FieldCheck::tr("l'exposant n'a pas de chiffres");
    case TextRefusal::TooLarge:
        return FieldCheck::tr("le nombre est trop grand pour être calculé");
    }
    return {};
}

QString acceptedNumbersText() {
    return FieldCheck::tr(
        "un nombre, avec un point ou une virgule comme séparateur décimal et un exposant "
        "facultatif, par exemple 12.5, 12,5, -3 ou 4.2e-3 ; les blancs autour sont ignorés");
}

FieldCheck::FieldCheck(const std::array<QLineEdit*, FieldCount>& fields, QObject* parent) : QObject(parent) {
    for (int f = 0; f < FieldCount; ++f) {
        Watch& watch = m_watches[f];
        watch.edit = fields[f];
        watch.mark = new FieldMark(watch.edit);
        connect(watch.edit, &QLineEdit::textChanged, this, [this, &watch] { textChanged(watch); });
        textChanged(watch);
    }
}

bool FieldCheck::marked(Field field) const {
    return m_watches[static_cast<int>(field)].mark->isVisible();
}

// Every change of the text, typed or written by the program, is checked at
// once; a notice about a value brought back no longer holds after it, so
// the tooltip goes back to its design with a number.
void FieldCheck::textChanged(Watch& watch) {
    const NumberCheck check = checkNumberText(watch.edit->text().toStdString());
    if (check.accepted()) {
        watch.mark->hide();
        setTip(watch, {});
        return;
    }
    static_cast<FieldMark*>(watch.mark)->showOver(watch.edit);
    // As rich text, so that the tooltip wraps its long lines.
    const QString tip =
        tr("Ce texte n'est pas un nombre : %1.\nAttendu : %2.\nTant qu'il reste ainsi, aucune "
           "valeur n'est prise en compte.")
            .arg(refusalReasonText(check), acceptedNumbersText());
    setTip(watch, QStringLiteral("<p>%1</p>")
                      .arg(tip.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
}

// Replaces the field's tooltip, or with an empty `tip` gives it back its
// design. A tooltip that someone else set meanwhile is left alone.
void FieldCheck::setTip(Watch& watch, const QString& tip) {
    const bool ours = !watch.replacingTip.isEmpty() && watch.edit->toolTip() == watch.replacingTip;
    if (watch.replacingTip.isEmpty() || !ours)
        watch.designedTip = watch.edit->toolTip();
    if (tip.isEmpty()) {
        if (ours)
            watch.edit->setToolTip(watch.designedTip);
        watch.replacingTip.clear();
        return;
    }
    watch.replacingTip = tip;
    watch.edit->setToolTip(tip);
}

QString FieldCheck::refusalMessage(const RefusedFields& refused) const {
    QString message = tr("Rien n'a été pris en compte : les valeurs en vigueur restent celles d'avant, et un "
                         "calcul en cours continue avec elles.\n");
    for (const FieldRefusal& refusal : refused.refusals()) {
        message += QLatin1Char('\n') + tr("« %1 » contient « %2 » : %3.")
                                           .arg(labelOf(refusal.field), QString::fromStdString(refusal.text),
                                                refusalReasonText(refusal.check));
    }
    return message + QStringLiteral("\n\n") + tr("Attendu : %1.").arg(acceptedNumbersText());
}

// The field's label as the window shows it (its accessible name), or the
// model's name for it.
QString FieldCheck::labelOf(Field field) const {
    const QString name = m_watches[static_cast<int>(field)].edit->accessibleName();
    return name.isEmpty() ? QString::fromUtf8(fieldLabel(field)) : name;
}

void FieldCheck::broughtIntoRange(Field field, double typed, double taken) {
    Watch& watch = m_watches[static_cast<int>(field)];
    m_lastNotice = tr("« %1 » : %2 est hors de la portée du curseur ;\nla valeur a été ramenée à %3.")
                       .arg(labelOf(field), plainNumber(typed), plainNumber(taken));
    setTip(watch, {});
    setTip(watch, watch.designedTip + QStringLiteral("\n\n") + m_lastNotice);
    if (watch.edit->isVisible())
        QToolTip::showText(watch.edit->mapToGlobal(QPoint(0, watch.edit->height())), m_lastNotice, watch.edit,
                           {}, NoticeMilliseconds);
}

} // namespace calidor
