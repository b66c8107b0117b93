#include "platform/libreoffice/LibreOfficeApp.h"
#include "platform/widgets/QtFileDialogService.h"
#include "tests/fakes/TestFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Replace = FileDialogService::ReplaceQuestion;

// Drives Qt's save dialog as an operator would: types a name and presses Save, and answers Yes
// to any question that comes up, noting its text in questions.
QString saveAs(const TestFolder& dir, const QString& filter, const QString& typed,
               Replace replace = Replace::ByCommand, QStringList* questions = nullptr)
{
    QStringList asked;
    bool typedDone = false;
    QList<QMessageBox*> answered;
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && !answered.contains(box)) {
            answered << box;
            asked << box->text();
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), &QAbstractButton::click,
                                      Qt::QueuedConnection);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !typedDone) {
            typedDone = true;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_TRUE(name && buttons);
            name->setText(typed);
            // Clicked once this tick is over: a question it raises runs a loop of its own.
            QMetaObject::invokeMethod(buttons->button(QDialogButtonBox::Save),
                                      &QAbstractButton::click, Qt::QueuedConnection);
        }
    });
    driver.start();
    // An operator who never finds the dialog gives up rather than hanging the test.
    QTimer::singleShot(10000, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    const QString path = QtFileDialogService().getSaveFileName(dir.path(), filter, replace);
    if (questions)
        *questions = asked;
    return path;
}

const QString kEvents = QStringLiteral("Stagor (evf) |*.evf");
const QString kPopUps = QStringLiteral("Stagor PopUps (evp) |*.evp");
const QString kZipped = QStringLiteral("Zipped Stagor (zev) |*.zev");

} // namespace

// Each kind of file keeps its own extension, added only when the typed name lacks it; the
// question about replacing a file is asked once, of the file really written.
TEST(SaveFileDialogTest, EachFileKeepsItsExtensionAndReplacingIsAskedOnce)
{
    TestFolder dir;
    EXPECT_EQ(saveAs(dir, kPopUps, "Set"), dir.path("Set.evp"));
    EXPECT_EQ(saveAs(dir, kZipped, "Move.ZEV"), dir.path("Move.ZEV"));
    EXPECT_EQ(saveAs(dir, kEvents, "Notes.v2"), dir.path("Notes.v2.evf"));

    // The commands that ask their own question get the name without Qt asking first.
    dir.writeFile("Set.evp", "old");
    QStringList questions;
    EXPECT_EQ(saveAs(dir, kPopUps, "Set", Replace::ByCommand, &questions), dir.path("Set.evp"));
    EXPECT_TRUE(questions.isEmpty()) << questions.join('\n').toStdString();

    // The dialog asks where the command does not: about Move.zev, though "Move" was typed.
    dir.writeFile("Move.zev", "old");
    EXPECT_EQ(saveAs(dir, kZipped, "Move", Replace::ByDialog, &questions), dir.path("Move.zev"));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().contains("Move.zev")) << questions.first().toStdString();
}

// A configured soffice that cannot run is reported missing, not swapped for one on the path:
// e2e.no_presentation_program.
TEST(LibreOfficeAppTest, FindsAnSofficeThatRunsOnThePath)
{
    TestFolder dir;
    const QString fake = dir.writeFile("bin/soffice", "#!/bin/sh\n");
    dir.writeFile("other/soffice", "");
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(LibreOfficeApp::findBinary("", dir.path("other") + ":" + dir.path("bin")), fake);
    EXPECT_EQ(LibreOfficeApp::findBinary("", dir.path("other")), "");
}
