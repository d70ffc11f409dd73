#include "rt/folderitem.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
        if (!file.open(QIODevice::ReadOnly))
            return "<unreadable>";
        return file.readAll().toStdString();
    }

    std::vector<std::string> ReadLines(const std::string& path) const {
        std::vector<std::string> lines;
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

TEST_F(FolderItemTest, ReadsLinesEndedByCrLfOrCrLf) {
    const std::string path = PathOf("mixed.txt");
    WriteBytes(path, "one\rtwo\nthree\r\nfour\n\nsix\r\rlast");
    const std::vector<std::string> expected{"one", "two", "three", "four", "", "six", "", "last"};
    EXPECT_EQ(ReadLines(path), expected);
}

TEST_F(FolderItemTest, AFinalLineEndingGivesNoExtraLine) {
    const std::string crlf = PathOf("crlf.txt");
    WriteBytes(crlf, "a\r\nb\r\n");
    EXPECT_EQ(ReadLines(crlf), (std::vector<std::string>{"a", "b"}));
    const std::string cr = PathOf("cr.txt");
    WriteBytes(cr, "a\rb\r");
    EXPECT_EQ(ReadLines(cr), (std::vector<std::string>{"a", "b"}));
    const std::string empty = PathOf("empty.txt");
    WriteBytes(empty, "");
    EXPECT_TRUE(ReadLines(empty).empty());
}

TEST_F(FolderItemTest, ACrLfSplitAcrossReadsIsOneLineEnd) {
    // One letter, then CR LF pairs: every CR sits at an odd offset, so for any even read size
    // some pair is cut between two reads.
    const std::string path = PathOf("long.txt");
    const int pairs = 300000;
    std::string bytes = "x";
    for (int i = 0; i < pairs; ++i)
        bytes += "\r\n";
    bytes += "end";
    WriteBytes(path, bytes);
    const std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(pairs + 1));
    EXPECT_EQ(lines.front(), "x");
    EXPECT_EQ(lines.back(), "end");
    std::size_t nonEmpty = 0;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        nonEmpty += lines[i].empty() ? 0 : 1;
    EXPECT_EQ(nonEmpty, 0u);
}

TEST_F(FolderItemTest, LongLinesSpanningReadsComeBackWhole) {
    const std::string path = PathOf("wide.txt");
    const std::string wide(200000, 'w');
    WriteBytes(path, wide + "\r" + wide + "\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string>{wide, wide}));
}

TEST_F(FolderItemTest, ReadAllGivesTheRestWithItsLineEnds) {
    const std::string path = PathOf("rest.txt");
    WriteBytes(path, "head\r\nbody\rtail\n");
    auto stream = rt::FolderItem(path).OpenAsTextFile();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadLine(), "head");
    EXPECT_EQ(stream->ReadAll(), "body\rtail\n");
    EXPECT_TRUE(stream->Eof());
    EXPECT_EQ(stream->ReadLine(), "");
}

TEST_F(FolderItemTest, MissingFilesAndFoldersGiveNoInputStream) {
    EXPECT_EQ(rt::FolderItem(PathOf("absent.txt")).OpenAsTextFile(), nullptr);
    EXPECT_EQ(rt::FolderItem(dir_.path().toStdString()).OpenAsTextFile(), nullptr);
    EXPECT_EQ(rt::FolderItem("").OpenAsTextFile(), nullptr);
}

TEST_F(FolderItemTest, WriteLineEndsWithLfAndReplacesTheFile) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old content that is longer than the new one");
    auto stream = rt::FolderItem(path).CreateTextFile();
    ASSERT_TRUE(stream);
    stream->WriteLine("first");
    stream->Write("no end");
    stream->WriteLine("");
    stream->WriteLine("èé");
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadBytes(path), "first\nno end\nèé\n");
}

