#include "rt/folderitem.h"
#include "rt/textinput.h"
#include "tests/support/filesizelimit.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class FolderItemTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
    void WriteBytes(const std::string& path, const std::string& bytes) const {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }
    std::string ReadBytes(const std::string& path) const {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
    }
    Lines ReadLines(const std::string& path) const {
        Lines lines;
        auto stream = rt::FolderItem(path).OpenAsTextFile();
        if (!stream)
            return {"<no stream>"};
        while (!stream->Eof())
            lines.push_back(stream->ReadLine());
        stream->Close();
        return lines;
    }
    // Writes `text` with a byte-order mark in UTF-8, UTF-16LE and UTF-16BE and reads each back.
    void ExpectEveryEncodingReads(const QString& text, const Lines& expected) const {
        for (const auto encoding :
             {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
            QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
            WriteBytes(PathOf("marked.txt"), QByteArray(encoder.encode(text)).toStdString());
            EXPECT_EQ(ReadLines(PathOf("marked.txt")), expected) << int(encoding);
        }
    }
    QTemporaryDir dir_;
};

TEST_F(FolderItemTest, ReadsLinesEndedByCrLfOrCrLfWithoutAnExtraLineAtTheEndAndReadAllGivesTheRest) {
    WriteBytes(PathOf("lines.txt"), "one\rtwo\nthree\r\nfour\n\nsix\r\rlast\n");
    EXPECT_EQ(ReadLines(PathOf("lines.txt")), (Lines{"one", "two", "three", "four", "", "six", "", "last"}));
    auto stream = rt::FolderItem(PathOf("lines.txt")).OpenAsTextFile();
    ASSERT_TRUE(stream);
    stream->ReadLine();
    EXPECT_EQ(stream->ReadAll(), "two\nthree\r\nfour\n\nsix\r\rlast\n");
}

TEST_F(FolderItemTest, ACrLfSplitAcrossReadsIsOneLineEnd) {
    // One letter, then CR LF pairs: every CR sits at an odd offset, so for any even read size
    // some pair is cut between two reads.
    const int pairs = 300000;
    std::string bytes = "x";
    for (int i = 0; i < pairs; ++i)
        bytes += "\r\n";
    const std::string wide(200000, 'w'); // a last line longer than one read
    WriteBytes(PathOf("long.txt"), bytes + wide);
    const Lines lines = ReadLines(PathOf("long.txt"));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(pairs + 1));
    EXPECT_EQ(lines.back(), wide);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), pairs - 1);
}

TEST_F(FolderItemTest, AClosedStreamReadsNothing) {
    WriteBytes(PathOf("lines.txt"), "one\ntwo\nthree\n");
    auto stream = rt::FolderItem(PathOf("lines.txt")).OpenAsTextFile();
    ASSERT_TRUE(stream);
    ASSERT_EQ(stream->ReadLine(), "one");
    stream->Close();
    std::string_view line;
    EXPECT_FALSE(stream->NextLine(line));
    EXPECT_EQ(stream->ReadLine(), "");
    EXPECT_EQ(stream->ReadAll(), "");
    EXPECT_TRUE(stream->Eof());
    EXPECT_FALSE(stream->ReadFailed());
}

TEST_F(FolderItemTest, WritesReplaceTheFileOnlyWhenEveryByteIsWrittenAndWriteThroughALink) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old content that is longer than the new one");
    auto text = rt::FolderItem(path).CreateTextFile();
    ASSERT_TRUE(text);
    text->Write("no end");
    text->WriteLine("\r\xC3\xA8");
    EXPECT_TRUE(text->Close());
    EXPECT_EQ(ReadBytes(path), "no end\r\xC3\xA8\n");
    std::filesystem::create_symlink(path, PathOf("link"));
    auto binary = rt::FolderItem(PathOf("link")).CreateBinaryFile("application/octet-stream");
    ASSERT_TRUE(binary);
    binary->Write(std::string("\r\n\0", 3));
    binary->Write("\xFF\n");
    EXPECT_TRUE(binary->Close());
    EXPECT_EQ(ReadBytes(path), std::string("\r\n\0\xFF\n", 5));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link")));

    const std::string former = ReadBytes(path);
    rt::FolderItem(path).CreateTextFile()->Write("dropped without Close");
    const testsupport::FileSizeLimit limit(1000);
    auto full = rt::FolderItem(path).CreateTextFile();
    auto fullBinary = rt::FolderItem(PathOf("link")).CreateBinaryFile("x");
    ASSERT_TRUE(full && fullBinary);
    full->WriteLine(std::string(5000, 'z'));
    fullBinary->Write(std::string(5000, 'z'));
    EXPECT_FALSE(full->Close());
    EXPECT_FALSE(fullBinary->Close());
    EXPECT_EQ(ReadBytes(path), former);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::System).size(), 2) << "temporary files left";
}

