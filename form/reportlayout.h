// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where each text of a report document lands on the pages: the report font, the width of a
// column, the column moves with their continuation onto the next line, the line advance, the
// automatic page breaks and the emphasis of each text. A view measures texts in the report font
// as it has it (the printer's, a browser canvas) and paints or places what this lays out; the
// same layout serves paper, the PDF file and the browser's print.

#include "form/reportdocument.h"

#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace form {

// One font throughout the report.
inline constexpr std::string_view kReportFontFamily = "Arial";
inline constexpr int kReportFontPoints = 12;

// The advance of a UTF-8 text in the report font with the given emphasis (bold is the closing
// emphasis), in the view's units.
using MeasureText = std::function<double(std::string_view text, bool underline, bool bold)>;

// The date line in the general date format: the short date, one space and the long time, both as
// the user's regional settings write them; at exactly 00:00:00 the date stands alone, since the
// general date format leaves out a midnight time.
std::string DateText(std::string_view shortDate, std::string_view longTime, int hour, int minute,
                     int second);

// The width of one column, the report font's average character width: the plain font's advances
// of the lowercase letters and the space weighted by their frequency in English text, as the
// TrueType OS/2 table defined xAvgCharWidth up to its version 2 (Arial's own value, 0.44 em).
// Not a font's stored xAvgCharWidth: newer fonts average it over all their glyphs (0.59 em for
// Liberation Sans), which would put column 80 and its "Silver Cost" past the right edge of an A4
// or Letter page.
double ColumnWidth(const MeasureText &measure);

// Sizes in the view's units. Without a page height the report is one endless page.
struct PageMetrics {
    double lineHeight = 1;                                       // the advance of one line
    double pageHeight = std::numeric_limits<double>::infinity(); // the printable height of a page
};

// One text at its place. `line` counts the report's lines from 0 across pages, continuations
// included; y is the top of the line on its page; the page counts from 0.
struct PlacedRun {
    int page = 0;
    int line = 0;
    double x = 0;
    double y = 0;
    std::string text;
    bool underline = false;
    bool bold = false; // the closing emphasis
};

struct ReportLayout {
    std::vector<PlacedRun> runs;
    double columnWidth = 0;
    int pageCount = 1;
    int physicalLines = 0; // the lines the report occupies, column-move continuations included
};

// Lays the document out from the top of the first page; column n is at (n - 1) * ColumnWidth.
// A column move to a column that the position is already past starts a new line and continues at
// that column there. A line that would not fit below the lines already on its page goes to the
// top of the next page; a page always takes at least one line, so a page shorter than one line
// cannot stall the layout. Runs of spaces are placed like texts (underlined they draw a rule);
// empty texts are not placed.
ReportLayout LayoutReport(const ReportDocument &document, const PageMetrics &metrics,
                          const MeasureText &measure);

} // namespace form
