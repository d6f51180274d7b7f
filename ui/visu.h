#pragma once
// The main window: every parameter field with its label, the four sliders,
// the run buttons, the flow-arrangement box, the representation choice, the
// three charts, the elapsed time and the laboratory's name and logo.

#include "model/acquisition.h"
#include "model/arithmeticfault.h"
#include "model/modelstate.h"
#include "run/runcontrol.h"
#include "run/runwindow.h"
#include "ui/looks.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;

namespace calidor::charts {
class ChartView;
class Series;
} // namespace calidor::charts

namespace calidor {

class Lessons;
class BilanWindow;
class FieldCheck;

class TForm1 : public QMainWindow, public AcquisitionForm, public RunWindow {
    Q_OBJECT
public:
    /// Builds the window and runs FormCreate. The model is the program's
    /// state, or a test's own.
    explicit TForm1(ModelState& model = processModel(), QWidget* parent = nullptr);
    ~TForm1() override;

    /// Replaces the message box that shows arithmetic faults (for tests).
    using MessageSink = std::function<void(const QString& message)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    /// What "A Propos" shows modally.
    void setAboutDialog(QDialog* dialog) { m_about = dialog; }

    RunControl& runControl() { return *m_control; }

    /// Fits the window to a screen's available area. When the window with its
    /// frame is larger, its contents go into a scroll area and the window
    /// takes at most that area; otherwise it fits its contents, as designed.
    /// Showing the window does it for the window's screen.
    void fitToScreen(const QRect& available);
    /// Whether the contents are in the scroll area.
    bool scrolls() const { return m_scroll != nullptr; }

    // Handlers, named after their control and event.
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void TrackBar_TEFChange();
    void TrackBar_TECChange();
    void TrackBar_debfChange();
    void TrackBar_debcChange();
    void CheckBox1Click();
    void APropos1Click();

    // AcquisitionForm
    std::string fieldText(Field field) const override;
    void setFieldText(Field field, const std::string& text) override;
    int sliderPosition(Slider slider) const override;
    void setSliderPosition(Slider slider, int position) override;
    bool coCurrentChecked() const override;
    void repaintNow() override;
    void valueBroughtIntoRange(Field field, double typed, double taken) override;

    // RunWindow
    void clearSeries(SeriesId series) override;
    void addPoint(SeriesId series, double x, double y) override;
    void repaintChart(ChartId chart) override;
    void setChartTitle(ChartId chart, const QString& title) override;
    void setTimeText(const QString& text) override;
    Representation representation() const override;
    void setStartEnabled(bool enabled) override;
    void setRepresentationEnabled(bool enabled) override;
    void setLengthEnabled(bool enabled) override;
    void reportRunFault(const QString& message) override;
    void displayRefreshed(const ModelState& model) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildFields(QWidget* client);
    void buildSliders(QWidget* client);
    void buildButtons(QWidget* client);
    void buildOtherControls(QWidget* client);
    void buildCharts(QWidget* client);
    void buildMenu();
    void setTabOrder();
    void connectSlider(QSlider* slider, void (TForm1::*handler)());
    void runSliderHandler(Slider slider);
    /// Runs a handler's body; an arithmetic fault abandons it and is shown.
    void guarded(const std::function<void()>& body);
    void showMessage(const QString& message);

    ModelState& m_model;
    std::unique_ptr<RunControl> m_control;
    MessageSink m_messageSink;
    QDialog* m_about = nullptr;

    QWidget* m_client = nullptr;
    QScrollArea* m_scroll = nullptr; // only while the screen is too small
    std::array<QLineEdit*, FieldCount> m_fields{};
    std::array<QLabel*, FieldCount> m_fieldLabels{};
    std::array<QSlider*, SliderCount> m_sliders{};
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QPushButton* m_button3 = nullptr;
    QPushButton* m_button4 = nullptr;
    QPushButton* m_button5 = nullptr;
    QCheckBox* m_checkBox1 = nullptr;
    QGroupBox* m_radioGroup1 = nullptr;
    QButtonGroup* m_representation = nullptr;
    QLabel* m_timebox = nullptr;
    std::array<charts::ChartView*, 3> m_charts{};
    std::array<charts::Series*, 11> m_series{};
    QAction* m_about1 = nullptr;
    Lessons* m_lessons = nullptr;       // background menu, shortcuts, pause cue
    BilanWindow* m_bilan = nullptr;     // "Bilan et théorie", reached from the charts' menus and Ctrl+B
    FieldCheck* m_fieldCheck = nullptr; // marks fields that hold no number, says what was refused
};

} // namespace calidor
