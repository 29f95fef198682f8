// SPDX-License-Identifier: GPL-3.0-or-later
// Save List and Open List through the real file dialog: the list goes to a file in the documents
// folder under a name from the character name, never over a file without asking, and comes back
// with its figures; a refused field is checked before any dialog opens; a damaged file is named in
// one box and the list stays.

#include "windowdriver.h"

#include "form/listdocument.h"
#include "window/filesaving.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <memory>

using widgets::MessageIcon;

class ListSavingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_documents;
    std::unique_ptr<WindowDriver> d;
    QTimer m_dialogs;
    QStringList m_seen;            // each dialog: its title, folder and the name it suggests
    std::deque<QString> m_answers; // chosen in each dialog in turn
    qsizetype m_agreeFrom = 0;     // from this dialog on, questions are answered yes

    QString Row(const char *name, int row) const { return WindowDriver::Row(name, row); }

    // Each dialog: noted once, then given the next answer until it has taken it in (it settles a
    // moment after it shows), then accepted.
    void AnswerDialog()
    {
        // The dialog's own warning (a file not found) would wait for ever: closed, and the test fails.
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            return box->reject();
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *name =
            dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name || !name->isVisible())
            return;
        const int ticks = dialog->property("ticks").toInt();
        dialog->setProperty("ticks", ticks + 1);
        if (ticks == 0)
            m_seen << dialog->windowTitle() + "|" + dialog->directory().absolutePath() + "|" +
                          name->text();
        d->messages().accept = m_agreeFrom > 0 && m_seen.size() >= m_agreeFrom;
        if (m_answers.empty() || ticks > 250) // a dialog that takes no answer fails, not hangs
            return dialog->reject();
        // selectFile leaves a name field that has the focus alone: typed there, as a person would.
        dialog->selectFile(m_answers.front());
        if (name->text() != m_answers.front()) {
            name->clear();
            QTest::keyClicks(name, m_answers.front());
        }
        if (dialog->selectedFiles() != QStringList{dialog->directory().filePath(m_answers.front())})
            return;
        m_answers.pop_front();
        static_cast<QDialog *>(dialog)->accept();
    }

    // Only the files this test writes: on Windows the folder is the profile's own Documents.
    void RemoveOwnFiles() const
    {
        for (const QString &name : QDir(m_documents).entryList({"Brannoc*", "cut.forgetally"}))
            QFile::remove(QDir(m_documents).filePath(name));
    }

    QByteArray Contents(const QString &name) const
    {
        QFile file(QDir(m_documents).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A home of its own, so that the documents folder is this test's where HOME decides it;
        // Windows asks the shell for it, and the dialogs start there.
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("Documents"))));
        m_documents = window::DocumentsFolder();
        connect(&m_dialogs, &QTimer::timeout, this, &ListSavingTest::AnswerDialog);
        m_dialogs.start(20);
    }

    void init()
    {
        RemoveOwnFiles();
        m_seen.clear();
        m_answers.clear();
        m_agreeFrom = 0;
        d = std::make_unique<WindowDriver>();
    }
    void cleanup()
    {
        d.reset();
        RemoveOwnFiles();
    }

    void saved_list_asks_before_replacing_and_opens_with_its_figures()
    {
        d->Enter(QStringLiteral("txtEventLength"), QStringLiteral("3")); // 228 points of 240
        d->PickType(QStringLiteral("Weapons"));
        d->PickItem(0, QStringLiteral("Long Sword"));
        d->Click(d->Box(Row("chkSilver", 0)));
        d->Enter(Row("txtShatterResist", 0), QStringLiteral("4"));
        d->Enter(Row("txtItemQuantity", 0), QStringLiteral("2"));
        d->Enter(QStringLiteral("txtCharacterName"), QStringLiteral("Brannoc the Smith"));
        QFile old(QDir(m_documents).filePath(QStringLiteral("Brannoc.forgetally")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        // "Brannoc" with the suffix is that old file: declined, the dialog again; then agreed.
        m_answers = {QStringLiteral("Brannoc"), QStringLiteral("Brannoc")};
        m_agreeFrom = 2;

        d->Click(d->Button(QStringLiteral("cmdSaveList")));

        const QString suggested =
            "Save List|" + m_documents + "|Brannoc the Smith - production list.forgetally";
        QCOMPARE(m_seen,
                 (QStringList{suggested, "Save List|" + m_documents + "|Brannoc.forgetally"}));
        QCOMPARE(int(d->messages().shown.size()), 2);
        QCOMPARE(d->messages().shown[1].text,
                 QDir::toNativeSeparators(QDir(m_documents).filePath("Brannoc.forgetally")) +
                     " already exists.");
        const form::State saved = d->window().Form().state();
        QCOMPARE(Contents(QStringLiteral("Brannoc.forgetally")),
                 QByteArray::fromStdString(form::ListFile(saved)));
        QCOMPARE(QDir(m_documents).entryList({"Brannoc*"}, QDir::Files),
                 QStringList{"Brannoc.forgetally"});

        d->Click(d->Button(QStringLiteral("cmdReset")));
        m_seen.clear();
        m_answers = {QStringLiteral("Brannoc.forgetally")};
        d->Click(d->Button(QStringLiteral("cmdOpenList")));

        QCOMPARE(m_seen, QStringList{"Open List|" + m_documents + "|"});
        QCOMPARE(d->Field(Row("txtItemQuantity", 0))->text(), QStringLiteral("2"));
        QCOMPARE(d->Label(Row("lblItemProdCost", 0))->text(), QStringLiteral("228"));
        QCOMPARE(form::ListFile(d->window().Form().state()), form::ListFile(saved));
        QCOMPARE(MismatchedLabels(*d), QStringList());
        QCOMPARE(int(d->messages().shown.size()), 2);
    }

    void refused_field_comes_first_then_a_damaged_file_is_named_and_the_list_stays()
    {
        QFile cut(QDir(m_documents).filePath(QStringLiteral("cut.forgetally")));
        const std::string text = form::ListFile(d->window().Form().state());
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(text.data(), qint64(text.size() / 2));
        cut.close();
        m_answers = {QStringLiteral("cut.forgetally")};
        d->Click(d->Field(Row("txtItemQuantity", 3)));
        d->Type(QStringLiteral("abc"));

        d->Click(d->Button(QStringLiteral("cmdOpenList"))); // the field's check, and no dialog
        d->Type(QStringLiteral("5"));
        d->Click(d->Button(QStringLiteral("cmdOpenList")));

        QCOMPARE(int(m_seen.size()), 1);
        QCOMPARE(int(d->messages().shown.size()), 2);
        QCOMPARE(d->messages().shown[0].text,
                 QStringLiteral("Quantity must be a non negative number."));
        QCOMPARE(d->messages().shown[1].icon, MessageIcon::Exclamation);
        QCOMPARE(d->messages().shown[1].text,
                 QDir::toNativeSeparators(cut.fileName()) +
                     " could not be opened: it is damaged or cut short.");
        QCOMPARE(d->Field(Row("txtItemQuantity", 3))->text(), QStringLiteral("5"));
        QCOMPARE(d->Label(Row("lblItemProdCost", 3))->text(), QStringLiteral("40"));
    }
};

QTEST_MAIN(ListSavingTest)
#include "tst_listsaving.moc"
