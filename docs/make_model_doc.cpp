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

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
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

} // namespace

int main(int argc, char** argv) {
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

    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(inputPath, input.errorString()));
    const QString html = QString::fromUtf8(input.readAll());

    QTextDocument doc;
    QFont body(QStringLiteral("DejaVu Serif"));
    body.setPointSizeF(kBodyPointSize);
    doc.setDefaultFont(body);
    QTextOption option = doc.defaultTextOption();
    option.setUseDesignMetrics(true); // the same line breaks at any resolution
    doc.setDefaultTextOption(option);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    if (doc.isEmpty())
        return fail(QStringLiteral("%1 holds no text").arg(inputPath));
    const QString title = doc.metaInformation(QTextDocument::DocumentTitle);

    // Written under a temporary name and renamed once complete.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString()));

    QPdfWriter writer(&output);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Calidor"));

    // Layout units: the pixels of the screen the text is laid out for.
    const double layoutDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    const double toDevice = kPdfDpi / layoutDpi;
    const QRectF pagePt = writer.pageLayout().paintRect(QPageLayout::Point);
    const QSizeF textPage(pagePt.width() * layoutDpi / 72, (pagePt.height() - kFooterPt) * layoutDpi / 72);
    doc.setPageSize(textPage);
    const int pages = doc.pageCount();

    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot start the PDF %1").arg(outputPath));
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(kFooterPointSize);
    const QRectF pageDevice = writer.pageLayout().paintRectPixels(kPdfDpi);
    const double textBottom = textPage.height() * toDevice;
    const double rule = textBottom + kFooterPt / 3 * kPdfDpi / 72;
    const QRectF footer(0, rule, pageDevice.width(), pageDevice.height() - rule);

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !writer.newPage())
            return fail(QStringLiteral("cannot add page %1 to %2").arg(page + 1).arg(outputPath));

        // The slice of the laid-out text that falls on this page.
        painter.save();
        painter.scale(toDevice, toDevice);
        const QRectF slice(0, page * textPage.height(), textPage.width(), textPage.height());
        painter.translate(0, -slice.top());
        painter.setClipRect(slice);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = slice;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        // Footer: a thin teal rule, the title on the left, the page on the right.
        painter.setPen(QPen(kTeal, 0.5 * kPdfDpi / 72));
        painter.drawLine(QPointF(0, rule), QPointF(pageDevice.width(), rule));
        painter.setFont(footerFont);
        painter.setPen(kFooterText);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    if (!painter.end())
        return fail(QStringLiteral("cannot finish the PDF %1").arg(outputPath));
    if (!output.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString()));
    return 0;
}
