#include "ui/help.h"

#include "model/numbertext.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWidget>

#include <charconv>

namespace calidor {

namespace {

const char* const Context = "calidor::Help";

QString tr(const char* text) {
    return QCoreApplication::translate(Context, text);
}

// The shortest text that reads back as the same double, with a point.
QString shortest(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

// A slider's accessible name, from its field's label.
const char* const SliderName = QT_TRANSLATE_NOOP("calidor::Help", "Curseur %1");

// Each slider says how far it goes in its field's unit.
const char* const DegreesReach =
    QT_TRANSLATE_NOOP("calidor::Help", "Le curseur va de %1 à %2 °C, par pas de %3 °C.");
const char* const FlowReach =
    QT_TRANSLATE_NOOP("calidor::Help", "Le curseur va de %1 à %2 kg/s, par pas de %3 kg/s.");

const char* reachTip(SliderScale scale) {
    return scale == SliderScale::Degrees ? DegreesReach : FlowReach; // %1 lowest, %2 highest, %3 step
}

struct ControlHelp {
    const char* name;
    const char* description;
};

// The buttons and charts: their names come from their captions and titles.
const ControlHelp Controls[] = {
    {"Button1", QT_TRANSLATE_NOOP("calidor::Help", "Lance une marche depuis l'état initial.")},
    {"Button3", QT_TRANSLATE_NOOP("calidor::Help",
                                  "Suspend la marche ; un second appui relit les champs et la reprend.")},
    {"Button2", QT_TRANSLATE_NOOP("calidor::Help", "Arrête la marche.")},
    {"Button4", QT_TRANSLATE_NOOP("calidor::Help", "Quitte Calidor.")},
    {"Button5",
     QT_TRANSLATE_NOOP("calidor::Help", "Relit tous les champs et applique les valeurs au modèle.")},
    {"CheckBox1", QT_TRANSLATE_NOOP("calidor::Help", "Coché : les deux fluides circulent dans le même sens "
                                                     "(co-courant) ; décoché : en sens contraires.")},
    {"Chart1",
     QT_TRANSLATE_NOOP("calidor::Help",
                       "Températures du fluide chaud (rouge), du fluide froid (bleu) et de la paroi "
                       "(fuchsia) le long de l'échangeur, en °C, à l'instant affiché.")},
    {"Chart3",
     QT_TRANSLATE_NOOP("calidor::Help",
                       "Températures de sortie du fluide chaud (rouge), du fluide froid (bleu) et de la "
                       "paroi (fuchsia), en °C, au cours du temps.")},
    {"Chart2",
     QT_TRANSLATE_NOOP("calidor::Help",
                       "Puissances échangées par le fluide chaud (rouge) et le fluide froid (bleu) entre "
                       "l'entrée et la sortie, en kW, ou production entropique totale, en kW/K, au cours "
                       "du temps.")},
};

// The margin a line edit leaves on each side of its text, inside its contents.
constexpr int LineEditTextMargin = 2;

const char* const WholeText = QT_TRANSLATE_NOOP("calidor::Help", "Texte complet : %1");

// Shows the tooltip a field has at that moment, completed with its whole
// text when the field is too narrow: whatever else sets the tooltip, the
// completion follows the text.
class WholeTextTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || event->type() != QEvent::ToolTip || !textOverflows(field))
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), shownFieldToolTip(field), field);
        return true;
    }
};

} // namespace

bool textOverflows(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth =
        field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * LineEditTextMargin;
    return field->fontMetrics().horizontalAdvance(field->displayText()) > room;
}

QString shownFieldToolTip(const QLineEdit* field) {
    if (!textOverflows(field))
        return field->toolTip();
    const QString whole = tr(WholeText).arg(field->displayText());
    return field->toolTip().isEmpty() ? whole : field->toolTip() + QStringLiteral("\n") + whole;
}

SliderReach sliderReach(Slider slider, int minimum, int maximum) {
    if (fieldOf(slider).slider->scale == SliderScale::Degrees) {
        // The field takes the position as a whole number of degrees.
        const auto degrees = [](int position) { return textToNumber(temperatureSliderText(position)); };
        return {shortest(degrees(temperatureSliderPosition(degrees(minimum)))),
                shortest(degrees(temperatureSliderPosition(degrees(maximum)))),
                shortest(degrees(1) - degrees(0))};
    }
    // A flow below the lowest position the model keeps moves the slider up to it.
    const auto flow = [](int position) {
        return flowOfSliderPosition(flowSliderPosition(flowOfSliderPosition(position)));
    };
    return {shortest(flow(minimum)), shortest(flow(maximum)), shortest(flowOfSliderPosition(1))};
}

namespace {

// A field, its label and its slider: the label names them, the help says
// what the quantity is and how far the slider goes.
void describeField(const FieldEntry& entry, const FieldWidgets& widgets, QObject* wholeTextTips) {
    QLineEdit* field = widgets.fields[static_cast<int>(entry.field)];
    QLabel* label = widgets.labels[static_cast<int>(entry.field)];
    if (!field || !label)
        return;
    const QString name = label->text();
    QString tip = tr(entry.help);
    label->setBuddy(field);
    field->installEventFilter(wholeTextTips);
    field->setAccessibleName(name);
    if (QAbstractSlider* slider =
            entry.slider ? widgets.sliders[static_cast<int>(entry.slider->slider)] : nullptr) {
        const SliderReach reach = sliderReach(entry.slider->slider, slider->minimum(), slider->maximum());
        tip +=
            QLatin1Char(' ') + tr(reachTip(entry.slider->scale)).arg(reach.lowest, reach.highest, reach.step);
        slider->setToolTip(tip);
        slider->setAccessibleName(tr(SliderName).arg(name));
        slider->setAccessibleDescription(tip);
    }
    field->setToolTip(tip);
    field->setAccessibleDescription(tip);
    label->setToolTip(tip);
}

} // namespace

void describeMainWindow(QWidget* window, const FieldWidgets& widgets) {
    auto* wholeTextTips = new WholeTextTips(window);
    for (const FieldEntry& entry : fieldTable())
        describeField(entry, widgets, wholeTextTips);
    for (const ControlHelp& help : Controls) {
        if (auto* control = window->findChild<QWidget*>(QString::fromLatin1(help.name))) {
            control->setAccessibleDescription(tr(help.description));
            if (!control->inherits("QAbstractButton"))
                control->setToolTip(tr(help.description));
        }
    }
}

} // namespace calidor
