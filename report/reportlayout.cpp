// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportlayout.h"

#include <algorithm>

namespace report {

namespace {

// Sums of measured advances are compared with column positions computed by multiplication: a
// position equal to a column up to rounding is at that column, not past it.
constexpr double kSameColumnTolerance = 1e-6;

class Cursor {
public:
    Cursor(const PageMetrics &metrics, ReportLayout &layout) : m_metrics(metrics), m_layout(layout)
    {
    }

    // Starts a physical line at the left margin, on a new page when it does not fit below the
    // lines already on this page.
    void beginLine()
    {
        if (m_linesOnPage > 0 && m_y + m_metrics.lineHeight > m_metrics.pageHeight) {
            ++m_page;
            m_y = 0;
            m_linesOnPage = 0;
        }
        m_x = 0;
    }

    void endLine()
    {
        m_y += m_metrics.lineHeight;
        ++m_linesOnPage;
        ++m_layout.physicalLines;
    }

    void moveToColumn(int column)
    {
        const double columnX = double(std::max(column, 1) - 1) * m_metrics.charWidth;
        if (m_x > columnX + kSameColumnTolerance * std::max(m_metrics.charWidth, 1.0)) {
            endLine();
            beginLine();
        }
        m_x = columnX;
    }

    void place(const QString &text, double advance, const form::ReportLine &line)
    {
        if (!text.isEmpty())
            m_layout.runs.push_back({m_page, m_x, m_y, text, line.underline, line.closingEmphasis});
        m_x += advance;
    }

    int pageCount() const { return m_page + 1; }

private:
    const PageMetrics &m_metrics;
    ReportLayout &m_layout;
    int m_page = 0;
    int m_linesOnPage = 0;
    double m_x = 0;
    double m_y = 0;
};

} // namespace

ReportLayout LayoutReport(const form::ReportDocument &document, const PageMetrics &metrics,
                          const MeasureText &measure)
{
    ReportLayout layout;
    Cursor cursor(metrics, layout);
    for (const form::ReportLine &line : document.lines) {
        cursor.beginLine();
        for (const form::ReportItem &item : line.items) {
            switch (item.kind) {
            case form::ReportItem::Kind::Column:
                cursor.moveToColumn(item.count);
                break;
            case form::ReportItem::Kind::Spaces: {
                const QString spaces(std::max(item.count, 0), QLatin1Char(' '));
                cursor.place(spaces, measure(spaces, line.underline, line.closingEmphasis), line);
                break;
            }
            case form::ReportItem::Kind::Text: {
                const QString text = QString::fromStdString(item.text);
                cursor.place(text, measure(text, line.underline, line.closingEmphasis), line);
                break;
            }
            }
        }
        cursor.endLine();
    }
    layout.pageCount = cursor.pageCount();
    return layout;
}

} // namespace report
