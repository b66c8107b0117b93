#include "setup/QuickLaunchBar.h"
#include "setup/QuickLaunchProperties.h"
#include "setup/widgets/QuickLaunchPanel.h"
#include "tests/setup/FakeServices.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Icon = QuickLaunchBar::Icon;

// The bar on an event whose import folder is set, with a drive of each kind.
class QuickLaunchTest : public ::testing::Test, protected FakeServices
{
protected:
    QuickLaunchTest()
    {
        doc.DesktopFolder = dir.path("desktop/");
        doc.ImportDir = dir.path("import/");
        doc.QuickLaunchTimeCode = QStringLiteral("201500");
        drives.set(dir.path("usb"), DriveTypeSource::Removable);
        drives.set(dir.path("share"), DriveTypeSource::Remote);
        drives.set(dir.path("lost"), DriveTypeSource::Unknown);
    }

    QuickLaunchBar bar{doc, messages, dialogs, presentations, drives};
};

} // namespace

TEST_F(QuickLaunchTest, DropAndOpenTakeAPresentationCopyingFromRemovableOrNetworkDrivesOnly)
{
    // Only the first file dropped counts, by its ending; anything else is ignored without a word.
    const std::pair<const char*, Icon> accepted[] = {{"Talk.PPTX", Icon::Presentation},
                                                     {"Loop.pps", Icon::Show}};
    for (const auto& [name, icon] : accepted) {
        const QString path = file(name);
        bar.drop({path, file("other.ppt")});
        EXPECT_EQ(doc.QuickLaunchFile, path);
        EXPECT_EQ(bar.icon(), icon) << name;
    }
    EXPECT_TRUE(doc.QuickLaunchTimeCode.isEmpty());
    QSignalSpy changed(&bar, &QuickLaunchBar::changed);
    bar.drop({file("notes.doc"), file("Talk2.ppt")});
    for (const QString& chosen : {QString(), file("notes.txt")}) {
        dialogs.queueChoice(chosen);
        bar.Open_Click(dir.path());
    }
    EXPECT_EQ(doc.QuickLaunchFile, dir.path("Loop.pps"));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(dialogs.lastFilter(), "PowerPoint Preentations |*.ppt;*.pptx;*.pps;*.ppsx");

    // Each copy runs behind the window; the bar takes the copy once it has ended.
    const auto copyEnds = [&] {
        return QTest::qWaitFor([&] { return !bar.importCopier().isRunning(); }, 5000);
    };
    file("import/Talk.ppt");
    const QString stick = file("usb/Talk.ppt");
    bar.drop({stick});
    ASSERT_TRUE(copyEnds());
    EXPECT_EQ(doc.QuickLaunchFile, dir.path("import/Talk2.ppt"));
    EXPECT_EQ(dir.readFile("import/Talk2.ppt"), "usb/Talk.ppt");
    EXPECT_TRUE(QFile::exists(stick));
    dialogs.queueChoice(file("share/Keynote.ppsx"));
    bar.Open_Click(dir.path());
    ASSERT_TRUE(copyEnds());
    EXPECT_EQ(doc.QuickLaunchFile, dir.path("import/Keynote.ppsx"));
    // An import folder that cannot be made keeps the previous file, and the operator is told.
    doc.ImportDir = file("notes.txt") + "/";
    bar.drop({file("usb/Late.ppt")});
    ASSERT_TRUE(copyEnds());
    EXPECT_EQ(messages.last(), "'Late.ppt' could not be copied into " + doc.ImportDir);

    // A drive nobody can tell keeps the previous file, from Open and from a drop alike.
    dialogs.queueChoice(file("lost/Gone.ppt"));
    bar.Open_Click(dir.path());
    EXPECT_EQ(messages.last(), "Error Drive Undetermined.");
    bar.drop({file("lost/Gone.pps")});
    EXPECT_EQ(messages.last(), "Error Drive Undetermined");
    EXPECT_EQ(doc.QuickLaunchFile, dir.path("import/Keynote.ppsx"));
}

