// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where each text of a report document lands on the pages: the column moves, the line advance
// and the automatic page breaks, measured by a caller-supplied function so that the
// rules can be tested without a paint device. reportprinter.cpp measures with the report font
// on the real device and paints the result.

#include "form/reportdocument.h"

#include <QString>

#include <functional>
#include <vector>

namespace report {

// Sizes in the paint device's units.
struct PageMetrics {
    double charWidth = 0;  // the report font's average character width: column n is at (n-1) * it
    double lineHeight = 0; // the advance of one line
    double pageHeight = 0; // the printable height of a page
};

// The advance of a text in the font of a line with the given emphasis.
using MeasureText = std::function<double(const QString &text, bool underline, bool bold)>;

// One text at its place; y is the top of its line, the page counts from 0.
struct PlacedRun {
    int page = 0;
    double x = 0;
    double y = 0;
    QString text;
    bool underline = false;
    bool bold = false;
};

struct ReportLayout {
    std::vector<PlacedRun> runs;
    int pageCount = 1;
    int physicalLines = 0; // the lines the report occupies, column-move continuations included
};

// Lays the document out from the top of the first page. A column move to a column that the
// position is already past starts a new line and continues at that column there. A line that
// would not fit below the lines already on its page goes to the top of the next page; a page
// always takes at least one line, so a page shorter than one line cannot stall the layout.
// Runs of spaces are placed like texts (underlined they draw a rule); empty texts are not placed.
ReportLayout LayoutReport(const form::ReportDocument &document, const PageMetrics &metrics,
                          const MeasureText &measure);

} // namespace report
