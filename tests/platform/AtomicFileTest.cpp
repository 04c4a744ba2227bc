#include "AtomicFile.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>

namespace {

class AtomicFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("data.ini");
        ASSERT_EQ(AtomicFile::write(path, "old contents\n"), 0);
    }
    QByteArray contents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    QString path;
};

TEST_F(AtomicFileTest, ReplacesTheContentsAndKeepsThePermissions)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(AtomicFile::write(path, "new"), 0);
    EXPECT_EQ(contents(), "new");
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), QStringList{"data.ini"});
}

TEST_F(AtomicFileTest, FullDiskLeavesTheOldFileWhole)
{
    int error = 0;
    {
        FileSizeLimit full(1000);
        error = AtomicFile::write(path, QByteArray(50000, 'x'));
    }
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(contents(), "old contents\n");
    EXPECT_EQ(entries(), QStringList{"data.ini"});
}

} // namespace
