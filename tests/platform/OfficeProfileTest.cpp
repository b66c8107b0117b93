#include "platform/libreoffice/LibreOfficePidRecord.h"
#include "platform/libreoffice/LibreOfficeProcess.h"
#include "platform/libreoffice/LibreOfficeProfile.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

// What an office leaves running, without any office: a launcher in a process group of its own
// and the process it forked, argument on the launcher's command line.
class FakeOffice
{
public:
    explicit FakeOffice(const QString& argument = QStringLiteral("fake-office"))
    {
        m_launcher.start(QStringLiteral("setsid"),
                         {QStringLiteral("sh"), QStringLiteral("-c"),
                          QStringLiteral("sleep 60 & echo $!; wait"), argument});
        if (m_launcher.waitForReadyRead(5000))
            m_office = pid_t(m_launcher.readLine().trimmed().toInt());
    }
    ~FakeOffice()
    {
        ::kill(-launcher(), SIGKILL);
        m_launcher.waitForFinished(5000);
    }

    pid_t launcher() const { return pid_t(m_launcher.processId()); }
    pid_t office() const { return m_office; }
    bool runs() const { return runs(launcher()) || runs(m_office); }
    bool runsWhole() const { return runs(launcher()) && runs(m_office); }

private:
    static bool runs(pid_t pid)
    {
        const auto process = LibreOfficePidRecord::process(pid);
        return pid > 0 && process && !process->zombie;
    }

    QProcess m_launcher;
    pid_t m_office = 0;
};

// The id of a process that has ended.
pid_t endedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForStarted();
    const pid_t pid = pid_t(process.processId());
    process.waitForFinished();
    return pid;
}

// Another copy of the program with the same application folder runs its office on the same
// profile path: the start of ours ends only what an earlier run of ours recorded.
TEST(LibreOfficeProcess, StartEndsOnlyWhatARecordOfACrashedRunStillNames)
{
    TestFolder folder;
    const QString profile = folder.path("lo-profile");
    ASSERT_TRUE(QDir().mkpath(profile));
    FakeOffice crashed;
    ASSERT_TRUE(crashed.runsWhole());
    LibreOfficePidRecord(profile).recordLaunch(endedProcess(), crashed.launcher());
    const QString profileUrl = QUrl::fromLocalFile(profile).toString(QUrl::FullyEncoded);
    FakeOffice otherCopy(QStringLiteral("-env:UserInstallation=") + profileUrl);
    ASSERT_TRUE(otherCopy.runsWhole());

    const QString binary = folder.writeFile("soffice", "#!/bin/sh\nexec sleep 60\n");
    ASSERT_TRUE(QFile::setPermissions(binary, QFile::ReadOwner | QFile::ExeOwner));
    LibreOfficeProcess first(binary, profile, QStringLiteral("pipe-1"), true);
    QString error;
    ASSERT_TRUE(first.start(&error)) << error.toStdString();
    EXPECT_FALSE(crashed.runs());
    EXPECT_TRUE(otherCopy.runsWhole());
    EXPECT_TRUE(first.isAlive());

    // Its own launch is recorded in turn.
    LibreOfficeProcess second(binary, profile, QStringLiteral("pipe-2"), true);
    ASSERT_TRUE(second.start(&error)) << error.toStdString();
    EXPECT_TRUE(first.waitForExit(1000));
    EXPECT_TRUE(second.isAlive());

    // A record is acted on only when it still names the processes it was written for.
    TestFolder records;
    FakeOffice office;
    FakeOffice owner;
    LibreOfficePidRecord record(records.path());
    record.recordLaunch(owner.launcher(), office.launcher());
    record.endLeftovers();
    EXPECT_TRUE(office.runsWhole()) << "its program still runs";

    // The launcher's id as the system would give it again: same number, later start.
    const pid_t ended = endedProcess();
    record.recordLaunch(ended, office.launcher());
    const QStringList files = QDir(records.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QString text = QString::fromLatin1(records.readFile(files[0]));
    const QRegularExpression launcherLine(QStringLiteral("launcher (\\d+) (\\d+)"));
    const QRegularExpressionMatch match = launcherLine.match(text);
    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
    text.replace(match.capturedStart(2), match.capturedLength(2),
                 QString::number(match.captured(2).toULongLong() + 1));
    records.writeFile(files[0], text.toLatin1());
    record.endLeftovers();
    EXPECT_TRUE(office.runsWhole()) << "not the process that was recorded";

    record.recordLaunch(ended, office.launcher());
    record.endLeftovers();
    EXPECT_FALSE(office.runs());
}

// Two instances on one profile folder: the second runs on a folder of its own, which goes with
// it. Folders that crashed copies left are cleared with their offices; a running copy's stays.
TEST(LibreOfficeProfile, SecondHolderGetsAFolderOfItsOwnAndLeftoversOfGoneCopiesAreCleared)
{
    TestFolder folder;
    const QString wanted = folder.path("lo-profile");
    const QString own = wanted + QLatin1Char('-') + QString::number(getpid());
    auto first = std::make_unique<LibreOfficeProfile>(wanted);
    EXPECT_EQ(first->folder(), wanted);
    {
        const LibreOfficeProfile second(wanted);
        EXPECT_EQ(second.folder(), own);
        EXPECT_TRUE(QFileInfo(own).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(own));
    first.reset();
    const LibreOfficeProfile again(wanted);
    EXPECT_EQ(again.folder(), wanted) << "given up when its holder went";

    // A folder of its own, lock file and all, as the copy with process id pid leaves it.
    const auto leftBy = [&](pid_t pid) {
        const QString name = wanted + QLatin1Char('-') + QString::number(pid);
        const LibreOfficeProfile own(wanted);
        EXPECT_TRUE(QDir().rename(own.folder(), name));
        return name;
    };
    FakeOffice orphan;
    const pid_t gone = endedProcess();
    const QString crashedFolder = leftBy(gone);
    LibreOfficePidRecord(crashedFolder).recordLaunch(gone, orphan.launcher());
    FakeOffice liveCopy;
    const QString liveFolder = leftBy(liveCopy.launcher());
    // Named like one, but without the lock: the operator's own, say.
    const QString unrelated = crashedFolder + QStringLiteral("-2");
    ASSERT_TRUE(QDir().mkpath(unrelated));
    again.removeLeftoverFolders();
    EXPECT_FALSE(QFileInfo::exists(crashedFolder));
    EXPECT_FALSE(orphan.runs());
    EXPECT_TRUE(QFileInfo(liveFolder).isDir());
    EXPECT_TRUE(QFileInfo(unrelated).isDir());
    EXPECT_TRUE(QFileInfo(wanted).isDir());
}

} // namespace
