// Where every control of the main window sits, what it says and how it looks:
// positions and sizes in the client area, captions, colours, fonts, the
// charts' static configuration, the tab order and the window's background.
#include "mainwindowtest.h"
#include "ui/looks.h"

#include <QAction>
#include <QFontInfo>
#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QRadioButton>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <vector>

using namespace calidor;
using namespace calidor::test;

namespace {

// The program's colours, from the one place both windows take them.
using namespace calidor::colours;
const QColor& Beige = WindowBeige;

std::string name(const QObject* o) {
    return o->objectName().toStdString();
}

QColor textColour(const QWidget* w) {
    return w->palette().color(w->foregroundRole());
}

bool isComic(const QFont& font) {
    const QString family = QFontInfo(font).family();
    return std::any_of(std::begin(ComicFamilies), std::end(ComicFamilies),
                       [&](const char* f) { return family == QLatin1String(f); });
}

// The face the window's default font ("MS Sans Serif") resolves to here.
QString defaultFamily() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return QFontInfo(font).family();
}

using Layout = MainWindowTest;

// ---------------------------------------------------------------------------
// Parameter fields and their labels
// ---------------------------------------------------------------------------

// The designed window: each parameter field's rectangle and text colour, and
// where its label starts, what it says and in which colour.
struct DesignedField {
    const char* field;
    QRect rect;
    QColor colour;
    const char* label;
    QPoint labelAt;
    const char* caption;
    QColor labelColour;
};

// Most fields stand in columns: one field every 32 pixels down, 45 × 23, with
// its label level with it and in the field's colour.
struct FieldInColumn {
    const char* field;
    const char* label;
    const char* caption;
    QColor colour;
};

void addColumn(std::vector<DesignedField>& all, QPoint at, int labelLeft,
               std::initializer_list<FieldInColumn> fields) {
    for (const FieldInColumn& f : fields) {
        all.push_back({f.field, QRect(at, QSize(45, 23)), f.colour, f.label, QPoint(labelLeft, at.y()),
                       f.caption, f.colour});
        at.ry() += 32;
    }
}

std::vector<DesignedField> designedFields() {
    // The run's own fields, on the left of the window.
    std::vector<DesignedField> all = {
        {"Tmmaxbox", QRect(72, 192, 49, 23), Red, "Label19", QPoint(0, 192), "Time max (s)", Black},
        {"dtbox", QRect(40, 224, 49, 23), Red, "label20", QPoint(8, 224), "dt (s)", Black},
        {"Edit_long", QRect(320, 296, 45, 23), Red, "Label21", QPoint(160, 296),
         "Longueur de l'échangeur (m)", Teal},
    };
    // The fluids' temperatures, specific heats and flows.
    addColumn(all, QPoint(576, 32), 488,
              {{"tinitbox", "Label8", "T init (°C)", Black},
               {"Tefbox", "Label1", "T entrée F (°C)", Blue},
               {"tecbox", "Label2", "T entrée C (°C)", Red},
               {"Cpfbox", "Label9", "Cp F (J/kg.K)", Blue},
               {"Cpcbox", "Label11", "Cp C (J/kg.K)", Red},
               {"debfbox", "Label13", "deb F (kg/s)", Blue},
               {"debcbox", "Label16", "deb C (kg/s)", Red}});
    // The exchange between the fluids and the wall.
    addColumn(all, QPoint(648, 272), 488,
              {{"Edit_Kf", "Label12", "Coef. ech. conv F (W/m2.K)", Blue},
               {"Edit_Kc", "Label10", "Coef. ech. conv C (W/m2.K)", Red},
               {"Edit_sigmaf", "Label14", "Surf. ech. linéïque F (m2/m)", Blue},
               {"Edit_sigmac", "Label15", "Surf. ech. linéïque C (m2/m)", Red}});
    // The masses, and the wall's specific heat.
    addColumn(all, QPoint(896, 56), 808,
              {{"Mfbox", "Label17", "Masse F (kg)", Blue},
               {"Mcbox", "Label18", "Masse C (kg)", Red},
               {"MPbox", "Label4", "Masse P (kg)", Fuchsia},
               {"cppbox", "Label5", "Cp P (J/kg.K)", Fuchsia}});
    return all;
}

