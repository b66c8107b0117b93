#include "livecast/AnswerFields.h"
#include "livecast/WebServiceSettings.h"
#include "livecast/WebcastQuery.h"
#include "livecast/WebcastServerSettings.h"
#include "tests/fakes/TestFolder.h"

#include <gtest/gtest.h>

TEST(AnswerFieldsTest, ValueRunsFromTheKeyToTheNextSemicolon)
{
    // An answer, a key and the value found for it.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"url : spaced out ;", "url :", " spaced out "},
        {"uploadExtension :;serverName :S1;", "uploadExtension :", ""},
        // The first occurrence counts, and case matters.
        {"serverName :A;serverName :B;", "serverName :", "A"},
        {"ServerName :A;", "serverName :", ""},
        // Without its ";" a value ends with the answer.
        {"testCode :OK;streamName :live", "streamName :", "live"},
        {"testCode :OK;", "", ""},
        {"testCode:OK;", "testCode :", ""},
    };
    for (const auto& [answer, key, value] : cases)
        EXPECT_EQ(AnswerFields::value(QString::fromUtf8(answer), QString::fromUtf8(key)),
                  QString::fromUtf8(value))
            << answer << " / " << key;
}

// Every setting from an answer: ConnectModeTest and WebcastConnectionTest. The product
// identifier, not the answer, names the event folder, and no upload folder gets no "/".
TEST(WebcastQueryTest, TheEventFolderTheUploadPathAndTheQuerysAddress)
{
    WebcastServerSettings settings;
    const QString answer = "productID :ignored;url :srv1;serverName :S1;uploadExtension :;"
                           "testCode :OK;";
    EXPECT_EQ(WebcastQuery::read(answer, "ABCDEFGHI", settings).outcome,
              WebcastQuery::Outcome::Connected);
    EXPECT_EQ(settings.remotePath("status.inf"), QString("ABCDEFVKTGHI/status.inf"));
    WebcastQuery::read("testCode :OK;serverName :S2;uploadExtension :webcasts;", "ABCDEFGHIJKL",
                       settings);
    EXPECT_EQ(settings.ftpAccount(), (FtpAccount{"ftp://", "", ""}));
    EXPECT_EQ(WebcastQuery::url("http://s/", "A B&C"),
              QString("http://s/evf/webcast.php?productID=A%20B%26C"));
}

TEST(WebServiceSettingsTest, ReadsTheAddressAndIdentifierLines)
{
    TestFolder folder;
    WebServiceSettings settings = WebServiceSettings::load(folder.folder());
    EXPECT_FALSE(settings.hasService());
    EXPECT_EQ(settings.ProductID, QString());

    folder.writeFile(WebServiceSettings::FileName,
                     "# the vendor's service\r\nwebservice = http://127.0.0.1:8080\r\n"
                     "ProductID=ABCDEFGHIJKL\r\nOther=1\r\n");
    settings = WebServiceSettings::load(folder.folder());
    EXPECT_TRUE(settings.hasService());
    EXPECT_EQ(settings.WebService, QString("http://127.0.0.1:8080/"));
    EXPECT_EQ(settings.ProductID, QString("ABCDEFGHIJKL"));

    folder.writeFile(WebServiceSettings::FileName, "WebService=\nProductID=X\n");
    settings = WebServiceSettings::load(folder.folder());
    EXPECT_FALSE(settings.hasService());
    EXPECT_EQ(settings.ProductID, QString("X"));
}