// OK with automatic advance (every slide gets the delay) through the window is checked against
// the real office in LibreOfficeSetupTest.
TEST_F(QuickLaunchTest, PropertiesWriteOnlyOnOkAndThePanelDropsShowsAndCuts)
{
    // A show of three slides that loops and advances after 95 s.
    const QString path = dir.writeFile("talks/Loop.pps", QByteArray(1234, 'x'));
    SlideShowOptions before;
    before.loopUntilStopped = true;
    before.slides = {{true, 95}, {false, 0}, {true, 7}};
    presentations.addPresentation(path, before);
    {
        // The office is slow to open it: the file's own data shows at once, the settings when
        // it answers, and events go on meanwhile.
        QuickLaunchProperties properties(presentations);
        QSignalSpy loaded(&properties, &QuickLaunchProperties::loaded);
        presentations.holdOpens();
        properties.load(path);
        ASSERT_TRUE(presentations.openHeldWhileEventsRun());
        const auto& f = properties.fields();
        EXPECT_EQ(QStringList({f.fileName, f.sizeText, f.location}),
                  QStringList({"Loop.pps", "1234 bytes", path}));
        EXPECT_FALSE(f.loop);
        EXPECT_TRUE(loaded.isEmpty());
        presentations.releaseOpens();
        ASSERT_TRUE(loaded.wait(2000));
        EXPECT_TRUE(f.isShow && f.loop && f.advance);
        EXPECT_EQ(f.delayText, "01:35");
        properties.cancel();
        ASSERT_TRUE(QTest::qWaitFor([&] { return presentations.lastOpened() == nullptr; }, 2000));
        properties.load(path); // closing the window any other way is a Cancel too
        ASSERT_TRUE(loaded.wait(2000));
    }
    EXPECT_EQ(presentations.storedOptions(path), before);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);
    // The delay as typed: two digits on each side, anything else counting as nothing.
    for (const auto& [text, seconds] : {std::pair{"02:05", 125}, {"  :07", 7}, {"-1:x5", 0}})
        EXPECT_EQ(QuickLaunchProperties::delaySeconds(text), seconds) << text;

    // Without automatic advance the show waits for the presenter; the timings stay.
    QuickLaunchProperties properties(presentations);
    QSignalSpy loaded(&properties, &QuickLaunchProperties::loaded);
    std::optional<PresentationStatus> saved;
    QObject::connect(&properties, &QuickLaunchProperties::saved,
                     [&](const PresentationStatus& status) { saved = status; });
    properties.load(path);
    ASSERT_TRUE(loaded.wait(2000));
    properties.ok(false, false, QStringLiteral("00:10"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return saved.has_value(); }, 2000));
    ASSERT_TRUE(saved->ok());
    const SlideShowOptions stored = presentations.storedOptions(path);
    EXPECT_EQ(stored,
              (SlideShowOptions{false, SlideShowOptions::AdvanceMode::Manual, before.slides}));

    // A presentation the office cannot read: OK saves nothing.
    presentations.failToOpen(path);
    properties.load(path);
    ASSERT_TRUE(loaded.wait(2000));
    saved.reset();
    properties.ok(true, true, QStringLiteral("01:00"));
    EXPECT_FALSE(saved.value_or(presentationOk()).ok());
    EXPECT_EQ(presentations.storedOptions(path), stored);

    // The panel takes drops, shows and cuts; a vanished file is unassigned.
    QuickLaunchPanel panel(bar, presentations, [this] { return dir.path(); });
    for (const char* key : {"Open", "Cut", "Properties", "Show"})
        EXPECT_NE(panel.toolbar()->widgetForAction(panel.button(key))->focusPolicy(), Qt::NoFocus)
            << key;
    const QString talk = file("Talk.ppt");
    presentations.addPresentation(talk, 3);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(talk)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drop);
    EXPECT_EQ(panel.fileTitle()->text() + " / " + panel.fileTitle()->accessibleName(),
              "Talk.ppt / Quick Launch file: Talk.ppt");
    EXPECT_TRUE(panel.button("Properties")->isEnabled());
    // A slow office: the window goes on handling events while Show waits on it, a second Show
    // meanwhile is ignored, and the show comes up once the office answers.
    presentations.holdOpens();
    QSignalSpy shown(&bar, &QuickLaunchBar::showStarted);
    panel.button("Show")->trigger();
    ASSERT_TRUE(presentations.openHeldWhileEventsRun());
    panel.button("Show")->trigger();
    presentations.releaseOpens();
    ASSERT_TRUE(shown.wait(2000));
    EXPECT_TRUE(shown[0][0].toBool());
    ASSERT_TRUE(presentations.lastOpened());
    EXPECT_EQ(presentations.lastOpened()->showsStarted(), 1);
    EXPECT_EQ(presentations.openPresentationCount().value(), 1);

    // Cut leaves the time code alone.
    doc.QuickLaunchTimeCode = QStringLiteral("201500");
    panel.button("Cut")->trigger();
    EXPECT_EQ(panel.fileTitle()->text() + " / " + panel.fileTitle()->accessibleName(),
              "Unassigned / Quick Launch file: Unassigned");
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
