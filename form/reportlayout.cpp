// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/reportlayout.h"

#include <algorithm>
#include <array>

namespace form {

namespace {

// The weights of xAvgCharWidth in the OS/2 table versions 0 to 2, per thousand characters.
struct CharWeight {
    char character;
    int weight;
};
constexpr std::array<CharWeight, 27> kCharWeights{{
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20},  {'g', 14},
    {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20},  {'n', 56},
    {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71},  {'u', 31},
    {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166},
}};

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
        const double width = m_layout.columnWidth;
        const double columnX = double(std::max(column, 1) - 1) * width;
        if (m_x > columnX + kSameColumnTolerance * std::max(width, 1.0)) {
            endLine();
            beginLine();
        }
        m_x = columnX;
    }

    void place(std::string text, double advance, const ReportLine &line)
    {
        if (!text.empty())
            m_layout.runs.push_back({m_page, m_layout.physicalLines, m_x, m_y, std::move(text),
                                     line.underline, line.closingEmphasis});
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

std::string DateText(std::string_view shortDate, std::string_view longTime, int hour, int minute,
                     int second)
{
    std::string text(shortDate);
    if (hour == 0 && minute == 0 && second == 0)
        return text;
    text += ' ';
    text += longTime;
    return text;
}

double ColumnWidth(const MeasureText &measure)
{
    double weighted = 0;
    int total = 0;
    for (const CharWeight &entry : kCharWeights) {
        weighted += entry.weight * measure(std::string_view(&entry.character, 1), false, false);
        total += entry.weight;
    }
    return weighted / total;
}

ReportLayout LayoutReport(const ReportDocument &document, const PageMetrics &metrics,
                          const MeasureText &measure)
{
    ReportLayout layout;
    layout.columnWidth = ColumnWidth(measure);
    Cursor cursor(metrics, layout);
    for (const ReportLine &line : document.lines) {
        cursor.beginLine();
        for (const ReportItem &item : line.items) {
            switch (item.kind) {
            case ReportItem::Kind::Column:
                cursor.moveToColumn(item.count);
                break;
            case ReportItem::Kind::Spaces: {
                std::string spaces(std::size_t(std::max(item.count, 0)), ' ');
                const double advance = measure(spaces, line.underline, line.closingEmphasis);
                cursor.place(std::move(spaces), advance, line);
                break;
            }
            case ReportItem::Kind::Text:
                cursor.place(item.text, measure(item.text, line.underline, line.closingEmphasis),
                             line);
                break;
            }
        }
        cursor.endLine();
    }
    layout.pageCount = cursor.pageCount();
    return layout;
}

} // namespace form
