#include "platform/MimeTransfer.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "setup/HoldingSlide.h"
#include "setup/PopUpSlots.h"
#include "setup/widgets/frmPreview.h"
#include "setup/widgets/frmQLProperties.h"
#include "setup/widgets/frmSetup.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/setup/ProgramOnFakes.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const auto near = [](QRgb a, QRgb b) { return ColourPictures::near(a, b); };
const auto centre = [](const QImage& image) { return ColourPictures::centre(image); };

// The setup window's work through one real, headless soffice: starting it takes seconds.
class LibreOfficeSetupTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TestFolder;
        s_app = new LibreOfficeApp(QString(), s_folder->path("lo-profile"),
                                   LibreOfficeApp::Display::Headless);
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        delete s_folder;
    }

    void SetUp() override { ASSERT_TRUE(s_app->isAvailable()); }

    static QString deck(const QString& name, const QList<QRgb>& colours)
    {
        const QString path = s_folder->path(name);
        const QString error = ColourPictures::buildDeck(*s_app, *s_folder, colours, path);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    static inline TestFolder* s_folder = nullptr;
    static inline LibreOfficeApp* s_app = nullptr;
};

} // namespace

// The settings that the properties window writes must be inside the file: changed through the
// window (the delay typed, then the field left), saved as .pptx and opened again.
TEST_F(LibreOfficeSetupTest, QuickLaunchPropertiesSurviveSavingAndReopening)
{
    const QString path = deck("Rolling.pptx", ColourPictures::colours(3));
    {
        QuickLaunchProperties properties(*s_app);
        frmQLProperties window(properties, path);
        QSignalSpy loaded(&properties, &QuickLaunchProperties::loaded);
        QSignalSpy saved(&properties, &QuickLaunchProperties::saved);
        ASSERT_TRUE(loaded.wait(30000));
        window.loop()->setChecked(true);
        window.advance()->setChecked(true);
        window.delay()->setText(QStringLiteral("02:05"));
        window.TxtDelay_LostFocus();
        window.ComOk_Click();
        ASSERT_TRUE(saved.wait(30000));
        ASSERT_TRUE(window.okStatus().ok()) << window.okStatus().error().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !properties.isBusy(); }, 30000));
    }
    EXPECT_EQ(s_app->openPresentationCount().valueOr(-1), 0);

    const auto reopened = s_app->open(path, PresentationApp::Visibility::Hidden);
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const SlideShowOptions options = reopened.value()->showOptions().valueOr(SlideShowOptions());
    reopened.value()->close();
    EXPECT_EQ(options, (SlideShowOptions{true,
                                         SlideShowOptions::AdvanceMode::SlideTimings,
                                         {{true, 125}, {true, 125}, {true, 125}}}));
}

// A twelve-slide deck dropped on the holding slide of the real window: slide 1 at once, the
// progress in the status bar, the preview; then slide 4 into the pop-up keyed 5.
TEST_F(LibreOfficeSetupTest, TwelveSlidesOnTheHoldingSlideThenSlideFourIntoPopUpFive)
{
    const QList<QRgb> colours = ColourPictures::colours(12);
    const QString path = deck("Twelve.pptx", colours);
    ProgramOnFakes fakes(s_app);
    frmSetup& setup = fakes.window();
    EventDocument& doc = setup.document();
    doc.RunFolder = s_folder->path("run");
    doc.SlideImageFormat = SlideFormat::Jpg;
    QDir().mkpath(doc.RunFolder);
    QStringList progress;
    QObject::connect(setup.statusBar(), &QStatusBar::messageChanged,
                     [&progress](const QString& text) { progress << text; });

    QMimeData dropped;
    MimeTransfer::putFileList(&dropped, {path});
    setup.holdingSlide()->drop(&dropped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup.preview() != nullptr; }, 90000));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));
    EXPECT_TRUE(progress.contains("Extracting - 50%")) << progress.join(", ").toStdString();
    EXPECT_EQ(setup.preview()->slideCount(), 12);

    setup.sections()->setCurrentIndex(2);
    setup.popUpSlots()->select(4);
    setup.preview()->scrollBar()->setValue(4);
    setup.preview()->ComInsert_Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return doc.PopUps[4].isUsed() && near(centre(doc.PopUps[4].Full), colours[3]); },
        30000));
    EXPECT_TRUE(near(centre(doc.ImgHoldingFull), colours[0]));
    setup.preview()->close();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return s_app->openPresentationCount().valueOr(-1) == 0; }, 10000));
}
