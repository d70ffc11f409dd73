// What every reader holds to: a cancelled dialog or a file that cannot be opened changes nothing;
// thousands of damaged versions of its test files each end in the 2D working mode with
// consistent, finite data, or, for a CAD export without lines, change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "model/inizio.h"
#include "model/modulodxf.h"
#include "tests/input/readertesting.h"

namespace {

using namespace readertest;

constexpr int kMutationsPerReader = 1500;

void ReadDxf() {
    modulodxf::leggidxf(100, 5, 1);
}

TEST(Readers, ACancelledDialogOrAFileThatCannotBeOpenedChangesNothing) {
    Scratch scratch;
    const std::string empty = scratch.Write("empty.txt", "");
    for (const auto reader : {Inizio::apritesto, Inizio::apripcaddtesto, ReadDxf}) {
        SetEarlierData();
        const Survey before = Current();
        RunReader(reader, std::nullopt);
        EXPECT_EQ(Current(), before);
        RunReader(reader, scratch.Path("missing.txt"));
        EXPECT_EQ(Current(), before);
        RunReader(reader, scratch.Path(""));
        EXPECT_EQ(Current(), before) << "a folder";
    }
    SetEarlierData();
    const Survey before = Current();
    RunReader(Inizio::apripcaddtesto, empty);
    EXPECT_EQ(Current(), before) << "a CAD export without lines";
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::string Mutate(std::string text) {
        static const char* const kLines[] = {"1e999\n", "-1e999\r", "nan\r\n", "10\n",
                                             "20\n",    "0\n",      "ENDSEC\n"};
        const std::size_t kind = Below(6);
        if (kind == 0) { // cut short
            text.resize(Below(text.size() + 1));
        } else if (kind == 1) { // bytes flipped
            for (std::size_t n = 1 + Below(8); n > 0 && !text.empty(); --n)
                text[Below(text.size())] ^= static_cast<char>(1 + Below(255));
        } else if (kind == 5 || text.empty()) { // random bytes
            text.resize(Below(2048));
            for (char& c : text)
                c = static_cast<char>(Below(256));
        } else { // a line repeated, dropped, or replaced by an extreme number or a marker
            const std::size_t at = Below(text.size());
            const std::size_t before = at == 0 ? std::string::npos : text.find_last_of("\r\n", at - 1);
            const std::size_t begin = before == std::string::npos ? 0 : before + 1;
            const std::size_t length = std::min(text.find_first_of("\r\n", at), text.size() - 1) + 1 - begin;
            if (kind == 2)
                text.insert(begin, text.substr(begin, length));
            else if (kind == 3)
                text.erase(begin, length);
            else
                text.replace(begin, length, kLines[Below(std::size(kLines))]);
        }
        return text;
    }

private:
    std::size_t Below(std::size_t bound) {
        return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
    }
    std::mt19937 random_;
};

bool AllFinite() {
    for (std::int32_t p = 0; p <= globali::ptot; ++p) {
        const auto i = static_cast<std::size_t>(p);
        if (!std::isfinite(globali::px[i]) || !std::isfinite(globali::py[i]) ||
            !std::isfinite(globali::pz[i]))
            return false;
    }
    return true;
}

// Feeds the reader mutations of the files; `check` adds a rule of the reader's own.
void Fuzz(const std::function<void()>& reader, const std::vector<std::string>& files, std::uint32_t seed,
          const std::function<void(const std::string& text)>& check = {}) {
    Scratch scratch;
    Mutator mutator(seed);
    std::vector<std::string> originals;
    for (const std::string& name : files)
        originals.push_back(ReadBytes(DataFile(name)));
    for (int n = 0; n < kMutationsPerReader; ++n) {
        const std::string text = mutator.Mutate(originals[static_cast<std::size_t>(n) % originals.size()]);
        SetEarlierData();
        RunReader(reader, scratch.Write("mutated", text));
        ASSERT_TRUE(Consistent()) << "mutation " << n;
        ASSERT_TRUE(AllFinite()) << "mutation " << n;
        if (check)
            check(text);
        if (::testing::Test::HasFailure())
            FAIL() << "mutation " << n;
    }
}

// Lines as the reader counts them: ended by CR, LF or CR LF, the last one also by the file's end.
std::int32_t LineCount(const std::string& text) {
    std::int32_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\r' || text[i] == '\n')
            ++count;
    }
    const bool unended = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return count + (unended ? 1 : 0);
}

TEST(ReaderFuzz, XyzReaderMakesOnePointPerLine) {
    Fuzz(Inizio::apritesto, {"points_lf.txt", "points_crlf.txt", "points_cr.txt", "points_comma.txt"}, 1,
         [](const std::string& text) {
             EXPECT_EQ(Inizio::ambiente, 1);
             EXPECT_EQ(globali::ptot + 1, LineCount(text));
         });
}

TEST(ReaderFuzz, CadTextReaderLoadsOrChangesNothing) {
    Fuzz(Inizio::apripcaddtesto, {"cad_export.txt"}, 2, [](const std::string& text) {
        if (text.empty()) {
            EXPECT_EQ(Inizio::ambiente, 2);
        } else {
            EXPECT_EQ(Inizio::ambiente, 1);
            EXPECT_LE(globali::ptot + 1, LineCount(text));
        }
    });
}

TEST(ReaderFuzz, DxfReaderLoadsConsistentContours) {
    Fuzz(ReadDxf,
         {"contours_r12_polyline.dxf", "contours_r2000_lwpolyline.dxf", "contours_r2000_polyline.dxf",
          "contours_ogr_elevation.dxf"},
         3, [](const std::string&) { EXPECT_EQ(Inizio::ambiente, 1); });
}

} // namespace
