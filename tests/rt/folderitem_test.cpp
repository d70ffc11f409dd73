#include "rt/folderitem.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
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
    const std::string wide(200000, 'w'); // longer than one read
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"one\rtwo\nthree\r\nfour\n\nsix\r\rlast", {"one", "two", "three", "four", "", "six", "", "last"}},
        {"", {}},
        {wide + "\r" + wide + "\n", {wide, wide}}};
    for (const auto& c : cases) {
        WriteBytes(PathOf("lines.txt"), c.bytes);
        EXPECT_EQ(ReadLines(PathOf("lines.txt")), c.lines) << c.bytes.substr(0, 40);
    }
}

TEST_F(FolderItemTest, ACrLfSplitAcrossReadsIsOneLineEnd) {
    // One letter, then CR LF pairs: every CR sits at an odd offset, so for any even read size
    // some pair is cut between two reads.
    const int pairs = 300000;
    std::string bytes = "x";
    for (int i = 0; i < pairs; ++i)
        bytes += "\r\n";
    WriteBytes(PathOf("long.txt"), bytes + "end");
    const Lines lines = ReadLines(PathOf("long.txt"));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(pairs + 1));
    EXPECT_EQ(lines.back(), "end");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), pairs - 1);
}

TEST_F(FolderItemTest, ReadAllGivesTheRestWithItsLineEndsAndMissingFilesGiveNoStream) {
    WriteBytes(PathOf("rest.txt"), "head\r\nbody\rtail\n");
    auto stream = rt::FolderItem(PathOf("rest.txt")).OpenAsTextFile();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadLine(), "head");
    EXPECT_EQ(stream->ReadAll(), "body\rtail\n");
    EXPECT_EQ(rt::FolderItem(dir_.path().toStdString()).OpenAsTextFile(), nullptr);
    EXPECT_EQ(rt::FolderItem(PathOf("no/such/file.txt")).CreateBinaryFile("text/plain"), nullptr);
}

TEST_F(FolderItemTest, WritesReplaceTheFileTextLinesEndingWithLfAndBytesExactly) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old content that is longer than the new one");
    auto text = rt::FolderItem(path).CreateTextFile();
    ASSERT_TRUE(text);
    text->Write("no end");
    text->WriteLine("èé");
    EXPECT_TRUE(text->Close());
    EXPECT_EQ(ReadBytes(path), "no endèé\n");

    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\r\n\n\r";
    auto binary = rt::FolderItem(path).CreateBinaryFile("application/octet-stream");
    ASSERT_TRUE(binary);
    binary->Write(bytes.substr(0, 100));
    binary->Write(bytes.substr(100));
    EXPECT_TRUE(binary->Close());
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(FolderItemTest, CloseReportsAFailedWriteAndDeleteCountsAMissingFileAsDeleted) {
    auto text = rt::FolderItem("/dev/full").CreateTextFile();
    ASSERT_TRUE(text);
    text->WriteLine(std::string(100000, 'z'));
    EXPECT_FALSE(text->Close());
    auto binary = rt::FolderItem("/dev/full").CreateBinaryFile("x");
    ASSERT_TRUE(binary);
    binary->Write(std::string(100000, 'z'));
    EXPECT_FALSE(binary->Close());

    const rt::FolderItem item(PathOf("gone.txt"));
    EXPECT_TRUE(item.Delete());
}

TEST_F(FolderItemTest, ABareNameLivesInTheProgramsOwnFolderCreatedWhenMissing) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toLocal8Bit());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const rt::FolderItem item = rt::GetFolderItem("settings.prefs");
    EXPECT_EQ(QFileInfo(QString::fromStdString(item.Path())).absolutePath(),
              QFileInfo(folder).absoluteFilePath());
    EXPECT_TRUE(item.CreateTextFile()) << "the folder is made when missing";
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(FolderItemTest, OpensPicturesQtCanReadAndNothingElse) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(2, 1, qRgb(10, 20, 30));
    ASSERT_TRUE(image.save(dir_.filePath("p.png")));
    const rt::Picture picture = rt::FolderItem(PathOf("p.png")).OpenAsPicture();
    EXPECT_EQ(picture.Pixel(2, 1), 0x0A141Eu);
    // A file that claims to be a picture and is not.
    WriteBytes(PathOf("fake.png"), "\x89PNG\r\n\x1a\n this is not really a picture");
    EXPECT_FALSE(rt::FolderItem(PathOf("fake.png")).OpenAsPicture());
}

} // namespace
