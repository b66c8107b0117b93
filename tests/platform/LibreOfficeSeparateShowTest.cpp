#include "platform/libreoffice/LibreOfficeSeparateShow.h"
#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "tests/fakes/ColourPictures.h"
#include "tests/fakes/TestFolder.h"

#include <QFile>
#include <QSysInfo>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

int officeWindows(const QString& titlePart)
{
    int count = 0;
    for (const X11ShowWindows::Window& window : X11ShowWindows::topLevelWindows())
        count += window.viewable && window.title.contains(titlePart) ? 1 : 0;
    return count;
}

} // namespace

// The last resort when our office died on a talk: the office's own start-as-show in a process
// of its own. It comes up in front, runs until it is ended and leaves nothing behind; a file it
// would ask about (one held by a crashed office) ends it at once instead of putting the question
// on the screen.
TEST(LibreOfficeSeparateShow, ShowsAFileInAProcessOfItsOwnAndNeverLeavesAQuestionUp)
{
    TestFolder folder;
    LibreOfficeApp office(QString(), folder.path("lo-profile"), LibreOfficeApp::Display::Headless);
    const QString deck = folder.path("talk.pptx");
    ASSERT_TRUE(
        ColourPictures::buildDeck(office, folder, ColourPictures::colours(2), deck).isEmpty());
    office.quit();

    auto shown = office.showInOwnProcess(deck);
    ASSERT_TRUE(shown.ok()) << shown.error().toStdString();
    const std::shared_ptr<PresentationDocument> show = shown.value();
    EXPECT_TRUE(show->isShowRunning().valueOr(false));
    EXPECT_EQ(officeWindows(QStringLiteral("Presenting: talk")), 1);
    EXPECT_FALSE(show->currentSlide().ok()) << "nothing inside the show can be asked";
    ASSERT_TRUE(show->close().ok());
    EXPECT_FALSE(show->isShowRunning().valueOr(true));
    EXPECT_TRUE(
        QTest::qWaitFor([] { return officeWindows(QStringLiteral("Presenting: ")) == 0; }, 5000));

    // What an office that crashed while holding the file leaves behind.
    const QString held = folder.path("held.pptx");
    ASSERT_TRUE(QFile::copy(deck, held));
    folder.writeFile(".~lock.held.pptx#",
                     "," + qgetenv("USER") + "," + QSysInfo::machineHostName().toUtf8() +
                         ",01.01.2020 10:00," +
                         QUrl::fromLocalFile(folder.path("other-profile")).toEncoded() + ";");
    auto refused = office.showInOwnProcess(held);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(QStringLiteral("asked a question")))
        << refused.error().toStdString();
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return officeWindows(QStringLiteral("Document in Use")) == 0; }, 3000));
}
