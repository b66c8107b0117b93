#include "EventDocument.h"
#include "FakeDriveTypeSource.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "QuickLaunchBar.h"
#include "QuickLaunchPanel.h"
#include "QuickLaunchProperties.h"
#include "TestFolder.h"
#include "frmQLProperties.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using Icon = QuickLaunchBar::Icon;
using Advance = SlideShowOptions::SlideAdvance;

class QuickLaunchBarTest : public ::testing::Test
{
protected:
    QuickLaunchBarTest()
    {
        doc.DesktopFolder = folder.path("desktop/");
        doc.ImportDir = folder.path("import/");
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        drives.set(folder.path("usb"), DriveTypeSource::Removable);
        drives.set(folder.path("share"), DriveTypeSource::Remote);
        drives.set(folder.path("lost"), DriveTypeSource::Unknown);
    }

    QString file(const QString& name) { return folder.writeFile(name, name.toUtf8()); }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeDriveTypeSource drives;
    QuickLaunchBar bar{doc, messages, dialogs, presentations, drives};
};

class QuickLaunchPropertiesTest : public ::testing::Test
{
protected:
    // A presentation of three slides on disk whose show loops and advances after 95 s.
    QString timedDeck(const QString& name)
    {
        const QString path = folder.writeFile(name, QByteArray(1234, 'x'));
        presentations.addPresentation(path, 3);
        SlideShowOptions options;
        options.loopUntilStopped = true;
        options.slides = {{true, 95}, {false, 0}, {true, 7}};
        const auto doc = presentations.open(path, PresentationApp::Visibility::Hidden).value();
        doc->setShowOptions(options);
        doc->save();
        doc->close();
        return path;
    }

    TestFolder folder;
    FakePresentationApp presentations;
};

} // namespace

TEST_F(QuickLaunchBarTest, DropTakesTheFirstFileByItsEnding)
{
    EXPECT_EQ(bar.icon(), Icon::None);
    EXPECT_FALSE(bar.canShowProperties());
    const struct
    {
        const char* name;
        Icon icon;
    } accepted[] = {{"Talk.ppt", Icon::Presentation},
                    {"Talk.PPTX", Icon::Presentation},
                    {"Loop.pps", Icon::Show},
                    {"Loop.ppsx", Icon::Show}};
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.name);
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        const QString path = file(c.name);
        bar.drop({path});
        EXPECT_EQ(doc.QuickLaunchFile, path);
        EXPECT_EQ(bar.title(), c.name);
        EXPECT_EQ(bar.icon(), c.icon);
        EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());
        EXPECT_TRUE(bar.canShowProperties());
    }

    // A Flash movie has no picture: the show icon of the last file stays.
    const QString movie = file("intro.swf");
    bar.drop({movie, file("other.ppt")});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(bar.title(), "intro.swf");
    EXPECT_EQ(bar.icon(), Icon::Show);

    // Only the first file counts, and anything else is ignored without a word.
    QSignalSpy changed(&bar, &QuickLaunchBar::changed);
    bar.drop({file("notes.doc"), file("Talk2.ppt")});
    bar.drop({file("ppt")});
    bar.drop({});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(QuickLaunchBarTest, OpenAssignsAnExistingPresentationOnly)
{
    // Cancelled, a typed name that does not exist, and a file that is no presentation.
    bar.Open_Click(folder.path());
    dialogs.queueChoice(folder.path("missing.ppt"));
    bar.Open_Click(folder.path());
    dialogs.queueChoice(file("notes.txt"));
    bar.Open_Click(folder.path());
    EXPECT_TRUE(doc.QuickLaunchFile.isEmpty());
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    EXPECT_EQ(dialogs.lastFilter(), "PowerPoint Preentations |*.ppt;*.pptx;*.pps;*.ppsx");
    EXPECT_EQ(dialogs.lastFolder(), folder.path());

    const QString show = file("Closing.ppsx");
    dialogs.queueChoice(show);
    bar.Open_Click(folder.path());
    EXPECT_EQ(doc.QuickLaunchFile, show);
    EXPECT_EQ(bar.icon(), Icon::Show);
    EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());
}

