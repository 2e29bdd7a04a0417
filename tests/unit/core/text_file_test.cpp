#include "core/errors.h"
#include "core/text_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

TEST(TextFile, EveryLineEndingAndAnyBytesRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.pos");
    writeRaw(path, QByteArray("a\r\nb\nc\rd\r\n\r\n", 13) + QByteArray("\xff\x00z", 3) +
                       QByteArray(5000, 'x'));
    QStringList lines = core::readLines(path);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"a", "b", "c", "d", ""}));
    EXPECT_TRUE(lines[5].endsWith(QString(5000, 'x')));
    EXPECT_EQ(core::lineAt(lines, 99), "");
    EXPECT_TRUE(core::readLines(dir.filePath("missing.pos")).isEmpty());
}

TEST(TextFile, WritesCrLfAndReplacesTheFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("prefs.pos");
    core::writeLines(path, {"one", "", "  ", "Zoë"});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("one\r\n\r\n  \r\nZo\xc3\xab\r\n"));
    f.close();
    // Nothing is left beside the file after a write.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"prefs.pos"});
}

// A writer killed in the middle leaves the old file or the new one, never a mix.
TEST(TextFile, AKilledWriterLeavesAWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("category.pos");
    const QStringList before(20000, "old entry");
    const QStringList after(20000, "new entry, longer than the old one");
    core::writeLines(path, before);
    std::mt19937 rng(std::random_device{}());
    for (int round = 0; round < 30; ++round) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (;;)
                core::writeLines(path, after);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        QStringList now = core::readLines(path);
        ASSERT_TRUE(now == before || now == after) << "a torn file after round " << round;
    }
}