TEST_F(Layout, FieldsAndLabels) {
    const std::vector<DesignedField> fields = designedFields();
    ASSERT_EQ(fields.size(), std::size_t(FieldCount));
    for (const DesignedField& f : fields) {
        SCOPED_TRACE(f.field);
        auto* label = control<QLabel>(f.label);
        auto* edit = field(f.field);
        ASSERT_TRUE(label && edit);

        EXPECT_EQ(label->pos(), f.labelAt);
        EXPECT_EQ(label->height(), 15);
        EXPECT_EQ(label->text(), QString::fromUtf8(f.caption));
        EXPECT_EQ(textColour(label), f.labelColour);
        EXPECT_TRUE(isComic(label->font())) << QFontInfo(label->font()).family().toStdString();
        EXPECT_EQ(label->font().pixelSize(), 11);
        // The caption must not be cut on the right.
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));

        EXPECT_EQ(edit->geometry(), f.rect);
        EXPECT_EQ(textColour(edit), f.colour);
        EXPECT_TRUE(isComic(edit->font())) << QFontInfo(edit->font()).family().toStdString();
        EXPECT_EQ(edit->font().pixelSize(), 11);

        // A label never runs under its own field.
        EXPECT_FALSE(label->geometry().intersects(edit->geometry()));
    }
}

TEST_F(Layout, LengthLabelHasTheWindowColourBehindIt) {
    auto* label = control<QLabel>("Label21");
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), Beige);
}

// ---------------------------------------------------------------------------
// Sliders, buttons and the other controls
// ---------------------------------------------------------------------------

TEST_F(Layout, Sliders) {
    const struct {
        const char* name;
        int left, top;
    } sliders[] = {{"TrackBar_TEF", 648, 64},
                   {"TrackBar_TEC", 648, 96},
                   {"TrackBar_debf", 648, 192},
                   {"TrackBar_debc", 648, 224}};
    for (const auto& s : sliders) {
        SCOPED_TRACE(s.name);
        QSlider* w = slider(s.name);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->geometry(), QRect(s.left, s.top, 113, 17));
        EXPECT_EQ(w->orientation(), Qt::Horizontal);
        EXPECT_EQ(w->minimum(), 0);
        EXPECT_EQ(w->maximum(), 100);
        EXPECT_EQ(w->singleStep(), 1);
        EXPECT_EQ(w->tickInterval(), 1);
        EXPECT_EQ(w->tickPosition(), QSlider::TicksBelow);
        // Every move shows in the field at once, not only at the release.
        EXPECT_TRUE(w->hasTracking());
    }
}

TEST_F(Layout, ButtonsInTheDefaultFont) {
    const struct {
        const char* name;
        const char* caption;
        QRect geometry;
    } buttons[] = {
        {"Button1", "Marche", QRect(0, 16, 41, 25)},      {"Button3", "Pause", QRect(0, 48, 41, 33)},
        {"Button2", "Arrêt", QRect(0, 88, 41, 25)},       {"Button4", "quiter", QRect(0, 120, 81, 25)},
        {"Button5", "ACTUALISE", QRect(672, 16, 73, 33)},
    };
    const QString family = defaultFamily();
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* w = control<QPushButton>(b.name);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(w->geometry(), b.geometry);
        EXPECT_EQ(QFontInfo(w->font()).family(), family);
        EXPECT_FALSE(isComic(w->font()));
        EXPECT_EQ(w->font().pixelSize(), 11);
    }
}