TEST_F(QuickLaunchBarTest, FilesFromRemovableOrNetworkDrivesAreCopiedUnderAFreeName)
{
    file("import/Talk.ppt");
    const QString stick = file("usb/Talk.ppt");
    bar.drop({stick});
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Talk2.ppt"));
    EXPECT_EQ(bar.title(), "Talk2.ppt");
    EXPECT_EQ(folder.readFile("import/Talk2.ppt"), "usb/Talk.ppt");
    EXPECT_TRUE(QFileInfo::exists(stick));

    dialogs.queueChoice(file("share/Keynote.pptx"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Keynote.pptx"));

    // A fixed disk keeps the file where it is.
    const QString local = file("talks/Local.ppt");
    bar.drop({local});
    EXPECT_EQ(doc.QuickLaunchFile, local);
    EXPECT_TRUE(messages.texts().isEmpty());

    // A drive nobody can tell keeps the previous file, from Open and from a drop alike.
    dialogs.queueChoice(file("lost/Gone.ppt"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(messages.last(), "Error Drive Undetermined.");
    EXPECT_EQ(messages.lastIcon(), MsgIcon::Exclamation);
    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    bar.drop({file("lost/Gone.pps")});
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
    EXPECT_EQ(messages.texts().size(), 2);
    EXPECT_EQ(doc.QuickLaunchFile, local);
    EXPECT_EQ(bar.icon(), Icon::Presentation);
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    EXPECT_FALSE(QFileInfo::exists(folder.path("import/Gone.pps")));
}

TEST_F(QuickLaunchBarTest, ShowRunsPresentationsAndHandsFlashMoviesOn)
{
    const QString talk = file("Talk.pptx");
    presentations.addPresentation(talk, 3);
    bar.drop({talk});
    bar.Show_Click();
    ASSERT_NE(presentations.lastOpened(), nullptr);
    EXPECT_EQ(presentations.lastOpened()->showsStarted(), 1);

    // A file the program cannot open is shown no message and leaves nothing open.
    presentations.closeAll();
    bar.drop({file("Broken.ppt")});
    bar.Show_Click();
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());

    QSignalSpy flash(&bar, &QuickLaunchBar::flashRequested);
    const QString movie = file("intro.swf");
    bar.drop({movie});
    bar.Show_Click();
    ASSERT_EQ(flash.count(), 1);
    EXPECT_EQ(flash.at(0).at(0).toString(), movie);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
}

TEST_F(QuickLaunchBarTest, PanelDropsAndCutOrAVanishedFileUnassigns)
{
    QuickLaunchPanel panel(bar, presentations, [this] { return folder.path(); });
    for (const char* key : {"Open", "Cut", "Properties", "Show"})
        EXPECT_NE(panel.toolbar()->widgetForAction(panel.button(key))->focusPolicy(), Qt::NoFocus)
            << key;
    const auto dragAndDrop = [&panel](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&panel, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(&panel, &drop);
        return enter.isAccepted();
    };
    EXPECT_FALSE(dragAndDrop(file("notes.doc")));
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");
    EXPECT_FALSE(panel.button("Properties")->isEnabled());

    const QString talk = file("Talk.ppt");
    presentations.addPresentation(talk, 2);
    EXPECT_TRUE(dragAndDrop(talk));
    EXPECT_EQ(panel.fileTitle()->text(), "Talk.ppt");
    EXPECT_FALSE(panel.iconBox()->pixmap().isNull());
    EXPECT_TRUE(panel.button("Properties")->isEnabled());

    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    panel.button("Cut")->trigger();
    EXPECT_TRUE(doc.QuickLaunchFile.isEmpty());
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");
    EXPECT_EQ(bar.icon(), Icon::None);
    EXPECT_TRUE(panel.iconBox()->pixmap().isNull());
    EXPECT_FALSE(panel.button("Properties")->isEnabled());
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    QSignalSpy flash(&bar, &QuickLaunchBar::flashRequested);
    bar.Show_Click();
    EXPECT_EQ(presentations.starts(), 0);
    EXPECT_EQ(flash.count(), 0);

    // A file that disappears (a stick pulled out) is unassigned by the periodic check.
    bar.drop({talk});
    bar.Timer1_Timer();
    EXPECT_EQ(doc.QuickLaunchFile, talk);
    QFile::remove(talk);
    bar.Timer1_Timer();
    EXPECT_EQ(bar.title(), "Unassigned");
    EXPECT_EQ(bar.icon(), Icon::None);
}

TEST(QuickLaunchDelay, ConvertsBetweenSecondsAndMinutesText)
{
    EXPECT_EQ(QuickLaunchProperties::delayText(95), "01:35");
    EXPECT_EQ(QuickLaunchProperties::delayText(0), "00:00");
    EXPECT_EQ(QuickLaunchProperties::delayText(5999), "99:59");
    EXPECT_EQ(QuickLaunchProperties::delayText(-3), "00:00");

    EXPECT_EQ(QuickLaunchProperties::delaySeconds("01:35"), 95);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds("02:05"), 125);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds("ab:05"), 5);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds("02:xy"), 120);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds("junk"), 0);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds("-1:-5"), 0);
    EXPECT_EQ(QuickLaunchProperties::delaySeconds(""), 0);
}

