#include "TemplateMaker.h"
#include "ColourPictures.h"
#include "FakePresentationApp.h"
#include "TestFolder.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(TemplateMakerTest, MakesOnlyTheMissingTemplatesAndNeverHalfOfOne)
{
    TestFolder dir;
    FakePresentationApp app;
    TemplateMaker maker(app);
    const QString appFolder = dir.folder();
    const QString picture = ColourPictures::write(dir, {qRgb(0, 0, 139)}).value(0);
    dir.writeFile("ppt.ppt", "the operator's own template");
    EXPECT_EQ(TemplateMaker::missingTemplates(appFolder), QStringList({"ppt.pptx", "pps.pps"}));

    QSignalSpy finished(&maker, &TemplateMaker::finished);
    ASSERT_TRUE(maker.start(appFolder, picture, dir.path("run")));
    EXPECT_FALSE(maker.start(appFolder, picture, dir.path("run"))); // one job at a time
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.first().first().toString(), "");
    EXPECT_TRUE(TemplateMaker::missingTemplates(appFolder).isEmpty());
    EXPECT_EQ(dir.readFile("ppt.ppt"), "the operator's own template");
    EXPECT_TRUE(QDir(dir.path("run")).entryList(QDir::Files).isEmpty());
    // Nothing left to make: nothing starts.
    EXPECT_FALSE(maker.start(appFolder, picture, dir.path("run")));

    // An unreadable picture is reported and writes nothing.
    TestFolder other;
    other.writeFile("dtitle", "not a picture");
    finished.clear();
    ASSERT_TRUE(maker.start(other.folder(), other.path("dtitle"), other.path("run")));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.first().first().toString().isEmpty());
    EXPECT_EQ(TemplateMaker::missingTemplates(other.folder()).size(), 3);
}
