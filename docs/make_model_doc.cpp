// make_model_doc: prints the document on the model and its method, an HTML
// text, to an A4 PDF. Run by the build:
//   make_model_doc <document.html> <output.pdf>
//
// The text is laid out as on a screen (the screen's dots per inch, design font
// metrics), so that the pixel sizes of its style sheet keep their usual
// meaning, then drawn scaled to the PDF's resolution, page by page, with a
// footer that gives the document's title and the page number.
//
// On any failure it says why and exits non-zero without leaving an output
// file behind, so the build stops instead of shipping a truncated document.
//
// The same text gives the same bytes: the fonts are embedded in a fixed
// order (a deterministic hash seed), and with SOURCE_DATE_EPOCH set the
// document's date is that time rather than the time of printing.

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>

#include <cstdio>

namespace {

constexpr int kPdfDpi = 600;
// Page margins in millimetres: left, top, right, bottom.
const QMarginsF kMarginsMm(20, 17, 20, 12);
// Room kept below the text for the footer, in points.
constexpr double kFooterPt = 22;
constexpr double kBodyPointSize = 10;
constexpr double kFooterPointSize = 7.5;
const QColor kTeal(0, 128, 128);
const QColor kFooterText(96, 96, 96);

int fail(const QString& message) {
    std::fprintf(stderr, "make_model_doc: %s\n", qPrintable(message));
    return 1;
}

// Reads the HTML text into a document laid out with design metrics, so that the
// line breaks are the same at any resolution. Returns an error, or nothing.
QString loadDocument(const QString& inputPath, QTextDocument& doc) {
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(inputPath, input.errorString());
    QFont body(QStringLiteral("DejaVu Serif"));
    body.setPointSizeF(kBodyPointSize);
    doc.setDefaultFont(body);
    QTextOption option = doc.defaultTextOption();
    option.setUseDesignMetrics(true);
    doc.setDefaultTextOption(option);
    doc.setDocumentMargin(0);
    doc.setHtml(QString::fromUtf8(input.readAll()));
    if (doc.isEmpty())
        return QStringLiteral("%1 holds no text").arg(inputPath);
    return {};
}

void setUpWriter(QPdfWriter& writer, const QString& title) {
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Calidor"));
}

// Where things fall on a page. The text is laid out in the pixels of the screen
// it is laid out for, then scaled to the PDF's device pixels.
struct PageGeometry {
    QSizeF textPage;  // the text's part of a page, in layout pixels
    double toDevice;  // layout pixels to device pixels
    double rule;      // height of the footer's rule, in device pixels
    QRectF footer;    // the footer's text box, in device pixels
    double pageWidth; // in device pixels
};

PageGeometry pageGeometry(const QPdfWriter& writer) {
    PageGeometry g{};
    const double layoutDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    g.toDevice = kPdfDpi / layoutDpi;
    const QRectF pagePt = writer.pageLayout().paintRect(QPageLayout::Point);
    g.textPage = QSizeF(pagePt.width() * layoutDpi / 72, (pagePt.height() - kFooterPt) * layoutDpi / 72);
    const QRectF pageDevice = writer.pageLayout().paintRectPixels(kPdfDpi);
    const double textBottom = g.textPage.height() * g.toDevice;
    g.rule = textBottom + kFooterPt / 3 * kPdfDpi / 72;
    g.footer = QRectF(0, g.rule, pageDevice.width(), pageDevice.height() - g.rule);
    g.pageWidth = pageDevice.width();
    return g;
}

// Draws the slice of the laid-out text that falls on this page.
void drawTextSlice(QPainter& painter, QTextDocument& doc, const PageGeometry& g, int page) {
    painter.save();
    painter.scale(g.toDevice, g.toDevice);
    const QRectF slice(0, page * g.textPage.height(), g.textPage.width(), g.textPage.height());
    painter.translate(0, -slice.top());
    painter.setClipRect(slice);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = slice;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

// A thin teal rule, the title on the left, the page on the right.
void drawFooter(QPainter& painter, const PageGeometry& g, const QString& title, int page, int pages) {
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(kFooterPointSize);
    painter.setPen(QPen(kTeal, 0.5 * kPdfDpi / 72));
    painter.drawLine(QPointF(0, g.rule), QPointF(g.pageWidth, g.rule));
    painter.setFont(footerFont);
    painter.setPen(kFooterText);
    painter.drawText(g.footer, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(g.footer, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
}

// Prints every page; returns an error, or nothing.
QString printPages(QPdfWriter& writer, QTextDocument& doc, const QString& title, const QString& outputPath) {
    const PageGeometry g = pageGeometry(writer);
    doc.setPageSize(g.textPage);
    const int pages = doc.pageCount();
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("cannot start the PDF %1").arg(outputPath);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage())
            return QStringLiteral("cannot add page %1 to %2").arg(page + 1).arg(outputPath);
        drawTextSlice(painter, doc, g, page);
        drawFooter(painter, g, title, page, pages);
    }
    if (!painter.end())
        return QStringLiteral("cannot finish the PDF %1").arg(outputPath);
    return {};
}

// The PDF with the creation date that SOURCE_DATE_EPOCH gives, when it is set.
// The date has a fixed width, so the cross-reference offsets stay right.
QByteArray withSourceDate(QByteArray pdf) {
    bool isNumber = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&isNumber);
    if (!isNumber)
        return pdf;
    const QByteArray date =
        QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    const QByteArray key("/CreationDate (D:");
    const qsizetype at = pdf.indexOf(key);
    if (at >= 0 && date.size() == 14)
        pdf.replace(at + key.size(), date.size(), date);
    return pdf;
}

} // namespace

int main(int argc, char** argv) {
    QHashSeed::setDeterministicGlobalSeed();
    // The document is printed during the build: never ask for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 3) {
        std::fprintf(stderr, "usage: make_model_doc <document.html> <output.pdf>\n");
        return 2;
    }
    const QString inputPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QTextDocument doc;
    if (const QString error = loadDocument(inputPath, doc); !error.isEmpty())
        return fail(error);
    const QString title = doc.metaInformation(QTextDocument::DocumentTitle);

    QBuffer printed;
    printed.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&printed);
        setUpWriter(writer, title);
        if (const QString error = printPages(writer, doc, title, outputPath); !error.isEmpty())
            return fail(error);
    }
    // Written under a temporary name and renamed once complete.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(withSourceDate(printed.data())) < 0 ||
        !output.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString()));
    return 0;
}
