// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through the printing module, loaded on demand (see printmodule.h).

#include "report/printloader.h"
#include "report/printmodule.h"
#include "rules/texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <string>

namespace report {

namespace {

bool RenderDocument(const void *document, QPagedPaintDevice *device)
{
    return RenderReport(*static_cast<const form::ReportDocument *>(document), *device);
}

// The entry point of the first folder's module that loads and has it. A loaded module stays for
// the rest of the run; loading it again only finds it.
PrintEntryPoint LoadEntryPoint(const QStringList &folders)
{
    for (const QString &folder : folders) {
        QLibrary module(QDir(folder).filePath(QLatin1String(kPrintModuleName)));
        if (!module.load())
            continue;
        if (auto entry = reinterpret_cast<PrintEntryPoint>(module.resolve(kPrintEntryPoint)))
            return entry;
        module.unload();
    }
    return nullptr;
}

} // namespace

QStringList PrintModuleFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
#ifdef Q_OS_WIN
    // Installed or unzipped, the module sits beside the program; no other folder is searched.
    return {programFolder.path()};
#else
    QStringList folders{
        programFolder.path(),
        QDir::cleanPath(programFolder.filePath(QStringLiteral(FORGETALLY_MODULE_DIR_FROM_BIN))),
        QStringLiteral(FORGETALLY_MODULE_DIR)};
    folders.removeDuplicates();
    return folders;
#endif
}

PrintOutcome PrintReport(const form::ReportDocument &document)
{
    return PrintReportThrough(document, PrintModuleFolders());
}

PrintOutcome PrintReportThrough(const form::ReportDocument &document,
                                const QStringList &moduleFolders)
{
    const PrintEntryPoint print = LoadEntryPoint(moduleFolders);
    if (!print)
        return PrintOutcome::PrinterRefused;
    static const std::string docName(rules::texts::kAppTitle);
    switch (print(&document, &RenderDocument, docName.c_str())) {
    case kPrintedCode:
        return PrintOutcome::Printed;
    case kNoPrinterCode:
        return PrintOutcome::NoPrinter;
    default:
        return PrintOutcome::PrinterRefused;
    }
}

} // namespace report
