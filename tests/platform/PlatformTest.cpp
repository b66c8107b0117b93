#include "platform/FileDialogFilter.h"
#include "platform/libreoffice/LibreOfficeApp.h"
#include "tests/fakes/TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(FileDialogFilterTest, ConvertsPairsToQtFilters)
{
    EXPECT_EQ(
        FileDialogFilter::toQt("All Stagor Compatible Files |*.evf;*.zev|Stagor (*.evf)|*.evf|"
                               "Zipped Stagor (*.zev)|*.zev"),
        "All Stagor Compatible Files (*.evf *.zev);;Stagor (*.evf) (*.evf);;"
        "Zipped Stagor (*.zev) (*.zev)");
}

TEST(LibreOfficeAppTest, FindsSofficeOnPathOrAsConfigured)
{
    TestFolder dir;
    const QString fake = dir.writeFile("bin/soffice", "#!/bin/sh\n");
    const QString notExecutable = dir.writeFile("other/soffice", "");
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_EQ(LibreOfficeApp::findBinary("", dir.path("other") + ":" + dir.path("bin")), fake);
    EXPECT_EQ(LibreOfficeApp::findBinary("", dir.path("other")), "");
    EXPECT_EQ(LibreOfficeApp::findBinary(fake, ""), fake);
    // A configured binary that is not usable is reported as missing, not swapped for another.
    EXPECT_EQ(LibreOfficeApp::findBinary(notExecutable, dir.path("bin")), "");
    EXPECT_FALSE(LibreOfficeApp(dir.path("nothing/soffice")).isAvailable());
}
