#include "ui/visu.h"

#include "charts/chartview.h"
#include "model/numbertext.h"
#include "pictures/pictures.h"
#include "run/modellock.h"
#include "ui/bilan.h"
#include "ui/fieldcheck.h"
#include "ui/help.h"
#include "ui/lessons.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace calidor {

namespace {

using namespace colours;

constexpr int LabelHeight = 15;
constexpr int FieldHeight = 23;

QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, const QString& caption,
                  const QColor& colour, const QFont& font = comicFont(11)) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    setTextColour(label, colour);
    label->adjustSize();
    label->move(left, top);
    return label;
}

QColor colourOf(Ink ink) {
    switch (ink) {
    case Ink::Blue:
        return Blue;
    case Ink::Red:
        return Red;
    case Ink::Fuchsia:
        return Fuchsia;
    case Ink::Teal:
        return Teal;
    case Ink::Black:
        break;
    }
    return Black;
}

struct SliderRow {
    Slider slider;
    const char* name;
    int left, top;
    int start;
    void (TForm1::*handler)();
};

const SliderRow SliderRows[] = {
    {Slider::TrackBar_TEF, "TrackBar_TEF", 648, 64, 2, &TForm1::TrackBar_TEFChange},
    {Slider::TrackBar_TEC, "TrackBar_TEC", 648, 96, 70, &TForm1::TrackBar_TECChange},
    {Slider::TrackBar_debf, "TrackBar_debf", 648, 192, 50, &TForm1::TrackBar_debfChange},
    {Slider::TrackBar_debc, "TrackBar_debc", 648, 224, 50, &TForm1::TrackBar_debcChange},
};

struct SeriesRow {
    SeriesId id;
    const char* name;
    ChartId chart;
    QColor colour;
    int width;
    bool marker;
};

// In drawing order within each chart.
const SeriesRow SeriesRows[] = {
    {SeriesId::Series1, "Series1", ChartId::Chart1, Red, 2, false},
    {SeriesId::Series2, "Series2", ChartId::Chart1, Blue, 2, false},
    {SeriesId::Series4, "Series4", ChartId::Chart1, Fuchsia, 2, false},
    {SeriesId::Series5, "Series5", ChartId::Chart3, Fuchsia, 2, false},
    {SeriesId::Series6, "Series6", ChartId::Chart3, Fuchsia, 1, true},
    {SeriesId::Series7, "Series7", ChartId::Chart3, Red, 2, false},
    {SeriesId::Series8, "Series8", ChartId::Chart3, Red, 1, true},
    {SeriesId::Series9, "Series9", ChartId::Chart3, Blue, 2, false},
    {SeriesId::Series10, "Series10", ChartId::Chart3, Blue, 1, true},
    {SeriesId::Series11, "Series11", ChartId::Chart2, Red, 2, false},
    {SeriesId::Series3, "Series3", ChartId::Chart2, Blue, 2, false},
};

int indexOf(SeriesId id) {
    return static_cast<int>(id);
}
int indexOf(ChartId id) {
    return static_cast<int>(id);
}
int indexOf(Slider s) {
    return static_cast<int>(s);
}
int indexOf(Field f) {
    return static_cast<int>(f);
}

} // namespace

