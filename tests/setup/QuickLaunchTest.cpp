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

// The bar on an event whose import folder is set, with a drive of each kind; presentations
// that the properties window reads.
class QuickLaunchTest : public ::testing::Test
{
protected:
    QuickLaunchTest()
    {
        doc.DesktopFolder = folder.path("desktop/");
        doc.ImportDir = folder.path("import/");
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        drives.set(folder.path("usb"), DriveTypeSource::Removable);
        drives.set(folder.path("share"), DriveTypeSource::Remote);
        drives.set(folder.path("lost"), DriveTypeSource::Unknown);
    }

    QString file(const QString& name) { return folder.writeFile(name, name.toUtf8()); }

    // A presentation of three slides on disk whose show loops and advances after 95 s.
    QString timedDeck(const QString& name)
    {
        const QString path = folder.writeFile(name, QByteArray(1234, 'x'));
        presentations.addPresentation(path, 3);
        SlideShowOptions options;
        options.loopUntilStopped = true;
        options.slides = {{true, 95}, {false, 0}, {true, 7}};
        const auto deck = presentations.open(path, PresentationApp::Visibility::Hidden).value();
        deck->setShowOptions(options);
        deck->save();
        deck->close();
        return path;
    }

    TestFolder folder;
    EventDocument doc;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    FakePresentationApp presentations;
    FakeDriveTypeSource drives;
    QuickLaunchBar bar{doc, messages, dialogs, presentations, drives};
};

} // namespace

TEST_F(QuickLaunchTest, DropTakesTheFirstFileByItsEnding)
{
    const std::pair<const char*, Icon> accepted[] = {{"Talk.ppt", Icon::Presentation},
                                                     {"Talk.PPTX", Icon::Presentation},
                                                     {"Loop.pps", Icon::Show},
                                                     {"Loop.ppsx", Icon::Show}};
    for (const auto& [name, icon] : accepted) {
        const QString path = file(name);
        bar.drop({path});
        EXPECT_EQ(doc.QuickLaunchFile, path);
        EXPECT_EQ(bar.icon(), icon) << name;
    }
    EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());

    // A Flash movie has no picture: the show icon of the last file stays.
    const QString movie = file("intro.swf");
    bar.drop({movie, file("other.ppt")});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(bar.icon(), Icon::Show);

    // Only the first file counts, and anything else is ignored without a word.
    QSignalSpy changed(&bar, &QuickLaunchBar::changed);
    bar.drop({file("notes.doc"), file("Talk2.ppt")});
    bar.drop({});
    EXPECT_EQ(doc.QuickLaunchFile, movie);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(QuickLaunchTest, OpenAndDropCopyFromRemovableOrNetworkDrivesOnly)
{
    // Cancelled, a typed name that does not exist, and a file that is no presentation.
    for (const QString& chosen : {QString(), folder.path("missing.ppt"), file("notes.txt")}) {
        dialogs.queueChoice(chosen);
        bar.Open_Click(folder.path());
    }
    EXPECT_TRUE(doc.QuickLaunchFile.isEmpty());
    EXPECT_EQ(dialogs.lastFilter(), "PowerPoint Preentations |*.ppt;*.pptx;*.pps;*.ppsx");

    file("import/Talk.ppt");
    const QString stick = file("usb/Talk.ppt");
    bar.drop({stick});
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Talk2.ppt"));
    EXPECT_EQ(folder.readFile("import/Talk2.ppt"), "usb/Talk.ppt");
    EXPECT_TRUE(QFileInfo::exists(stick));
    dialogs.queueChoice(file("share/Keynote.ppsx"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Keynote.ppsx"));

    // A drive nobody can tell keeps the previous file, from Open and from a drop alike.
    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    dialogs.queueChoice(file("lost/Gone.ppt"));
    bar.Open_Click(folder.path());
    EXPECT_EQ(messages.last(), "Error Drive Undetermined.");
    EXPECT_EQ(messages.lastIcon(), MsgIcon::Exclamation);
    bar.drop({file("lost/Gone.pps")});
    EXPECT_EQ(messages.texts().size(), 2);
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
    EXPECT_EQ(doc.QuickLaunchFile, folder.path("import/Keynote.ppsx"));
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");
    EXPECT_FALSE(QFileInfo::exists(folder.path("import/Gone.pps")));
}

TEST_F(QuickLaunchTest, PanelDropsShowsAndCutsAndAVanishedFileIsUnassigned)
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
    const QString talk = file("Talk.ppt");
    presentations.addPresentation(talk, 3);
    EXPECT_TRUE(dragAndDrop(talk));
    EXPECT_EQ(panel.fileTitle()->text(), "Talk.ppt");
    EXPECT_FALSE(panel.iconBox()->pixmap().isNull());
    EXPECT_TRUE(panel.button("Properties")->isEnabled());
    panel.button("Show")->trigger();
    ASSERT_NE(presentations.lastOpened(), nullptr);
    EXPECT_EQ(presentations.lastOpened()->showsStarted(), 1);

    // A Flash movie is handed on, not opened.
    QSignalSpy flash(&bar, &QuickLaunchBar::flashRequested);
    const QString movie = file("intro.swf");
    bar.drop({movie});
    panel.button("Show")->trigger();
    ASSERT_EQ(flash.count(), 1);
    EXPECT_EQ(flash.at(0).at(0).toString(), movie);

    // Cut leaves the time code alone.
    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    panel.button("Cut")->trigger();
    EXPECT_EQ(panel.fileTitle()->text(), "Unassigned");
    EXPECT_TRUE(panel.iconBox()->pixmap().isNull());
    EXPECT_FALSE(panel.button("Properties")->isEnabled());
    EXPECT_EQ(doc.QuickLaunchTimeCode, "201500");

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
    EXPECT_EQ(QuickLaunchProperties::delayText(-3), "00:00");
    // Either half that is not digits counts as 0, so the delay is never negative.
    const std::pair<const char*, int> texts[] = {{"01:35", 95}, {"ab:05", 5}, {"02:xy", 120},
                                                 {"junk", 0},   {"-1:-5", 0}, {"", 0}};
    for (const auto& [text, seconds] : texts)
        EXPECT_EQ(QuickLaunchProperties::delaySeconds(text), seconds) << text;
}

TEST_F(QuickLaunchTest, LoadReadsSlideOneCancelWritesNothingAndManualAdvanceKeepsTheTimings)
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
        EXPECT_TRUE(f.isShow && f.loop && f.advance);
        EXPECT_EQ(f.delayText, "01:35");
        properties.cancel();
        EXPECT_EQ(presentations.lastOpened(), nullptr);
        // Closing the window any other way is a Cancel too.
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
}

