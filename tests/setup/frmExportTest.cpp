#include "frmExport.h"
#include "BackgroundPresentationsExtractor.h"
#include "EventFileWriter.h"
#include "FakeFileDialogService.h"
#include "FakeFreeSpace.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "ImageBlockCodec.h"
#include "PopUpsFileCommands.h"
#include "PopUpsFileWriter.h"
#include "ProgressDisplay.h"
#include "TestFolder.h"
#include "ZippedEventExport.h"
#include "frmExtract.h"
#include "frmSetup.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class frmExportTest : public ::testing::Test
{
protected:
    frmExportTest()
    {
        window.setClosingWindowMs(1);
        window.buildPopUpsAndExport(messages, dialogs, presentations, freeSpace);
        options.appFolder = dir.path("app/");
        options.instanceId = 78;
        options.environment.insert("STAGOR_DESKTOP_FOLDER", dir.path("desktop"));
        options.environment.insert("STAGOR_LIVECAST_FOLDER", dir.path("veskCast"));
    }

    QAction* action(const char* name) const
    {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }

    TestFolder dir;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeFreeSpace freeSpace;
    frmSetup window{messages, dialogs};
    SetupController::StartUpOptions options;
};

} // namespace

TEST_F(frmExportTest, PopUpsFileOnTheCommandLineAndTheMenuThatExportsIt)
{
    std::array<PopUpSlot, 10> popUps;
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::red);
    popUps[9] = {QStringLiteral("Nine"), picture, picture.scaled(8, 6)};
    ImageBlockCodec codec;
    ASSERT_TRUE(PopUpsFileWriter(codec).write(popUps, dir.path("set.evp")));
    options.commandLineFile = dir.path("set.evp");
    ASSERT_TRUE(window.startUp(options));
    EXPECT_EQ(window.document().PopUps[9].Name, "Nine");
    EXPECT_FALSE(window.document().PopUps[0].isUsed());

    QMenu* file = window.menuBar()->findChild<QMenu*>("MnuFile");
    QMenu* popUpsMenu = window.findChild<QMenu*>("MnuPopUps");
    ASSERT_NE(popUpsMenu, nullptr);
    EXPECT_TRUE(file->actions().contains(popUpsMenu->menuAction()));
    EXPECT_TRUE(file->actions().contains(action("MnuExport")));
    emit popUpsMenu->aboutToShow();
    EXPECT_TRUE(action("MnuPExport")->isEnabled());
    window.document().PopUps[9].clear();
    emit popUpsMenu->aboutToShow();
    EXPECT_FALSE(action("MnuPExport")->isEnabled());
    EXPECT_EQ(action("MnuPImport")->whatsThis(), "MnuPImport");
}

TEST_F(frmExportTest, ExtractionWindowShowsProgressAndWillNotCloseUntilDone)
{
    ASSERT_TRUE(window.startUp(options));
    EventDocument packed = window.document();
    packed.SpeakerCount = 1;
    packed.Speakers[0] = {
        QStringLiteral("Ann"), {}, dir.writeFile("talks/Talk.ppt", QByteArray(2500000, 't')), {}};
    ImageBlockCodec codec;
    ASSERT_TRUE(EventFileWriter(codec).SaveFile(packed, dir.path("packed.zev"), true));
    dir.writeFile("desktop/Talk.ppt", "already here");

    auto* extractWindow = window.findChild<frmExtract*>();
    ASSERT_NE(extractWindow, nullptr);
    EXPECT_EQ(extractWindow->accessibleDescription(), "frmExtract");
    QStringList seen;
    QObject::connect(&window.controller().presentationsExtractor(),
                     &BackgroundPresentationsExtractor::progressChanged, extractWindow, [&] {
                         extractWindow->close();
                         QTest::keyClick(extractWindow, Qt::Key_Escape);
                         if (extractWindow->isVisible())
                             seen << extractWindow->progress()->status()->text() + " " +
                                         extractWindow->progress()->percent()->text();
                     });
    dialogs.queueChoice(dir.path("packed.zev"));
    window.controller().openEvent();

    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), "Extracting - Talk.ppt 40%");
    EXPECT_EQ(seen.last(), "Extracting - Talk.ppt 100%");
    EXPECT_FALSE(extractWindow->isVisible());
    EXPECT_EQ(window.document().Speakers[0].FilePath, dir.path("desktop/Talk2.ppt"));
    EXPECT_TRUE(window.document().isUntitled());
}

TEST_F(frmExportTest, ExportWindowCancelsFromTheKeyboard)
{
    ASSERT_TRUE(window.startUp(options));
    const QString big = dir.path("Big.ppt");
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(2000) * 1000 * 1000));
    }
    window.document().SpeakerCount = 1;
    window.document().Speakers[0] = {QStringLiteral("Ann"), QStringLiteral("Big.ppt"), big, {}};

    auto* exportWindow = window.findChild<frmExport*>();
    ASSERT_NE(exportWindow, nullptr);
    EXPECT_EQ(exportWindow->cancelButton()->accessibleDescription(), "ComCancel");
    EXPECT_EQ(exportWindow->progress()->bar()->accessibleDescription(), "PicPercent");
    QString shown;
    QObject::connect(window.zippedEventExport(), &ZippedEventExport::progressChanged, exportWindow,
                     [&] {
                         if (!shown.isEmpty())
                             return;
                         shown = exportWindow->progress()->status()->text();
                         EXPECT_TRUE(exportWindow->isVisible());
                         EXPECT_TRUE(exportWindow->cancelButton()->hasFocus());
                         QTest::keyClick(exportWindow->cancelButton(), Qt::Key_Space);
                     });
    dialogs.queueChoice(dir.path("big.zev"));
    emit action("MnuExport")->triggered();

    EXPECT_EQ(shown, "Adding - Big.ppt");
    EXPECT_FALSE(exportWindow->isVisible());
    EXPECT_FALSE(QFile::exists(dir.path("big.zev")));
    EXPECT_FALSE(QFile::exists(dir.path("big.zev.part")));
    EXPECT_TRUE(messages.texts().isEmpty());
}