TForm1::TForm1(ModelState& model, QWidget* parent) : QMainWindow(parent), m_model(model) {
    installFontSubstitutions();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Calidor 1.2"));
    setFont(defaultFont());
    setPalette(designedPalette());
    setAutoFillBackground(true);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    buildFields(client);
    buildSliders(client);
    buildButtons(client);
    buildOtherControls(client);
    buildCharts(client);
    // The window fits itself to its contents.
    client->setFixedSize(client->childrenRect().united(QRect(0, 0, 1, 1)).bottomRight().x() + 1,
                         client->childrenRect().bottom() + 1);
    setCentralWidget(client);
    m_client = client;
    buildMenu();
    setTabOrder();
    describeMainWindow(this, {m_fields, m_fieldLabels, m_sliders});
    m_fieldCheck = new FieldCheck(m_fields, this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_bilan = new BilanWindow(this);
    m_bilan->attachProfileChart(m_charts[indexOf(ChartId::Chart1)]);
    for (charts::ChartView* chart : m_charts)
        connect(chart, &charts::ChartView::balanceRequested, m_bilan, &BilanWindow::showAndRaise);
    nameChartCurves(m_charts[indexOf(ChartId::Chart1)], m_charts[indexOf(ChartId::Chart2)],
                    m_charts[indexOf(ChartId::Chart3)], Representation::Powers);

    m_control = std::make_unique<RunControl>(m_model, *this, *this);
    m_lessons = new Lessons(*this);
    FormCreate();
}

TForm1::~TForm1() {
    // Every worker ends before the window that it refreshes goes away.
    m_control.reset();
}

void TForm1::buildFields(QWidget* client) {
    for (const FieldEntry& entry : fieldTable()) {
        const FieldPlace& place = entry.place;
        QLabel* label = makeLabel(client, entry.labelObjectName, place.labelLeft, place.top,
                                  tr(entry.caption), colourOf(place.labelInk));
        label->resize(label->width(), LabelHeight);
        if (place.labelOnPatch) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, WindowBeige);
            label->setPalette(palette);
            label->setAutoFillBackground(true);
        }
        auto* edit = new QLineEdit(client);
        edit->setObjectName(QString::fromLatin1(entry.objectName));
        edit->setFont(comicFont(11));
        setTextColour(edit, colourOf(place.ink));
        edit->setGeometry(place.left, place.top, place.width, FieldHeight);
        m_fields[indexOf(entry.field)] = edit;
        m_fieldLabels[indexOf(entry.field)] = label;
    }
}