TEST_F(Layout, CheckBoxRadioGroupAndTime) {
    const QString family = defaultFamily();

    QCheckBox* box = checkBox();
    EXPECT_EQ(box->geometry(), QRect(0, 256, 129, 33));
    EXPECT_EQ(QFontInfo(box->font()).family(), family);
    EXPECT_EQ(box->font().pixelSize(), 11);

    auto* group = control<QGroupBox>("RadioGroup1");
    EXPECT_EQ(group->geometry(), QRect(768, 336, 129, 65));
    EXPECT_EQ(group->title(), "Représentation");
    EXPECT_EQ(QFontInfo(group->font()).family(), family);
    const char* items[] = {"Puissances", "Production entropique"};
    for (int i = 0; i < 2; ++i) {
        auto* item =
            control<QRadioButton>(QStringLiteral("RadioGroup1_item%1").arg(i).toLatin1().constData());
        ASSERT_TRUE(item);
        EXPECT_EQ(item->text(), QString::fromUtf8(items[i]));
        EXPECT_EQ(QFontInfo(item->font()).family(), family);
        // One column, one item under the other, both inside the group.
        EXPECT_TRUE(group->rect().contains(item->geometry())) << items[i];
    }
    EXPECT_LT(control("RadioGroup1_item0")->y(), control("RadioGroup1_item1")->y());

    auto* label3 = control<QLabel>("Label3");
    EXPECT_EQ(label3->pos(), QPoint(0, 160));
    EXPECT_EQ(label3->text(), "Time (s)");
    EXPECT_EQ(textColour(label3), Black);
    auto* timebox = control<QLabel>("timebox");
    EXPECT_EQ(timebox->pos(), QPoint(72, 160));
    EXPECT_EQ(textColour(timebox), Black);
    EXPECT_TRUE(isComic(timebox->font()));
    // Room for the longest time a run shows ("300.004  ") without cutting it.
    EXPECT_GE(timebox->width(), timebox->fontMetrics().horizontalAdvance(QStringLiteral("300.004  ")));
}

// The controls keep the design's sizes while the faces that stand in for the
// design's fonts may be wider: every caption must still show whole
// ("Production entropique" in the narrow representation group above all).
TEST_F(Layout, CaptionsFitTheirControls) {
    for (const char* name : {"Button1", "Button2", "Button3", "Button4", "Button5"}) {
        auto* button = control<QPushButton>(name);
        ASSERT_TRUE(button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width()) << name;
    }
    // The check box's longer caption, too.
    QCheckBox* box = checkBox();
    EXPECT_LE(box->fontMetrics().horizontalAdvance(QStringLiteral("CONTRE-COURANT")) +
                  box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                  box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box),
              box->width());
    for (const char* name : {"CheckBox1", "RadioGroup1_item0", "RadioGroup1_item1"}) {
        auto* button = control<QAbstractButton>(name);
        ASSERT_TRUE(button);
        EXPECT_LE(button->sizeHint().width(), button->width()) << name;
    }
    // The group's title is drawn whole as well.
    auto* group = control<QGroupBox>("RadioGroup1");
    EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()), group->width());
}

TEST_F(Layout, LaboratoryNameAndLogo) {
    auto* label6 = control<QLabel>("Label6");
    EXPECT_EQ(label6->pos(), QPoint(8, 560));
    EXPECT_EQ(label6->text(), "Kestrel");
    EXPECT_EQ(textColour(label6), Teal);
    EXPECT_TRUE(isComic(label6->font()));
    EXPECT_EQ(label6->font().pixelSize(), 27);
    EXPECT_TRUE(QFontInfo(label6->font()).bold());

    auto* label7 = control<QLabel>("Label7");
    EXPECT_EQ(label7->pos(), QPoint(0, 592));
    EXPECT_EQ(label7->width(), 176);
    EXPECT_TRUE(label7->wordWrap());
    EXPECT_EQ(label7->text(), "Laboratoire Kestrel");
    EXPECT_EQ(textColour(label7), Teal);
    EXPECT_TRUE(isComic(label7->font()));
    EXPECT_EQ(label7->font().pixelSize(), 13);
    EXPECT_TRUE(QFontInfo(label7->font()).bold());
    // Tall enough for the lines the wrapped text needs.
    EXPECT_GE(label7->height(), label7->heightForWidth(176));

    auto* image = control<QLabel>("Image1");
    EXPECT_EQ(image->geometry(), QRect(328, 536, 105, 97));
    const QPixmap logo = image->pixmap();
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(105, 97));
}

