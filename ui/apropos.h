#pragma once
// The About dialog: title, date and version over parchment, and three links
// (a mail to the author, a page of other tools, the document on the model).
// It is also the start-up screen: its creation shows it modally at once.

#include <QDialog>

class QLabel;

namespace calidor {

/// The three addresses the dialog hands to the desktop.
struct AboutAddresses {
    QString email;         // the author's address, opened as "mailto:" + email
    QString toolsPage;     // the web page that lists other tools
    QString modelDocument; // the document on the model and its method
};

/// Where a window whose frame is `frame` goes so that it lies within
/// `available`, moved as little as possible; a window larger than
/// `available` keeps its top left corner in it.
QPoint positionOnScreen(const QRect& frame, const QRect& available);

/// The addresses chosen when the program was built, with the model document
/// found where the program is installed or built.
AboutAddresses builtInAddresses();

class TFapropos : public QDialog {
    Q_OBJECT
public:
    /// Builds the dialog; with `showAtCreation` its creation handler shows it
    /// modally before the constructor returns, as at the program's start.
    explicit TFapropos(QWidget* parent = nullptr, bool showAtCreation = true,
                       AboutAddresses addresses = builtInAddresses());

    const AboutAddresses& addresses() const { return m_addresses; }

    /// Moves the dialog, title bar included, from its designed place into
    /// `available` (a screen's area), only as far as it must: on a small
    /// screen "FERMER" stays within reach. Showing the dialog does it for its
    /// screen.
    void keepOnScreen(const QRect& available);

    // Handlers, named after their control and event.
    void FormCreate();
    void ShapedButton2Click();
    void ShapedButton1Click();
    void Label2Click();
    void Label3Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPictures();
    void addPictureLink(const char* name, const QString& picture, const QRect& geometry, const QString& tip,
                        const QString& accessibleName);
    void buildLabels();
    void buildButtons();
    QLabel* clickable(QLabel* label);

    AboutAddresses m_addresses;
    bool m_firstShow = true;
};

} // namespace calidor
