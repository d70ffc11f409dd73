#include "rt/folderitem.h"
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
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
    QTemporaryDir dir_;
};

TEST_F(FolderItemTest, ReadsLinesEndedByCrLfOrCrLfWithoutAnExtraLineAtTheEnd) {
    WriteBytes(PathOf("lines.txt"), "one\rtwo\nthree\r\nfour\n\nsix\r\rlast");
    EXPECT_EQ(ReadLines(PathOf("lines.txt")), (Lines{"one", "two", "three", "four", "", "six", "", "last"}));
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

TEST_F(FolderItemTest, ReadAllGivesTheRestWithItsLineEndsAndAFolderGivesNoStream) {
    WriteBytes(PathOf("rest.txt"), "head\r\nbody\rtail\n");
    auto stream = rt::FolderItem(PathOf("rest.txt")).OpenAsTextFile();
    ASSERT_TRUE(stream);
    stream->ReadLine();
    EXPECT_EQ(stream->ReadAll(), "body\rtail\n");
    EXPECT_EQ(rt::FolderItem(dir_.path().toStdString()).OpenAsTextFile(), nullptr);
}

TEST_F(FolderItemTest, WritesReplaceTheFileExactlyAndCloseReportsAFailedWrite) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old content that is longer than the new one");
    auto text = rt::FolderItem(path).CreateTextFile();
    ASSERT_TRUE(text);
    text->Write("no end");
    text->WriteLine("\r\xC3\xA8");
    EXPECT_TRUE(text->Close());
    EXPECT_EQ(ReadBytes(path), "no end\r\xC3\xA8\n");
    auto binary = rt::FolderItem(path).CreateBinaryFile("application/octet-stream");
    ASSERT_TRUE(binary);
    binary->Write(std::string("\r\n\0", 3));
    binary->Write("\xFF\n");
    EXPECT_TRUE(binary->Close());
    EXPECT_EQ(ReadBytes(path), std::string("\r\n\0\xFF\n", 5));
    const std::string many(100000, 'z');
    auto full = rt::FolderItem("/dev/full").CreateTextFile();
    auto fullBinary = rt::FolderItem("/dev/full").CreateBinaryFile("x");
    ASSERT_TRUE(full && fullBinary);
    full->WriteLine(many);
    fullBinary->Write(many);
    EXPECT_FALSE(full->Close());
    EXPECT_FALSE(fullBinary->Close());
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