TEST_F(FolderItemTest, BinaryStreamWritesExactlyTheBytesGiven) {
    const std::string path = PathOf("data.bin");
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\r\n\n\r";
    auto stream = rt::FolderItem(path).CreateBinaryFile("application/octet-stream");
    ASSERT_TRUE(stream);
    stream->Write(bytes.substr(0, 100));
    stream->Write("");
    stream->Write(bytes.substr(100));
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(FolderItemTest, StreamsThatCannotBeCreatedAreNull) {
    const std::string inMissingFolder = PathOf("no/such/folder/file.txt");
    EXPECT_EQ(rt::FolderItem(inMissingFolder).CreateTextFile(), nullptr);
    EXPECT_EQ(rt::FolderItem(inMissingFolder).CreateBinaryFile("text/plain"), nullptr);
    EXPECT_EQ(rt::FolderItem(dir_.path().toStdString()).CreateTextFile(), nullptr);
}

TEST_F(FolderItemTest, CloseReportsAFailedWrite) {
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    auto text = rt::FolderItem("/dev/full").CreateTextFile();
    ASSERT_TRUE(text);
    text->WriteLine(std::string(100000, 'z'));
    EXPECT_FALSE(text->Close());
    auto binary = rt::FolderItem("/dev/full").CreateBinaryFile("x");
    ASSERT_TRUE(binary);
    binary->Write(std::string(100000, 'z'));
    EXPECT_FALSE(binary->Close());
}

TEST_F(FolderItemTest, ExistsDeleteAndName) {
    const std::string path = PathOf("gone.txt");
    const rt::FolderItem item(path);
    EXPECT_EQ(item.Name(), "gone.txt");
    EXPECT_FALSE(item.Exists());
    EXPECT_TRUE(item.Delete());
    WriteBytes(path, "x");
    EXPECT_TRUE(item.Exists());
    EXPECT_TRUE(item.Delete());
    EXPECT_FALSE(item.Exists());
}

TEST_F(FolderItemTest, ABareNameLivesInTheProgramsOwnFolder) {
    // A per-user configuration home of the test's own, where the program's folder is missing.
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toLocal8Bit());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(folder.startsWith(dir_.path()));
    ASSERT_FALSE(QFileInfo::exists(folder));

    const rt::FolderItem item = rt::GetFolderItem("settings.prefs");
    EXPECT_EQ(QFileInfo(QString::fromStdString(item.Path())).absolutePath(),
              QFileInfo(folder).absoluteFilePath());
    EXPECT_EQ(item.Name(), "settings.prefs");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    auto stream = item.CreateTextFile();
    ASSERT_TRUE(stream);
    stream->WriteLine("kept");
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadLines(item.Path()), std::vector<std::string>{"kept"});

    const std::string withFolder = PathOf("inside.txt");
    EXPECT_EQ(rt::GetFolderItem(withFolder).Path(), withFolder);

    if (wasSet)
        qputenv("XDG_CONFIG_HOME", saved);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

TEST_F(FolderItemTest, OpensPicturesQtCanReadAndNothingElse) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(2, 1, qRgb(10, 20, 30));
    const std::string png = PathOf("p.png");
    ASSERT_TRUE(image.save(QString::fromStdString(png), "PNG"));
    const rt::Picture picture = rt::FolderItem(png).OpenAsPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Pixel(2, 1), 0x0A141Eu);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFFFFu);

    const std::string bmp = PathOf("p.bmp");
    ASSERT_TRUE(image.save(QString::fromStdString(bmp), "BMP"));
    EXPECT_TRUE(rt::FolderItem(bmp).OpenAsPicture());

    // A file that claims to be a picture and is not.
    const std::string fake = PathOf("fake.png");
    WriteBytes(fake, "\x89PNG\r\n\x1a\n this is not really a picture");
    EXPECT_FALSE(rt::FolderItem(fake).OpenAsPicture());
    const std::string text = PathOf("t.txt");
    WriteBytes(text, "hello");
    EXPECT_FALSE(rt::FolderItem(text).OpenAsPicture());
    EXPECT_FALSE(rt::FolderItem(PathOf("absent.png")).OpenAsPicture());
}

TEST(FileTypes, AreFoundByTheirRegisteredName) {
    rt::RegisterFileType({"test/x-grid", ".grd", "TEXT", "ttxt"});
    const rt::FileType* type = rt::FindFileType("test/x-grid");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Extensions, ".grd");
    rt::RegisterFileType({"test/x-grid", ".grid", "", ""});
    EXPECT_EQ(rt::FindFileType("test/x-grid")->Extensions, ".grid");
    EXPECT_EQ(rt::FindFileType("test/unregistered"), nullptr);
}

} // namespace