TEST_F(FolderItemTest, OnlyRegularFilesAreOpenedAndNothingWaitsForAPipe) {
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("missing"), PathOf("broken"));
    for (const std::string& path :
         {PathOf("pipe"), std::string("/dev/zero"), dir_.path().toStdString(), PathOf("broken")}) {
        const rt::FolderItem item(path);
        EXPECT_EQ(item.OpenAsTextFile(), nullptr) << path;
        EXPECT_FALSE(item.OpenAsPicture()) << path;
        if (path != PathOf("broken")) {
            EXPECT_EQ(item.CreateTextFile(), nullptr) << path;
            EXPECT_EQ(item.CreateBinaryFile("x"), nullptr) << path;
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("pipe")));
}

// A test that stops while reads fail (a failed assertion inside the guard's scope).
void StopWhileReadsFail() {
    const rt::testhooks::FailingReads failing(0);
    FAIL() << "stopped while reads fail";
}

TEST_F(FolderItemTest, ReadsWorkAgainAfterATestStoppedWhileTheyFailed) {
    EXPECT_FATAL_FAILURE(StopWhileReadsFail(), "stopped while reads fail");
    WriteBytes(PathOf("after.txt"), "1 2 3\r\n");
    auto stream = rt::FolderItem(PathOf("after.txt")).OpenAsTextFile();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadAll(), "1 2 3\r\n");
    EXPECT_FALSE(stream->ReadFailed());
}

TEST_F(FolderItemTest, AReadErrorEndsTheStreamAndIsReported) {
    std::string bytes;
    for (int i = 0; bytes.size() < 1000000; ++i)
        bytes += std::to_string(i) + "\r\n";
    WriteBytes(PathOf("long.txt"), bytes);
    Lines lines;
    std::string all;
    std::unique_ptr<rt::TextInputStream> stream;
    {
        const rt::testhooks::FailingReads failing(300000);
        lines = ReadLines(PathOf("long.txt"));
        stream = rt::FolderItem(PathOf("long.txt")).OpenAsTextFile();
        ASSERT_TRUE(stream);
        all = stream->ReadAll();
    }
    EXPECT_LT(lines.size(), 300000u / 5);
    EXPECT_LE(all.size(), 300000u);
    EXPECT_TRUE(stream->ReadFailed());
    EXPECT_FALSE(rt::FolderItem(PathOf("long.txt")).OpenAsTextFile()->ReadFailed());
}

TEST_F(FolderItemTest, ByteOrderMarksAreDroppedAndUtf16ReadsAsUtf8) {
    // Lines of characters outside the basic plane, which UTF-16 writes as two halves: one
    // of the four prefixes puts a pair's halves into two reads.
    const QString line =
        QString::fromUtf8("x\t\xC3\xA8\t") + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(10);
    for (const QString& prefix : {QString(), QString("a"), QString("ab"), QString("abc")}) {
        QString text = prefix + "\r\n";
        for (int i = 0; i < 20000; ++i)
            text += line + (i % 2 ? "\n" : "\r\n");
        WriteBytes(PathOf("utf8.txt"), text.toUtf8().toStdString());
        const Lines expected = ReadLines(PathOf("utf8.txt"));
        ASSERT_EQ(expected.size(), 20001u);
        ExpectEveryEncodingReads(text, expected);
    }
}

TEST_F(FolderItemTest, OnlyTheFirstByteOrderMarkIsDroppedInEveryEncoding) {
    ExpectEveryEncodingReads(QChar(0xFEFF) + QString("1\t2\t3\n"), {"\xEF\xBB\xBF"
                                                                    "1\t2\t3"});
}

TEST_F(FolderItemTest, OpensPicturesQtCanReadAndNothingElse) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(image.save(dir_.filePath("p.png")));
    EXPECT_EQ(rt::FolderItem(PathOf("p.png")).OpenAsPicture().Pixel(2, 1), 0x0A141Eu);
    // A file that claims to be a picture and is not.
    WriteBytes(PathOf("fake.png"), "\x89PNG\r\n\x1a\n this is not really a picture");
    EXPECT_FALSE(rt::FolderItem(PathOf("fake.png")).OpenAsPicture());
}

} // namespace
