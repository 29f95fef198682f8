// SPDX-License-Identifier: GPL-3.0-or-later
// The report's date line: the locale's short date, a space, its long time; at midnight the date
// alone. The times are given in UTC so that the long time's zone name does not depend on TZ.

#include "report/heading.h"
#include "version.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

class ReportDateTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

    void date_text_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("US afternoon") << QStringLiteral("en_US") << QTime(14, 5, 9)
                                      << QStringLiteral("3/7/26 2:05:09 PM UTC");
        QTest::newRow("US midnight: date alone")
            << QStringLiteral("en_US") << QTime(0, 0, 0) << QStringLiteral("3/7/26");
        QTest::newRow("US midnight to the second")
            << QStringLiteral("en_US") << QTime(0, 0, 0, 400) << QStringLiteral("3/7/26");
        QTest::newRow("US one second past midnight") << QStringLiteral("en_US") << QTime(0, 0, 1)
                                                     << QStringLiteral("3/7/26 12:00:01 AM UTC");
        QTest::newRow("US noon") << QStringLiteral("en_US") << QTime(12, 0, 0)
                                 << QStringLiteral("3/7/26 12:00:00 PM UTC");
        QTest::newRow("German afternoon") << QStringLiteral("de_DE") << QTime(14, 5, 9)
                                          << QStringLiteral("07.03.26 14:05:09 UTC");
        QTest::newRow("German midnight: date alone")
            << QStringLiteral("de_DE") << QTime(0, 0, 0) << QStringLiteral("07.03.26");
        QTest::newRow("German last second") << QStringLiteral("de_DE") << QTime(23, 59, 59)
                                            << QStringLiteral("07.03.26 23:59:59 UTC");
    }

    void date_text()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        const QDateTime when(QDate(2026, 3, 7), time, QTimeZone::utc());
        QCOMPARE(report::DateText(QLocale(locale), when), expected);
    }

    void current_heading_follows_the_default_locale()
    {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        const QString text = QString::fromStdString(report::CurrentHeading().dateText);
        // dd.MM.yy, whatever the time of day
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d( |$)"))
                     .match(text)
                     .hasMatch(),
                 qPrintable(text));
    }

    void current_heading_carries_this_release()
    {
        const form::ReportHeading heading = report::CurrentHeading();
        QCOMPARE(QString::fromStdString(heading.versionText),
                 QStringLiteral("%1.%2.%3")
                     .arg(forgetally::kVersionMajor)
                     .arg(forgetally::kVersionMinor)
                     .arg(forgetally::kVersionRevision));
    }
};

QTEST_APPLESS_MAIN(ReportDateTextTest)
#include "test_report_datetext.moc"
