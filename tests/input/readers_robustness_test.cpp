// What every reader holds to: a cancelled dialog changes nothing; a file that cannot be opened or
// read to its end is reported and changes nothing; damaged versions of its test files each end in
// the 2D working mode with consistent, finite data, or, for a CAD export without lines, change
// nothing; the 2D editor shows what they load inside its window, however extreme the numbers.

#include "input/fin_edita.h"
#include "rt/textinput.h"
#include "rt/window.h"
#include "tests/input/readertesting.h"
#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <sys/stat.h>

namespace {

using namespace readertest;

constexpr int kMutationsPerReader = 600;

void ReadDxf() {
    modulodxf::leggidxf(100, 5, 1);
}

TEST(Readers, AFileThatCannotBeOpenedOrReadToItsEndIsReportedAndChangesNothing) {
    Scratch scratch;
    ASSERT_EQ(mkfifo(scratch.Path("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(scratch.Path("missing"), scratch.Path("broken"));
    const std::pair<void (*)(), const char*> readers[] = {
        {Inizio::apritesto, "points_crlf.txt"},  // the read fails in the only pass, without a comma
        {Inizio::apritesto, "points_comma.txt"}, // it fails reading again in decimal-comma form
        {Inizio::apripcaddtesto, "cad_export.txt"},
        {ReadDxf, "contours_r12_polyline.dxf"}};
    for (const auto& [reader, name] : readers) {
        std::string large;
        while (large.size() < 1000000)
            large += ReadBytes(DataFile(name));
        const std::string unreadable = scratch.Write(std::string("large") + name, large);
        SetEarlierData();
        const Survey before = Current();
        RunReader(reader, std::nullopt);
        EXPECT_EQ(Current(), before) << "cancelled";
        for (const std::string& path : {scratch.Path("missing"), scratch.Path(""), scratch.Path("pipe"),
                                        std::string("/dev/zero"), scratch.Path("broken"), unreadable}) {
            SCOPED_TRACE(std::string(name) + " " + path);
            rt::ScriptedDialogs script;
            script.AnswerOpen(path);
            script.AnswerMessage();
            {
                const rt::testhooks::FailingReads failing(path == unreadable ? 300000 : -1);
                reader();
            }
            ASSERT_EQ(script.Requests().size(), 2u);
            EXPECT_EQ(script.Requests()[1].text, "Can't read the file!\r\rNon posso leggere il file!");
            EXPECT_EQ(Current(), before);
        }
    }
    const Survey before = Current();
    RunReader(Inizio::apripcaddtesto, scratch.Write("empty.txt", ""));
    EXPECT_EQ(Current(), before) << "a CAD export without lines";
}

// Cuts the text short, flips bytes, writes random bytes, or repeats, drops or replaces a line by
// an extreme number (or two of opposite signs) or a marker.
std::string Mutate(std::string text, std::mt19937& random) {
    static const char* const kLines[] = {"1e999\n", "-1e999\r", "1e400\n-1e400\n", "nan\r\n", "10\n",
                                         "20\n",    "0\n",      "ENDSEC\n"};
    const auto below = [&](std::size_t bound) {
        return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    };
    const std::size_t kind = below(6);
    if (kind == 0) {
        text.resize(below(text.size() + 1));
    } else if (kind == 1) {
        for (std::size_t n = 1 + below(8); n > 0 && !text.empty(); --n)
            text[below(text.size())] ^= static_cast<char>(1 + below(255));
    } else if (kind == 5 || text.empty()) {
        text.resize(below(2048));
        for (char& c : text)
            c = static_cast<char>(below(256));
    } else {
        const std::size_t at = below(text.size());
        const std::size_t before = at == 0 ? std::string::npos : text.find_last_of("\r\n", at - 1);
        const std::size_t begin = before == std::string::npos ? 0 : before + 1;
        const std::size_t length = std::min(text.find_first_of("\r\n", at), text.size() - 1) + 1 - begin;
        if (kind == 2)
            text.insert(begin, text.substr(begin, length));
        else if (kind == 3)
            text.erase(begin, length);
        else
            text.replace(begin, length, kLines[below(std::size(kLines))]);
    }
    return text;
}

// Draws the 2D editor as the reader left it (the sanitizer build checks every pixel conversion on
// the way); succeeds when every point and segment end it placed lies in its window.
::testing::AssertionResult DrawnInTheEditor() {
    fin_edita& editor = rt::Instance<fin_edita>();
    if (!editor.DrawIntoPicture())
        return ::testing::AssertionFailure() << "nothing drawn";
    const auto inside = [&](std::int32_t x, std::int32_t y) {
        return x >= 0 && y >= 0 && x <= globali::scrx + 80 && y <= globali::scry;
    };
    for (std::int32_t i = 1; i <= editor.punto.UBound(); ++i) {
        if (editor.punto.Has(i) && !inside(editor.punto(i).Left() + 2, editor.punto(i).Top() + 2))
            return ::testing::AssertionFailure() << "point " << i << " at " << editor.punto(i).Left();
    }
    for (std::int32_t i = 1; i <= editor.Linea.UBound(); ++i) {
        if (!editor.Linea.Has(i))
            continue;
        const auto line = editor.Linea(i);
        if (!(inside(line.X1(), line.Y1()) && inside(line.X2(), line.Y2())))
            return ::testing::AssertionFailure() << "segment " << i << " from " << line.X1();
    }
    return ::testing::AssertionSuccess();
}

// Feeds the reader mutations of the files; `check` adds a rule of the reader's own.
void Fuzz(const std::function<void()>& reader, const std::vector<std::string>& files, std::uint32_t seed,
          const std::function<void(const std::string& text)>& check = {}) {
    Scratch scratch;
    std::mt19937 random(seed);
    globali::scrx = 400;
    globali::scry = 300;
    std::vector<std::string> originals;
    for (const std::string& name : files)
        originals.push_back(ReadBytes(DataFile(name)));
    for (int n = 0; n < kMutationsPerReader; ++n) {
        const std::string text = Mutate(originals[static_cast<std::size_t>(n) % originals.size()], random);
        SetEarlierData();
        RunReader(reader, scratch.Write("mutated", text));
        ASSERT_TRUE(Consistent()) << "mutation " << n;
        ASSERT_TRUE(DrawnInTheEditor()) << "mutation " << n;
        for (const Point& p : Current().points)
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << "mutation " << n;
        if (check)
            check(text);
        ASSERT_FALSE(::testing::Test::HasFailure()) << "mutation " << n;
    }
}

// Lines as the reader counts them: ended by CR, LF or CR LF, the last one also by the file's end.
std::int32_t LineCount(const std::string& text) {
    std::int32_t count = !text.empty() && text.back() != '\r' && text.back() != '\n';
    for (std::size_t i = 0; i < text.size(); ++i)
        count += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    return count;
}

TEST(ReaderFuzz, EachReaderLoadsConsistentDataOrChangesNothing) {
    Fuzz(Inizio::apritesto, {"points_crlf.txt", "points_cr.txt", "points_comma.txt"}, 1,
         [](const std::string& text) {
             EXPECT_EQ(Inizio::ambiente, 1);
             EXPECT_EQ(globali::ptot + 1, LineCount(text));
         });
    Fuzz(Inizio::apripcaddtesto, {"cad_export.txt"}, 2, [](const std::string& text) {
        EXPECT_EQ(Inizio::ambiente, text.empty() ? 2 : 1);
        EXPECT_TRUE(text.empty() || globali::ptot < LineCount(text));
    });
    Fuzz(ReadDxf,
         {"contours_r12_polyline.dxf", "contours_r2000_lwpolyline.dxf", "contours_r2000_polyline.dxf"}, 3,
         [](const std::string&) { EXPECT_EQ(Inizio::ambiente, 1); });
}

} // namespace
