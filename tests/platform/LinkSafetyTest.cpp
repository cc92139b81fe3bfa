// Files written into folders other users share: never through a link, never with a mode the
// file did not have.
#include "platform/db/DatabaseFile.h"
#include "platform/os/Os.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"
#include "support/FileFacts.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class LinkSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = dir.filePath(QStringLiteral("source.mdb"));
        target = dir.filePath(QStringLiteral("VELOR.mdb"));
        victim = dir.filePath(QStringLiteral("victim.txt"));
        ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), source));
        ASSERT_TRUE(vb::Os::writeFile(victim, "opfer"));
        ::chmod(QFile::encodeName(victim).constData(), 0600);
    }
    void victimUntouched()
    {
        EXPECT_EQ(FileFacts::content(victim), QByteArray("opfer"));
        EXPECT_EQ(FileFacts::mode(victim), 0600u);
    }

    QTemporaryDir dir;
    QString source, target, victim;
};

}  // namespace

// A save used to write a fixed "<target>.tmp": a link planted under that name, or a dangling
// one, had any file of the user overwritten and made 0644.
TEST_F(LinkSafety, ACopyWritesNoFileALinkBesideTheTargetPointsTo)
{
    ASSERT_TRUE(QFile::copy(source, target));
    const QString nowhere = dir.filePath(QStringLiteral("nowhere.mdb"));
    for (const QString& pointsTo : {victim, nowhere}) {
        ASSERT_TRUE(QFile::link(pointsTo, target + QStringLiteral(".tmp")));
        db::DatabaseFile::copy(source, target);
        EXPECT_FALSE(QFileInfo(target).isSymLink());
        EXPECT_TRUE(db::DatabaseFile::isDatabase(target));
        QFile::remove(target + QStringLiteral(".tmp"));
    }
    victimUntouched();
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST_F(LinkSafety, ALinkAsTargetIsRefusedWithItsName)
{
    ASSERT_TRUE(QFile::link(victim, target));
    try {
        db::DatabaseFile::copy(source, target);
        ADD_FAILURE() << "a link was written through";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errPathAccess);
        EXPECT_EQ(e.description(), QStringLiteral("The database '%1' is a symbolic link.").arg(target));
    }
    QString error;
    EXPECT_FALSE(vb::Os::writeFile(target, "neu", &error));
    EXPECT_EQ(error, QStringLiteral("The file '%1' is a symbolic link.").arg(target));
    victimUntouched();
}

// What a killed copy left goes at the next start, a dangling link too, without anything
// being created where the link points; a temporary file being written stays.
TEST_F(LinkSafety, LeftoversOfKilledCopiesAreRemovedUnlessBeingWritten)
{
    const QString nowhere = dir.filePath(QStringLiteral("nowhere"));
    ASSERT_TRUE(vb::Os::writeFile(target + QStringLiteral(".Abcd1234.tmp"), "halb"));
    ASSERT_TRUE(QFile::link(nowhere, target + QStringLiteral(".Efgh5678.tmp")));
    const vb::TemporaryFile beingWritten(target);
    EXPECT_EQ(vb::TemporaryFile::leftovers(target).size(), 3);
    db::DatabaseFile::removeStaleTemporaries(target);
    EXPECT_EQ(vb::TemporaryFile::leftovers(target), QStringList{beingWritten.path()});
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST_F(LinkSafety, ANewFileTakesTheSourcesModeAReplacedOneKeepsItsOwn)
{
    ::chmod(QFile::encodeName(source).constData(), 0600);
    db::DatabaseFile::copy(source, target);
    EXPECT_EQ(FileFacts::mode(target), 0600u);
    ::chmod(QFile::encodeName(target).constData(), 0640);
    db::DatabaseFile::copy(source, target);
    EXPECT_EQ(FileFacts::mode(target), 0640u);
    ASSERT_TRUE(vb::Os::writeFile(victim, "neu"));
    EXPECT_EQ(FileFacts::mode(victim), 0600u);
    EXPECT_TRUE(vb::TemporaryFile::leftovers(target).isEmpty());
}