void TForm1::buildSliders(QWidget* client) {
    for (const SliderRow& row : SliderRows) {
        auto* slider = new QSlider(Qt::Horizontal, client);
        slider->setObjectName(QString::fromLatin1(row.name));
        slider->setRange(0, 100);
        slider->setSingleStep(1);
        slider->setPageStep(2);
        slider->setTickInterval(1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setValue(row.start);
        slider->setGeometry(row.left, row.top, 113, 17);
        m_sliders[indexOf(row.slider)] = slider;
        connectSlider(slider, row.handler);
    }
}

// A slider's handler runs on every move the user makes with it: each scroll
// action, each change while dragging, and the release that ends a drag even
// when the position is unchanged. Moves made by acquisition call the handler
// themselves (setSliderPosition), with the slider's signals held back.
void TForm1::connectSlider(QSlider* slider, void (TForm1::*handler)()) {
    connect(slider, &QSlider::valueChanged, this, [this, handler] { (this->*handler)(); });
    connect(slider, &QSlider::sliderReleased, this, [this, handler] { (this->*handler)(); });
    connect(slider, &QSlider::actionTriggered, this, [this, slider, handler](int action) {
        // An action that leaves the value where it is (an arrow key at an
        // end) sends no valueChanged; a drag's moves are handled above.
        if (action != QAbstractSlider::SliderMove && slider->sliderPosition() == slider->value())
            (this->*handler)();
    });
}

void TForm1::buildButtons(QWidget* client) {
    struct ButtonRow {
        QPushButton** button;
        const char* name;
        const char* caption;
        QRect geometry;
        void (TForm1::*handler)();
    };
    const ButtonRow rows[] = {
        {&m_button1, "Button1", QT_TRANSLATE_NOOP("calidor::TForm1", "Marche"), QRect(0, 16, 41, 25),
         &TForm1::Button1Click},
        {&m_button3, "Button3", QT_TRANSLATE_NOOP("calidor::TForm1", "Pause"), QRect(0, 48, 41, 33),
         &TForm1::Button3Click},
        {&m_button2, "Button2", QT_TRANSLATE_NOOP("calidor::TForm1", "Arrêt"), QRect(0, 88, 41, 25),
         &TForm1::Button2Click},
        {&m_button4, "Button4", QT_TRANSLATE_NOOP("calidor::TForm1", "quiter"), QRect(0, 120, 81, 25),
         &TForm1::Button4Click},
        {&m_button5, "Button5", QT_TRANSLATE_NOOP("calidor::TForm1", "ACTUALISE"), QRect(672, 16, 73, 33),
         &TForm1::Button5Click},
    };
    for (const ButtonRow& row : rows) {
        auto* button = new QPushButton(tr(row.caption), client);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(row.geometry);
        connect(button, &QPushButton::clicked, this, [this, handler = row.handler] { (this->*handler)(); });
        *row.button = button;
    }
}

void TForm1::buildOtherControls(QWidget* client) {
    makeLabel(client, "Label3", 0, 160, tr("Time (s)"), Black);
    m_timebox = makeLabel(client, "timebox", 72, 160, QStringLiteral("0"), Black);
    m_timebox->setMinimumWidth(80);

    m_checkBox1 = new QCheckBox(tr("CO-COURANT"), client);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setGeometry(0, 256, 129, 33);
    m_checkBox1->setChecked(true);
    connect(m_checkBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });

    m_radioGroup1 = new QGroupBox(tr("Représentation"), client);
    m_radioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    m_radioGroup1->setGeometry(768, 336, 129, 65);
    auto* column = new QVBoxLayout(m_radioGroup1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_representation = new QButtonGroup(m_radioGroup1);
    const char* items[] = {QT_TRANSLATE_NOOP("calidor::TForm1", "Puissances"),
                           QT_TRANSLATE_NOOP("calidor::TForm1", "Production entropique")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(tr(items[i]), m_radioGroup1);
        // The group is as narrow as its design; our sans face is wider than
        // the one it was drawn for, so the items sit a little tighter.
        QFont tight = item->font();
        tight.setLetterSpacing(QFont::PercentageSpacing, 94);
        item->setFont(tight);
        item->setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; }"));
        // A style sheet takes its colours from the application, not the
        // window: the items are drawn in the plain light colours.
        item->setPalette(lightPalette());
        item->setObjectName(QStringLiteral("RadioGroup1_item%1").arg(i));
        column->addWidget(item);
        m_representation->addButton(item, i);
    }
    m_representation->button(0)->setChecked(true);

    makeLabel(client, "Label6", 8, 560, tr("Kestrel"), Teal, comicFont(27, true));
    QLabel* label7 =
        makeLabel(client, "Label7", 0, 592, tr("Laboratoire Kestrel"), Teal, comicFont(13, true));
    label7->setWordWrap(true);
    label7->setFixedWidth(176);
    label7->adjustSize();

    auto* image1 = new QLabel(client);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap(pictures::logo()));
    image1->setGeometry(328, 536, 105, 97);
}

void TForm1::buildCharts(QWidget* client) {
    struct ChartRow {
        ChartId id;
        const char* name;
        QRect geometry;
        const char* title;
        charts::AxisRange left, bottom;
        bool comicTitle;
    };
    const charts::AxisRange fixed0to100{false, false, 0, 100};
    const charts::AxisRange fromZero{false, true, 0, 0};
    const charts::AxisRange automatic{};
    const ChartRow rows[] = {
        {ChartId::Chart1, "Chart1", QRect(160, 0, 321, 281),
         QT_TRANSLATE_NOOP("calidor::TForm1", "Profil de température"), fixed0to100, fromZero, true},
        {ChartId::Chart3, "Chart3", QRect(0, 328, 393, 209),
         QT_TRANSLATE_NOOP("calidor::TForm1", "Températures de sortie"), fixed0to100, automatic, true},
        {ChartId::Chart2, "Chart2", QRect(456, 400, 457, 233),
         QT_TRANSLATE_NOOP("calidor::TForm1", "Puissances (Entrée/Sortie) : kW"), automatic, automatic,
         false},
    };
    const QPixmap paper(pictures::chartPaper());
    for (const ChartRow& row : rows) {
        auto* chart = new charts::ChartView(client);
        chart->setObjectName(QString::fromLatin1(row.name));
        chart->setGeometry(row.geometry);
        chart->setTitle(tr(row.title));
        chart->setAccessibleName(chart->title());
        if (row.comicTitle)
            chart->setTitleFont(comicFont(13));
        chart->setTitleColor(Blue);
        chart->setBackgroundTile(paper);
        chart->setLeftAxis(row.left);
        chart->setBottomAxis(row.bottom);
        m_charts[indexOf(row.id)] = chart;
    }
    for (const SeriesRow& row : SeriesRows) {
        charts::SeriesStyle style;
        style.color = row.colour;
        style.lineWidth = row.width;
        style.marker = row.marker;
        m_series[indexOf(row.id)] =
            m_charts[indexOf(row.chart)]->addSeries(QString::fromLatin1(row.name), style);
    }
}

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    m_about1 = bar->addAction(tr("A Propos"));
    m_about1->setObjectName(QStringLiteral("APropos1"));
    connect(m_about1, &QAction::triggered, this, [this] { APropos1Click(); });
}

