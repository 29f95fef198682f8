// SPDX-License-Identifier: GPL-3.0-or-later
// A report that could not be printed, saved as a PDF instead: the file holds the lines the
// printer would have had, on the locale's paper; the suggested name survives awkward character
// names; a file that cannot be written leaves the old one alone and says why; the real box
// offers Save as PDF by default.

#include "windowdriver.h"

#include "form/reportdocument.h"
#include "window/reportsaving.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

#include <memory>

using widgets::MessageIcon;

namespace {

// The standard output of a poppler tool, or empty when it fails. (Not on Windows: see below.)
[[maybe_unused]] QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s failed (poppler-utils missing?): %s", qPrintable(program),
                 process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of each non-blank line: pdftotext spaces columns as it likes.
QStringList Words(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        if (!line.simplified().isEmpty())
            out << line.simplified();
    return out;
}

[[maybe_unused]] QStringList DocumentLines(const form::ReportDocument &document)
{
    QStringList lines;
    for (const form::ReportLine &line : document.lines) {
        QStringList texts;
        for (const form::ReportItem &item : line.items)
            if (item.kind == form::ReportItem::Kind::Text)
                texts << QString::fromStdString(item.text);
        lines << texts.join(QLatin1Char(' '));
    }
    return Words(lines);
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ReportSavingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<WindowDriver> d;
    std::vector<form::ReportDocument> m_printed;
    QStringList m_suggested; // what the dialog was asked with
    QString m_answer;        // what the dialog answers

    void PrintWithoutPrinter() { d->Click(d->Button(QStringLiteral("cmdPrint"))); }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_printed.clear();
        m_suggested.clear();
        m_answer.clear();
        d = std::make_unique<WindowDriver>();
        d->window().SetReportPrinter([this](const form::ReportDocument &document) {
            m_printed.push_back(document);
            return report::PrintOutcome::NoPrinter;
        });
        d->window().SetPdfPathDialog([this](QWidget *, const QString &suggested) {
            m_suggested << suggested;
            return m_answer;
        });
    }
    void cleanup()
    {
        d.reset();
        m_dir.reset();
    }

    void saved_pdf_holds_the_printed_lines_on_the_locales_paper_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("paper");
        QTest::newRow("US English: Letter")
            << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("(letter)");
        QTest::newRow("German: A4")
            << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("(A4)");
        QTest::newRow("British English: A4")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << QStringLiteral("(A4)");
    }
    void saved_pdf_holds_the_printed_lines_on_the_locales_paper()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, paper);
        d->window().setLocale(locale);
        d->PickType(QStringLiteral("Weapons"));
        d->PickItem(0, QStringLiteral("Long Sword"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("2"));
        d->Enter(QStringLiteral("txtCharacterName"), QStringLiteral("Brannoc the Smith"));
        d->messages().accept = true;
        m_answer = m_dir->filePath(QStringLiteral("report.pdf"));

        PrintWithoutPrinter();

        QCOMPARE(int(m_printed.size()), 1);
        QCOMPARE(m_suggested,
                 QStringList{QDir(window::PdfFolder())
                                 .filePath(QStringLiteral("Brannoc the Smith - production.pdf"))});
        QCOMPARE(int(d->messages().shown.size()), 1); // the offer, and no failure after it
#ifdef Q_OS_WIN
        // poppler-utils are read back on Linux; under Wine they would get a Windows path.
        Q_UNUSED(paper);
        QVERIFY(Contents(m_answer).startsWith("%PDF-"));
#else
        const QString text = Run(QStringLiteral("pdftotext"), {"-layout", m_answer, "-"});
        QCOMPARE(Words(text.split(QLatin1Char('\n'))), DocumentLines(m_printed[0]));
        QVERIFY(text.contains(QStringLiteral("Long Sword")));
        const QString info = Run(QStringLiteral("pdfinfo"), {m_answer});
        QVERIFY2(info.contains(paper), qPrintable(info));
        // Every font embedded (pdffonts' columns emb, sub, uni, object, generation): the file
        // reads the same on a computer without Liberation Sans.
        static const QRegularExpression flags(
            QStringLiteral(R"(\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"));
        const QStringList fonts = Run(QStringLiteral("pdffonts"), {m_answer})
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                      .mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString &font : fonts)
            QVERIFY2(flags.match(font).captured(1) == QLatin1String("yes"), qPrintable(font));