TEST_F(QuickLaunchTest, UnreadablePresentationLeavesFieldsPartlyFilledAndSavesNothing)
{
    const QString broken = timedDeck("Broken.pptx");
    const SlideShowOptions before = presentations.storedOptions(broken);
    presentations.failToOpen(broken);
    QuickLaunchProperties properties(presentations);
    properties.load(broken);
    EXPECT_EQ(properties.fields().sizeText, "1234 bytes");
    EXPECT_FALSE(properties.fields().isShow || properties.fields().loop);
    EXPECT_FALSE(properties.ok(true, true, QStringLiteral("01:00")).ok());
    EXPECT_EQ(presentations.storedOptions(broken), before);

    // The program dies while the window is open: OK fails and nothing is stored.
    const QString path = timedDeck("Crash.ppt");
    properties.load(path);
    presentations.crash();
    EXPECT_FALSE(properties.ok(true, true, QStringLiteral("00:30")).ok());
    EXPECT_EQ(presentations.storedOptions(path).slides.first(), Advance({true, 95}));
}

TEST_F(QuickLaunchTest, WindowKeepsDelayTextAndSpinnerTogether)
{
    // Text to spinner and what OK writes are checked against the real office.
    frmQLProperties window(presentations, timedDeck("Loop.pps"));
    EXPECT_EQ(window.delaySpinner()->value(), 95);
    window.advance()->click();
    EXPECT_FALSE(window.delay()->isEnabled() || window.delaySpinner()->isEnabled());
    window.advance()->click();
    EXPECT_TRUE(window.delay()->isEnabled() && window.delaySpinner()->isEnabled());
    window.delaySpinner()->stepUp();
    EXPECT_EQ(window.delay()->text(), "01:36");
}
