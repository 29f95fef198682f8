// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportprinter.h"

#include "form/reportlayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <string_view>

namespace report {

namespace {

QFont EmphasisFont(bool underline, bool bold)
{
    QFont font = ReportFont();
    font.setUnderline(underline);
    font.setBold(bold);
    return font;
}

} // namespace

double ColumnWidth(const QFontMetricsF &metrics)
{
    return form::ColumnWidth([&metrics](std::string_view text, bool, bool) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    });
}

QString OutcomeMessage(PrintOutcome outcome)
{
    switch (outcome) {
    case PrintOutcome::Printed:
        return {};
    case PrintOutcome::NoPrinter:
        return QStringLiteral("The report was not printed: no printer is set up on this computer.");
    case PrintOutcome::PrinterRefused:
        return QStringLiteral("The report was not printed: the printer refused the print job.");
    }
    return {};
}

QFont ReportFont()
{
    QFont font(QString::fromUtf8(form::kReportFontFamily.data(),
                                 qsizetype(form::kReportFontFamily.size())));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(form::kReportFontPoints);
    return font;
}

bool RenderReport(const form::ReportDocument &document, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;

    // Measured on the device itself, so that the columns and line advance are the printer's.
    form::PageMetrics metrics;
    metrics.lineHeight = QFontMetricsF(ReportFont(), &device).lineSpacing();
    metrics.pageHeight = device.height();
    const auto measure = [&device](std::string_view text, bool underline, bool bold) {
        return QFontMetricsF(EmphasisFont(underline, bold), &device)
            .horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    };
    const form::ReportLayout layout = form::LayoutReport(document, metrics, measure);

    int page = 0;
    for (const form::PlacedRun &run : layout.runs) {
        for (; page < run.page; ++page) {
            if (!device.newPage()) {
                painter.end();
                return false;
            }
        }
        const QFont font = EmphasisFont(run.underline, run.bold);
        painter.setFont(font);
        painter.drawText(QPointF(run.x, run.y + QFontMetricsF(font, &device).ascent()),
                         QString::fromStdString(run.text));
    }
    return painter.end();
}

} // namespace report
