// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program and its printing module share. Printing is the only user of QtPrintSupport, and
// it is rare, so the code that needs it lives in a module of its own (forgetally-print.so, or
// forgetally-print.dll on Windows), loaded on the first Print (printloader.h): the program starts
// without mapping QtPrintSupport and its printing libraries. The module knows nothing of the
// report: it opens the default printer and hands it back to the program's painting, so only plain
// C types and Qt's own cross the boundary.

class QPagedPaintDevice;

namespace report {

// The module's file name without its suffix (QLibrary adds ".so", or ".dll" on Windows).
inline constexpr char kPrintModuleName[] = "forgetally-print";

// The entry point, resolved by name. It prints one job on the default printer, painted by
// `render` (which gets `document` back untouched), titled `docName` (UTF-8), and returns one of
// the codes below.
inline constexpr char kPrintEntryPoint[] = "forgetally_print_report_v1";
using RenderCallback = bool (*)(const void *document, QPagedPaintDevice *device);
using PrintEntryPoint = int (*)(const void *document, RenderCallback render, const char *docName);

inline constexpr int kPrintedCode = 0;
inline constexpr int kNoPrinterCode = 1;
inline constexpr int kRefusedCode = 2;

} // namespace report