TEST_F(QuickLaunchPropertiesTest,
       LoadReadsSlideOneCancelWritesNothingAndManualAdvanceKeepsTheTimings)
{
    const QString path = timedDeck("talks/Loop.pps");
    const SlideShowOptions before = presentations.storedOptions(path);
    {
        QuickLaunchProperties properties(presentations);
        properties.load(path);
        const auto& f = properties.fields();
        EXPECT_EQ(f.fileName, "Loop.pps");
        EXPECT_EQ(f.sizeText, "1234 bytes");
        EXPECT_EQ(f.location, path);
        EXPECT_TRUE(f.isShow);
        EXPECT_TRUE(f.loop && f.advance);
        EXPECT_EQ(f.delayText, "01:35");
        EXPECT_EQ(f.delayS, 95);
        properties.cancel();
        EXPECT_EQ(presentations.lastOpened(), nullptr);
    }
    {
        // Closing the window any other way is a Cancel too.
        QuickLaunchProperties properties(presentations);
        properties.load(path);
    }
    EXPECT_EQ(presentations.storedOptions(path), before);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);

    // OK with automatic advance (every slide gets the delay) is checked against the real office
    // in LibreOfficeSetupTest. Without it the show waits for the presenter; the timings stay.
    QuickLaunchProperties properties(presentations);
    properties.load(path);
    ASSERT_TRUE(properties.ok(false, false, QStringLiteral("00:10")).ok());
    const SlideShowOptions stored = presentations.storedOptions(path);
    EXPECT_FALSE(stored.loopUntilStopped);
    EXPECT_EQ(stored.advanceMode, SlideShowOptions::AdvanceMode::Manual);
    EXPECT_EQ(stored.slides, before.slides);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
}

TEST_F(QuickLaunchPropertiesTest, UnreadablePresentationLeavesFieldsPartlyFilledAndSavesNothing)
{
    const QString broken = timedDeck("Broken.pptx");
    const SlideShowOptions before = presentations.storedOptions(broken);
    presentations.failToOpen(broken);
    QuickLaunchProperties properties(presentations);
    properties.load(broken);
    EXPECT_EQ(properties.fields().sizeText, "1234 bytes");
    EXPECT_FALSE(properties.fields().isShow);
    EXPECT_FALSE(properties.fields().loop);
    EXPECT_FALSE(properties.isBound());
    EXPECT_FALSE(properties.ok(true, true, QStringLiteral("01:00")).ok());
    EXPECT_EQ(presentations.storedOptions(broken), before);

    // A file that has gone since it was assigned: only its name is known.
    properties.load(folder.path("gone.ppt"));
    EXPECT_EQ(properties.fields().fileName, "gone.ppt");
    EXPECT_TRUE(properties.fields().sizeText.isEmpty());
    EXPECT_TRUE(properties.fields().location.isEmpty());

    // The program dies while the window is open: OK fails and nothing is stored.
    const QString path = timedDeck("Crash.ppt");
    properties.load(path);
    presentations.crash();
    EXPECT_FALSE(properties.ok(true, true, QStringLiteral("00:30")).ok());
    EXPECT_EQ(presentations.storedOptions(path).slides.first(), Advance({true, 95}));
}

TEST_F(QuickLaunchPropertiesTest, WindowKeepsDelayTextAndSpinnerTogether)
{
    const QString path = timedDeck("Loop.pps");
    frmQLProperties window(presentations, path);
    EXPECT_EQ(window.sizeData()->text(), "1234 bytes");
    EXPECT_TRUE(window.loop()->isChecked());
    EXPECT_EQ(window.delay()->text(), "01:35");
    EXPECT_EQ(window.delaySpinner()->value(), 95);
    EXPECT_TRUE(window.delay()->isEnabled());

    window.advance()->click();
    EXPECT_FALSE(window.delay()->isEnabled());
    EXPECT_FALSE(window.delaySpinner()->isEnabled());
    window.advance()->click();
    EXPECT_TRUE(window.delaySpinner()->isEnabled());

    window.delaySpinner()->stepUp();
    EXPECT_EQ(window.delay()->text(), "01:36");
    window.delay()->setText(QStringLiteral("02:05"));
    window.TxtDelay_LostFocus();
    EXPECT_EQ(window.delaySpinner()->value(), 125);

    window.loop()->click();
    window.ComOk_Click();
    EXPECT_TRUE(window.okStatus().ok());
    const SlideShowOptions stored = presentations.storedOptions(path);
    EXPECT_FALSE(stored.loopUntilStopped);
    EXPECT_EQ(stored.slides, QList<Advance>({{true, 125}, {true, 125}, {true, 125}}));
}
