// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the program shows (window titles, captions, labels, list entries, messages and the
// names it gives screen readers) is one of the program's own texts listed here, or a figure.
// A misspelt or stray caption fails here.

#include "windowdriver.h"

#include "about/aboutwindow.h"
#include "about/frmabout.h"
#include "report/reportprinter.h"
#include "rules/catalogue.h"
#include "rules/texts.h"
#include "version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The program's own texts, as players know them from the rulebook's calculator.
const char *const kOwnTexts[] = {
    "MIRVAK Production Calculator",
    "About MIRVAK Production Calculator",
    "Options",
    "Total Cost",
    "Print Options",
    "Production List",
    "&Reset Form",
    "&About...",
    "Item type to produce:",
    "Use a Workshop",
    "Enforce level restrictions",
    "Skill Level:",
    "Days:",
    "?",
    "Silver",
    "Skill Levels",
    "Production Points",
    "Workshops",
    "Player Name",
    "Character Name",
    "&Print",
    "Item",
    "Quantity",
    "Shatter Resist",
    "Cost (Points)",
    "Cost (Silver)",
    "OK",
    "Visit Homepage",
    "This program follows the standard MIRVAK International rules as they stood in the 8th "
    "Edition rulebook at time of compile. Changes made since that time may require an update to "
    "this program.",
    "To check for updates, use the Visit Homepage button.",
    "Warning: This program is a beta. It might give you wrong numbers. Do not use it for anything "
    "important without double checking the figures first.",
    "Error: invalid item type. Please contact the author.",
    "Unknown Weapon Type, silver cost not added.",
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production.\r\n\r\nYou can disable "
    "this check by turning off the Enforce Level Restrictions option.",
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.",
    "Production Days must be a positive number.",
    "Skill Level must be a positive number.",
    "Quantity must be a non negative number.",
    "Shatter Resist must be a positive even number (0, 2, 4, etc).",
};

// Texts this program adds: the ranges that keep every figure exact, the printing failures and the
// PDF file instead, the list kept in a file, the credit line, and what screen readers are told
// about controls whose captions stand apart.
const char *const kNewTexts[] = {
    "Production Days must be a number from 0.01 to 10000.",
    "Skill Level must be at least 1: a level that rounds down to 0 allows no item.",
    "Skill Level must not be more than 10000.",
    "Quantity must not be more than 1000000.",
    "Shatter Resist must not be more than 10000.",
    "The report was not printed: no printer is set up on this computer.",
    "The report was not printed: the printer refused the print job.",
    "Save the report as a PDF file instead?",
    "&Save as PDF...",
    "Cancel",
    "Save Production Report",
    "PDF files (*.pdf)",
    " - production.pdf",
    "Production report.pdf",
    "The report was not saved to %1: %2",
    "the PDF could not be drawn",
    "&Save List...",
    "&Open List...",
    "Save List",
    "Open List",
    "forgeTally lists (*.forgetally)",
    "All files (*)",
    " - production list.forgetally",
    "Production list.forgetally",
    "The list was not saved to %1: %2",
    "%1 could not be opened: %2.",
    "By the forgeTally developers, forgetally@example.org",
    "MIRVAK Production Calculator icon",
    "Separator, upper line",
    "Separator, lower line",
    "Closes the About window",
    "Opens https://forgetally.example.org/ in the web browser",
    "Help on Days",
    "Total silver cost",
    "Skill levels needed, in all and per day",
    "Production points needed and the points you can produce",
    "Workshops needed",
};

QSet<QString> Allowed()
{
    QSet<QString> allowed;
    for (const char *t : kOwnTexts)
        allowed.insert(QString::fromUtf8(t));
    for (const char *t : kNewTexts)
        allowed.insert(QString::fromUtf8(t));
    allowed.insert(QStringLiteral("Version ") + QLatin1String(forgetally::kVersionText));
    for (const char *column :
         {"Item", "Quantity", "Silver", "Shatter Resist", "Cost (Points)", "Cost (Silver)"})
        for (int row = 1; row <= 10; ++row)
            allowed.insert(QStringLiteral("%1, row %2").arg(QLatin1String(column)).arg(row));
    for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
        allowed.insert(QString::fromUtf8(rules::ItemTypeName(code).data()));
        for (const rules::CatalogueItem &item : rules::CatalogueItems(code))
            allowed.insert(QString::fromUtf8(item.name.data(), qsizetype(item.name.size())));
    }
    return allowed;
}

// A figure of a result label: a number, "n / n", "n / n per day".
bool IsFigure(const QString &text)
{
    static const QRegularExpression figure(
        QStringLiteral(R"(^-?[0-9.,E+-]+( / -?[0-9.,E+-]+( per day)?)?$)"));
    return figure.match(text).hasMatch();
}

QStringList ShownTexts(QWidget *top)
{
    QStringList texts = {top->windowTitle()};
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        else if (auto *list = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        texts << w->accessibleName() << w->accessibleDescription() << w->toolTip();
    }
    return texts;
}

} // namespace

class TextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void every_shown_text_is_known()
    {
        const QSet<QString> allowed = Allowed();
        WindowDriver d;
        QStringList texts = ShownTexts(&d.window());
        d.PickType(QStringLiteral("Weapons"));
        texts << ShownTexts(&d.window());
        QWidget *aboutWindow = about::ShowAboutWindow();
        QVERIFY(aboutWindow);
        texts << ShownTexts(aboutWindow);
        aboutWindow->close();
        for (const QString &text : texts) {
            if (text.isEmpty() || IsFigure(text))
                continue;
            QVERIFY2(allowed.contains(text),
                     qPrintable(QStringLiteral("unknown text: \"%1\"").arg(text)));
        }
    }

    // The messages made outside the window that shows them; the window's own messages are
    // compared with their texts where its tests raise them.
    void every_message_is_known()
    {
        const QSet<QString> allowed = Allowed();
        using namespace rules::texts;
        QStringList messages = {report::OutcomeMessage(report::PrintOutcome::NoPrinter),
                                report::OutcomeMessage(report::PrintOutcome::PrinterRefused)};
        for (std::string_view message :
             {kAppTitle, kDaysRefused, kSkillLevelRefused, kQuantityRefused, kShatterResistRefused})
            messages << QString::fromUtf8(message.data(), qsizetype(message.size()));
        for (const std::string &message : {kDaysOutOfRange, kSkillLevelTooLow, kSkillLevelTooHigh,
                                           kQuantityTooLarge, kShatterResistTooLarge})
            messages << QString::fromStdString(message);
        for (const QString &message : messages)
            QVERIFY2(allowed.contains(message), qPrintable(message));
    }
};

QTEST_MAIN(TextsTest)
#include "tst_texts.moc"