namespace {

// The controls other than the fields, at their places in the tab chain; each
// field takes its place from the field table.
struct TabStop {
    int position;
    const char* name;
};
const TabStop OtherTabStops[] = {
    {0, "Button1"},        {1, "Chart1"},
    {2, "Button2"},        {3, "Button3"},
    {4, "Button4"},        {16, "TrackBar_TEF"},
    {17, "TrackBar_TEC"},  {18, "Button5"},
    {19, "TrackBar_debf"}, {22, "TrackBar_debc"},
    {23, "Chart3"},        {24, "CheckBox1"},
    {25, "Chart2"},        {31, "RadioGroup1_item0"},
};
constexpr int TabStopCount = FieldCount + static_cast<int>(std::size(OtherTabStops));

} // namespace

void TForm1::setTabOrder() {
    std::array<QWidget*, TabStopCount> chain{};
    for (const TabStop& stop : OtherTabStops)
        chain[stop.position] = findChild<QWidget*>(QString::fromLatin1(stop.name));
    for (const FieldEntry& entry : fieldTable())
        chain[entry.tabPosition] = m_fields[indexOf(entry.field)];
    QWidget* previous = nullptr;
    for (QWidget* widget : chain) {
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// Writes the fields' start-up texts: the parameters' values, with a point and
// a fixed number of decimals, and the short design texts of five fields.
void TForm1::FormCreate() {
    const std::array<std::string, FieldCount> texts = startupFieldTexts(m_model.params);
    for (int f = 0; f < FieldCount; ++f)
        setFieldText(static_cast<Field>(f), texts[f]);
}

void TForm1::guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const ArithmeticFault& fault) {
        showMessage(QString::fromUtf8(fault.what()));
    } catch (const RefusedFields& refused) {
        showMessage(m_fieldCheck->refusalMessage(refused));
    }
}

void TForm1::showMessage(const QString& message) {
    if (m_messageSink)
        m_messageSink(message);
    else
        QMessageBox::critical(this, QStringLiteral("Calidor"), message);
}

void TForm1::Button1Click() {
    guarded([this] { m_control->start(); });
}

void TForm1::Button2Click() {
    guarded([this] { m_control->stop(); });
}

void TForm1::Button3Click() {
    guarded([this] { m_control->pause(); });
}

void TForm1::Button4Click() {
    close();
    QCoreApplication::quit();
}

void TForm1::Button5Click() {
    guarded([this] {
        ModelLock lock(modelMutex());
        acquisition(m_model, *this);
    });
}

void TForm1::runSliderHandler(Slider slider) {
    guarded([this, slider] {
        ModelLock lock(modelMutex());
        try {
            sliderChanged(m_model, *this, slider);
        } catch (const RefusedFields&) {
            // Nothing was taken: the slider goes back to the value in force.
            const QSignalBlocker blocker(m_sliders[indexOf(slider)]);
            m_sliders[indexOf(slider)]->setValue(sliderPositionOf(m_model.params, slider));
            throw;
        }
    });
}

void TForm1::TrackBar_TEFChange() {
    runSliderHandler(Slider::TrackBar_TEF);
}
void TForm1::TrackBar_TECChange() {
    runSliderHandler(Slider::TrackBar_TEC);
}
void TForm1::TrackBar_debfChange() {
    runSliderHandler(Slider::TrackBar_debf);
}
void TForm1::TrackBar_debcChange() {
    runSliderHandler(Slider::TrackBar_debc);
}