TEST_F(Layout, ClientAreaHoldsEveryControl) {
    // The window fits itself to its contents: nothing sticks out of it.
    QWidget* client = form->centralWidget();
    ASSERT_TRUE(client);
    for (QObject* child : client->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow()) {
            EXPECT_TRUE(client->rect().contains(w->geometry())) << name(w);
        }
    }
    // The charts' bottom right corner is the furthest one.
    EXPECT_GE(client->width(), 913);
    EXPECT_GE(client->height(), 633);
    EXPECT_LE(client->width(), 949);
    EXPECT_LE(client->height(), 679);
}

// ---------------------------------------------------------------------------
// Charts and their series
// ---------------------------------------------------------------------------

TEST_F(Layout, Charts) {
    const struct {
        const char* name;
        QRect geometry;
        const char* title;
        bool comicTitle;
    } charts[] = {
        {"Chart1", QRect(160, 0, 321, 281), "Profil de température", true},
        {"Chart3", QRect(0, 328, 393, 209), "Températures de sortie", true},
        {"Chart2", QRect(456, 400, 457, 233), "Puissances (Entrée/Sortie) : kW", false},
    };
    for (const auto& c : charts) {
        SCOPED_TRACE(c.name);
        auto* chart = control<charts::ChartView>(c.name);
        ASSERT_TRUE(chart);
        EXPECT_EQ(chart->geometry(), c.geometry);
        EXPECT_EQ(chart->title(), QString::fromUtf8(c.title));
        EXPECT_EQ(isComic(chart->titleFont()), c.comicTitle);
        if (c.comicTitle) {
            EXPECT_EQ(chart->titleFont().pixelSize(), 13);
            EXPECT_EQ(chart->titleColor(), Blue);
        }
    }
}

void expectAxis(const charts::AxisRange& axis, bool autoMin, bool autoMax, double min, double max) {
    EXPECT_EQ(axis.autoMin, autoMin);
    EXPECT_EQ(axis.autoMax, autoMax);
    if (!autoMin) {
        EXPECT_EQ(axis.min, min);
    }
    if (!autoMax) {
        EXPECT_EQ(axis.max, max);
    }
}

TEST_F(Layout, ChartAxes) {
    auto* chart1 = control<charts::ChartView>("Chart1");
    auto* chart2 = control<charts::ChartView>("Chart2");
    auto* chart3 = control<charts::ChartView>("Chart3");
    ASSERT_TRUE(chart1 && chart2 && chart3);
    {
        SCOPED_TRACE("Chart1");
        expectAxis(chart1->leftAxis(), false, false, 0, 100);
        expectAxis(chart1->bottomAxis(), false, true, 0, 0);
        // With no data the fixed ends show as they are.
        EXPECT_EQ(chart1->leftScale().min, 0);
        EXPECT_EQ(chart1->leftScale().max, 100);
        EXPECT_EQ(chart1->bottomScale().min, 0);
    }
    {
        SCOPED_TRACE("Chart3");
        expectAxis(chart3->leftAxis(), false, false, 0, 100);
        expectAxis(chart3->bottomAxis(), true, true, 0, 0);
    }
    {
        SCOPED_TRACE("Chart2");
        expectAxis(chart2->leftAxis(), true, true, 0, 0);
        expectAxis(chart2->bottomAxis(), true, true, 0, 0);
    }
}

TEST_F(Layout, SeriesStylesChartsAndDrawingOrder) {
    const struct {
        const char* name;
        const char* chart;
        QColor colour;
        int width;
        bool marker;
    } series[] = {
        {"Series1", "Chart1", Red, 2, false},     {"Series2", "Chart1", Blue, 2, false},
        {"Series4", "Chart1", Fuchsia, 2, false}, {"Series5", "Chart3", Fuchsia, 2, false},
        {"Series6", "Chart3", Fuchsia, 1, true},  {"Series7", "Chart3", Red, 2, false},
        {"Series8", "Chart3", Red, 1, true},      {"Series9", "Chart3", Blue, 2, false},
        {"Series10", "Chart3", Blue, 1, true},    {"Series11", "Chart2", Red, 2, false},
        {"Series3", "Chart2", Blue, 2, false},
    };
    std::map<std::string, QStringList> order; // per chart, in the table's (drawing) order
    for (const auto& s : series) {
        SCOPED_TRACE(s.name);
        auto* found = control<charts::Series>(s.name);
        ASSERT_TRUE(found);
        auto* chart = control<charts::ChartView>(s.chart);
        EXPECT_EQ(found->parent(), chart);
        EXPECT_EQ(found->style().color, s.colour);
        EXPECT_EQ(found->style().lineWidth, s.width);
        EXPECT_EQ(found->style().marker, s.marker);
        if (s.marker) {
            EXPECT_EQ(found->style().markerWidth, 5);
            EXPECT_EQ(found->style().markerHeight, 5);
        }
        order[s.chart] << QString::fromLatin1(s.name);
    }
    for (const auto& [chartName, names] : order) {
        QStringList drawn;
        for (const charts::Series* s : control<charts::ChartView>(chartName.c_str())->seriesList())
            drawn << s->objectName();
        EXPECT_EQ(drawn, names) << chartName;
    }
}

