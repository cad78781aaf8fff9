#include "ui/DocumentPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <memory>

namespace tolvane {

void DocumentPrinter::setUpMargins(QPrinter &printer)
{
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

bool DocumentPrinter::print(const QTextDocument &document, QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The text is laid out anew for the printer's resolution on a copy, so the pane keeps its own layout and
    // QTextDocument adds no margin of its own to the printer's.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setMargin(0);
    copy->rootFrame()->setFrameFormat(frame);
    const QRectF body = printer.pageLayout().paintRectPixels(printer.resolution());
    copy->setPageSize(body.size());

    const int pages = copy->pageCount();
    int first = 1;
    int last = pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(printer.fromPage(), 1);
        last = std::min(printer.toPage() > 0 ? printer.toPage() : pages, pages);
    }
    QFont footFont = copy->defaultFont();
    footFont.setPointSizeF(9);
    const double mm = printer.resolution() / 25.4;
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        painter.save();
        painter.translate(0, -(page - 1) * body.height());
        copy->drawContents(&painter, QRectF(0, (page - 1) * body.height(), body.width(), body.height()));
        painter.restore();
        if (pages > 1) {
            painter.save();
            painter.setFont(QFont(footFont, &printer));
            const QRectF foot(0, body.height() + 8 * mm, body.width(), 8 * mm);
            painter.drawText(
                foot, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
            painter.restore();
        }
    }
    return painter.end();
}

} // namespace tolvane
