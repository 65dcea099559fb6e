#include "app/StartUp.h"
#include "drawing/untCommon.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Each test owns the config folder and leaves the unit uninitialised.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        FinalizeCommonUnit();
    }
    void TearDown() override
    {
        FinalizeCommonUnit();
        if (m_configWasSet)
            qputenv("XDG_CONFIG_HOME", m_savedConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    void SetConfigHome(const QString& path) { qputenv("XDG_CONFIG_HOME", QFile::encodeName(path)); }

    QTemporaryDir m_tmp;

private:
    bool m_configWasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QByteArray m_savedConfig = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(StartUp, UncreatableDataFolderStopsWithMessageOnStandardError)
{
    // Nothing can be created below a regular file, not even by root.
    QFile file(m_tmp.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    SetConfigHome(m_tmp.filePath(QStringLiteral("file/config")));

    testing::internal::CaptureStderr();
    const int result = RunStartUp();
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_NE(result, 0);
    const QString expected = QStringLiteral("GetFolder: SHGetKnownFolderPath: Błąd %1. ").arg(ENOTDIR)
                             + QString::fromLocal8Bit(std::strerror(ENOTDIR)) + QLatin1Char('\n');
    EXPECT_EQ(QString::fromUtf8(err.c_str()), expected);
}

TEST_F(StartUp, GoodConfigFolderStartsAndCreatesDataFolder)
{
    SetConfigHome(m_tmp.filePath(QStringLiteral("cfg")));

    testing::internal::CaptureStderr();
    const int result = RunStartUp();
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(err, "");
    EXPECT_TRUE(QFileInfo(m_tmp.filePath(QStringLiteral("cfg/KORVEX/Wplatomat"))).isDir());
    FinishRun();
}

} // namespace