void TForm1::CheckBox1Click() {
    m_checkBox1->setText(m_checkBox1->isChecked() ? tr("CO-COURANT") : tr("CONTRE-COURANT"));
    guarded([this] {
        ModelLock lock(modelMutex());
        acquisition(m_model, *this);
    });
}

void TForm1::APropos1Click() {
    if (m_about)
        m_about->exec();
}

std::string TForm1::fieldText(Field field) const {
    return m_fields[indexOf(field)]->text().toStdString();
}

void TForm1::setFieldText(Field field, const std::string& text) {
    QLineEdit* edit = m_fields[indexOf(field)];
    edit->setText(QString::fromStdString(text));
    edit->setCursorPosition(0); // a text wider than the field shows its beginning
}

int TForm1::sliderPosition(Slider slider) const {
    return m_sliders[indexOf(slider)]->value();
}

void TForm1::setSliderPosition(Slider slider, int position) {
    QSlider* s = m_sliders[indexOf(slider)];
    if (s->value() == position)
        return;
    {
        const QSignalBlocker blocker(s);
        s->setValue(position);
    }
    // A different position runs the slider's handler at once, nested. A
    // fault in it goes up to the handler the user set off, which shows it
    // once; what was written before stays.
    sliderChanged(m_model, *this, slider);
}

bool TForm1::coCurrentChecked() const {
    return m_checkBox1->isChecked();
}

void TForm1::repaintNow() {
    for (QLineEdit* field : m_fields)
        field->repaint();
    for (QSlider* slider : m_sliders)
        slider->repaint();
    if (m_bilan) // the end of an acquisition, under the model lock
        m_bilan->acquired(m_model);
}

void TForm1::valueBroughtIntoRange(Field field, double typed, double taken) {
    m_fieldCheck->broughtIntoRange(field, typed, taken);
}

void TForm1::clearSeries(SeriesId series) {
    m_series[indexOf(series)]->clear();
}

void TForm1::addPoint(SeriesId series, double x, double y) {
    m_series[indexOf(series)]->addXY(x, y);
}

void TForm1::repaintChart(ChartId chart) {
    m_charts[indexOf(chart)]->repaintNow();
}

// The titles that run control chooses come in French; the catalogue holds them
// under this window's name.
void TForm1::setChartTitle(ChartId chart, const QString& title) {
    [[maybe_unused]] static const char* const runTitles[] = {
        QT_TRANSLATE_NOOP("calidor::TForm1", "Puissances (Entrée/Sortie) : kW"),
        QT_TRANSLATE_NOOP("calidor::TForm1", "Production entropique totale : kW/K")};
    charts::ChartView* view = m_charts[indexOf(chart)];
    view->setTitle(tr(title.toUtf8().constData()));
    view->setAccessibleName(view->title());
    if (chart == ChartId::Chart2) // the representation is chosen: name the balance curves after it
        nameChartCurves(m_charts[indexOf(ChartId::Chart1)], m_charts[indexOf(ChartId::Chart2)],
                        m_charts[indexOf(ChartId::Chart3)], representation());
}

void TForm1::setTimeText(const QString& text) {
    m_timebox->setText(text);
}

Representation TForm1::representation() const {
    return static_cast<Representation>(m_representation->checkedId());
}

void TForm1::setStartEnabled(bool enabled) {
    m_button1->setEnabled(enabled);
}

void TForm1::setRepresentationEnabled(bool enabled) {
    m_radioGroup1->setEnabled(enabled);
}

void TForm1::setLengthEnabled(bool enabled) {
    m_fields[indexOf(Field::Edit_long)]->setEnabled(enabled);
}

void TForm1::reportRunFault(const QString& message) {
    showMessage(message);
}

void TForm1::displayRefreshed(const ModelState& model) {
    m_bilan->displayRefreshed(model);
}

void TForm1::closeEvent(QCloseEvent* event) {
    m_control->shutdown();
    QMainWindow::closeEvent(event);
}

} // namespace calidor