#endif
        QCOMPARE(d->Field(WindowDriver::Row("txtItemQuantity", 0))->text(), QStringLiteral("2"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"report.pdf"});
    }

    void cancel_in_the_dialog_writes_nothing_and_says_nothing()
    {
        d->messages().accept = true;
        PrintWithoutPrinter();
        QCOMPARE(m_suggested.size(), 1);
        QCOMPARE(int(d->messages().shown.size()), 1);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void suggested_name_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("expected");
        const QString ending = QStringLiteral(" - production.pdf");
        QTest::newRow("plain") << "Brannoc the Smith"
                               << "Brannoc the Smith - production.pdf";
        QTest::newRow("empty") << ""
                               << "Production report.pdf";
        QTest::newRow("blanks only") << " \t "
                                     << "Production report.pdf";
        QTest::newRow("slashes") << "Ash/Oak\\Elm"
                                 << "Ash_Oak_Elm" + ending;
        QTest::newRow("refused on shared disks") << "Who? \"Me\" <x>|*:"
                                                 << "Who_ _Me_ _x____" + ending;
        QTest::newRow("line breaks and controls")
            << QStringLiteral("Ann\nLee\tSmith\x01") << "Ann Lee Smith_" + ending;
        QTest::newRow("hidden and trailing dots") << "..Lore. "
                                                  << "Lore" + ending;
        QTest::newRow("only dots") << ".."
                                   << "Production report.pdf";
        QTest::newRow("very long") << QString(300, QLatin1Char('x')) << QString(64, 'x') + ending;
        QTest::newRow("long, cut through a character outside the basic plane")
            << QStringLiteral("a") + QString::fromUtf8("\xF0\x9D\x94\x84").repeated(100)
            << QStringLiteral("a") + QString::fromUtf8("\xF0\x9D\x94\x84").repeated(31) + ending;
        QTest::newRow("long, cut before blanks")
            << QString(63, 'y') + QStringLiteral("  zzz") << QString(63, 'y') + ending;
        QTest::newRow("a device name for Windows before the first dot") << "Con.Artist"
                                                                        << "_Con.Artist" + ending;
        QTest::newRow("a device name, blanks before the dot") << "lpt1 .x"
                                                              << "_lpt1 .x" + ending;
        QTest::newRow("a device name alone is no device in the whole name") << "NUL"
                                                                            << "NUL" + ending;
    }
    void suggested_name()
    {
        QFETCH(QString, character);
        QFETCH(QString, expected);
        const QString name = window::SuggestedPdfName(character);
        QCOMPARE(name, expected);
        QVERIFY(name.toUtf8().size() <= 255);
    }

    void windows_device_names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("device");
        for (const char *name : {"CON", "con.pdf", "Nul.tar.gz", "AUX .pdf", "prn.", "com9.pdf",
                                 "LPT1", "com\xC2\xB9.pdf", "COM0"})
            QTest::newRow(name) << QString::fromUtf8(name) << true;
        for (const char *name : {"COM10.pdf", "CONSOLE.pdf", "CON - production.pdf", "xcon.pdf",
                                 "COM.pdf", "LPT", ".con"})
            QTest::newRow(name) << QString::fromUtf8(name) << false;
    }
    void windows_device_names()
    {
        QFETCH(QString, name);
        QFETCH(bool, device);
        QCOMPARE(window::IsWindowsDeviceName(name), device);
    }

    void unwritable_file_leaves_the_old_one_and_says_why_data()
    {
        QTest::addColumn<QString>("folder"); // made inside the temporary folder
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
#ifdef Q_OS_WIN
        // Windows words the system's reasons itself (and Wine in its own way): the reason that is
        // the program's own.
        QTest::newRow("a device name typed in the dialog")
            << "open"
            << "con.pdf" << QStringLiteral("Windows keeps this name for a device");
#else
        QTest::newRow("read-only folder") << "locked"
                                          << "old.pdf"
                                          << "Permission denied";
        // Refused even to root, who may write into read-only folders.
        QTest::newRow("folder that is a file") << "plain file"
                                               << "old.pdf"
                                               << "Not a directory";
        QTest::newRow("name too long") << "open" << QString(300, 'n') + ".pdf"
                                       << "File name too long";
#endif
    }
    void unwritable_file_leaves_the_old_one_and_says_why()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString dir = m_dir->filePath(folder);
        const QByteArray old = "the report of last weekend";
        if (folder == QLatin1String("plain file")) {
            QFile file(dir);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(dir));
        }
#ifndef Q_OS_WIN
        if (folder == QLatin1String("locked")) {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders; the other rows fail for root too");
            QFile file(dir + QStringLiteral("/") + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
            file.close();
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        }
#endif
        const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries, QDir::Name);
        d->messages().accept = true;
        m_answer = dir + QStringLiteral("/") + name;

        PrintWithoutPrinter();

        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(int(d->messages().shown.size()), 2);
        const ShownMessage &failure = d->messages().shown[1];
        QCOMPARE(failure.icon, MessageIcon::Stop);
        QCOMPARE(failure.text, QStringLiteral("The report was not saved to %1: %2")
                                   .arg(QDir::toNativeSeparators(m_answer), reason));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries, QDir::Name), before);
        if (folder == QLatin1String("locked")) {
            QCOMPARE(Contents(m_answer), old);
            QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{name});
        }
        if (folder == QLatin1String("open"))
            QVERIFY(QDir(dir).isEmpty()); // no temporary file left behind
    }

    // The real box: the failure, the question, Save as PDF as the default button, Esc cancels.
    void real_offer_box_defaults_to_save_as_pdf_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    }
    void real_offer_box_defaults_to_save_as_pdf()
    {
        QFETCH(int, key);
        QFETCH(bool, saves);
        QString text;
        QString question;
        QStringList buttons;
        QString defaultButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            question = box->informativeText();
            icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text();
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key(key));
            if (box->isVisible())
                box->reject(); // a key that did nothing fails the test instead of hanging it
        });
        answer.start(10);
        const bool chosen = widgets::DefaultMessageBoxes().Ask(
            &d->window(), MessageIcon::Exclamation,
            QStringLiteral("The report was not printed: no printer is set up on this computer."),
            QStringLiteral("Save the report as a PDF file instead?"),
            QStringLiteral("&Save as PDF..."));
        answer.stop();
        QCOMPARE(chosen, saves);
        QCOMPARE(text, QStringLiteral(
                           "The report was not printed: no printer is set up on this computer."));
        QCOMPARE(question, QStringLiteral("Save the report as a PDF file instead?"));
        QCOMPARE(icon, QMessageBox::Warning);
        buttons.sort();
        QCOMPARE(buttons,
                 (QStringList{QStringLiteral("&Save as PDF..."), QStringLiteral("Cancel")}));
        QCOMPARE(defaultButton, QStringLiteral("&Save as PDF..."));
    }
};

QTEST_MAIN(ReportSavingTest)
#include "tst_reportsaving.moc"
