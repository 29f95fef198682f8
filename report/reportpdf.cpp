// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/reportpdf.h"

#include "report/reportprinter.h"
#include "rules/texts.h"

#include <QLocale>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {

QPageSize LocalePageSize(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

bool WritePdf(const form::ReportDocument &document, QIODevice &device, const QPageSize &pageSize)
{
    QPdfWriter writer(&device);
    writer.setPageSize(pageSize);
    writer.setTitle(QString::fromUtf8(rules::texts::kAppTitle));
    writer.setCreator(QString::fromUtf8(rules::texts::kAppTitle));
    return RenderReport(document, writer);
}

QString SavePdf(const form::ReportDocument &document, const QString &path,
                const QPageSize &pageSize)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!WritePdf(document, file, pageSize)) {
        // A failed write (a full disk) has its own reason; otherwise the painting itself failed.
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("the PDF could not be drawn");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace report