// ---------------------------------------------------------------------------
// Tab order, menu and background
// ---------------------------------------------------------------------------

TEST_F(Layout, TabOrderFollowsTheNumbers) {
    // The numbered controls in their tab order.
    const QStringList numbered = {
        "Button1",     "Chart1",        "Button2",      "Button3",      "Button4", "Tefbox",        "tecbox",
        "tinitbox",    "Cpfbox",        "Cpcbox",       "debfbox",      "debcbox", "Mfbox",         "Mcbox",
        "Tmmaxbox",    "dtbox",         "TrackBar_TEF", "TrackBar_TEC", "Button5", "TrackBar_debf", "MPbox",
        "cppbox",      "TrackBar_debc", "Chart3",       "CheckBox1",    "Chart2",  "Edit_Kc",       "Edit_Kf",
        "Edit_sigmaf", "Edit_sigmac",   "Edit_long",    "RadioGroup1"};

    // One lap of the focus chain from the first button, among the widgets
    // that Tab reaches; a radio item stands for its group.
    QWidget* start = control("Button1");
    ASSERT_TRUE(start);
    QStringList walked;
    QWidget* w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(form.get())) {
            QString n = w->objectName();
            if (n.startsWith(QLatin1String("RadioGroup1_item")))
                n = QStringLiteral("RadioGroup1");
            if (numbered.contains(n) && !walked.contains(n))
                walked << n;
        }
        w = w->nextInFocusChain();
    } while (w && w != start && walked.size() < 200);

    QStringList expected;
    for (const QString& n : numbered) {
        QWidget* c = control(n.toLatin1().constData());
        if (!c)
            continue;
        // The charts take no keyboard focus; everything else must be reached.
        const bool tabbable = (c->focusPolicy() & Qt::TabFocus) || n == QLatin1String("RadioGroup1");
        if (n.startsWith(QLatin1String("Chart")) && !tabbable)
            continue;
        expected << n;
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(Layout, MenuHasItsOneEntry) {
    auto* about = control<QAction>("APropos1");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->text(), "A Propos");
    const QList<QAction*> top = form->menuBar()->actions();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top.front(), about);
    EXPECT_TRUE(form->menuBar()->isVisible());
}

TEST_F(Layout, BackgroundIsBeige) {
    EXPECT_EQ(form->palette().color(QPalette::Window), Beige);
    // A free spot of the client area, between the two lower charts, and one
    // in the gap under the sliders: painted in the window colour.
    QWidget* client = form->centralWidget();
    const QImage shot = form->grab().toImage();
    for (const QPoint spot : {QPoint(420, 450), QPoint(780, 260), QPoint(420, 300)}) {
        const QPoint at = client->mapTo(form.get(), spot) * shot.devicePixelRatio();
        EXPECT_EQ(QColor(shot.pixel(at)), Beige) << spot.x() << "," << spot.y();
    }
}

// ---------------------------------------------------------------------------
// Screenshot for a look by eye (CALIDOR_SCREENSHOT=path saves it)
// ---------------------------------------------------------------------------

TEST_F(Layout, Screenshot) {
    const QPixmap shot = form->grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(shot.width(), 913);
    if (const char* path = std::getenv("CALIDOR_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(path)));
    }
}

} // namespace
