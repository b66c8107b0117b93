#include "QuickLaunchProperties.h"
#include "FakePresentationApp.h"
#include "FakePresentationDocument.h"
#include "TestFolder.h"
#include "frmQLProperties.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using Advance = SlideShowOptions::SlideAdvance;

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

TEST_F(QuickLaunchPropertiesTest, LoadReadsTheFileAndSlideOne)
{
    const QString path = timedDeck("talks/Loop.pps");
    QuickLaunchProperties properties(presentations);
    properties.load(path);
    const auto& f = properties.fields();
    EXPECT_EQ(f.fileName, "Loop.pps");
    EXPECT_EQ(f.sizeText, "1234 bytes");
    EXPECT_EQ(f.location, path);
    EXPECT_TRUE(f.isShow);
    EXPECT_TRUE(f.loop);
    EXPECT_TRUE(f.advance);
    EXPECT_EQ(f.delayText, "01:35");
    EXPECT_EQ(f.delayS, 95);

    properties.cancel();
    EXPECT_EQ(presentations.lastOpened(), nullptr);
}

TEST_F(QuickLaunchPropertiesTest, OkWritesLoopAndTheDelayToEverySlideAndCancelWritesNothing)
{
    const QString path = timedDeck("Loop.ppt");
    const SlideShowOptions before = presentations.storedOptions(path);
    {
        QuickLaunchProperties properties(presentations);
        properties.load(path);
        properties.cancel();
    }
    {
        // Closing the window any other way is a Cancel too.
        QuickLaunchProperties properties(presentations);
        properties.load(path);
    }
    EXPECT_EQ(presentations.storedOptions(path), before);
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);

    QuickLaunchProperties properties(presentations);
    properties.load(path);
    ASSERT_TRUE(properties.ok(false, true, QStringLiteral("02:05")).ok());
    SlideShowOptions stored = presentations.storedOptions(path);
    EXPECT_FALSE(stored.loopUntilStopped);
    EXPECT_EQ(stored.advanceMode, SlideShowOptions::AdvanceMode::SlideTimings);
    EXPECT_EQ(stored.slides, QList<Advance>({{true, 125}, {true, 125}, {true, 125}}));
    EXPECT_EQ(presentations.openPresentationCount().value(), 0);

    // Without automatic advance the show waits for the presenter; the timings stay.
    properties.load(path);
    ASSERT_TRUE(properties.ok(true, false, QStringLiteral("00:10")).ok());
    stored = presentations.storedOptions(path);
    EXPECT_TRUE(stored.loopUntilStopped);
    EXPECT_EQ(stored.advanceMode, SlideShowOptions::AdvanceMode::Manual);
    EXPECT_EQ(stored.slides, QList<Advance>({{true, 125}, {true, 125}, {true, 125}}));
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
    EXPECT_EQ(window.fileName()->text(), "Loop.pps");
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
