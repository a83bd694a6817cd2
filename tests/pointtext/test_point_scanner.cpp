// SPDX-License-Identifier: MIT
// The block point scanner against the literal byte-at-a-time scanner on random files cut into
// random chunks, and the sizing of its point list.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/decimal_texts.h"
#include "support/literal_point_scanner.h"
#include "pointtext/point_scanner.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using gte::Vector3;
using tavrisk::PointFileProblem;
using tavrisk::PointScanner;

namespace {

// Point files as measuring machines and people write them, with now and then a value or a
// byte that gets the file refused.
class PointFileMaker : public TextMaker {
public:
    using TextMaker::TextMaker;

    std::string file() {
        std::uint64_t const start = below(40);
        // A byte order mark, or part of one, which is then part of the first value.
        std::string text = start < 10 ? "\xEF\xBB\xBF" : start == 10 ? "\xEF\xBB" : "";
        text += below(4) == 0 ? separators() : "";
        // Whole points mostly; one or two values left over now and then.
        std::uint64_t const count = 3 * below(100) + (below(8) == 0 ? 1 + below(2) : 0);
        for (std::uint64_t i = 0; i < count; ++i) {
            text += value();
            // The last value runs into the end of the file now and then.
            text += i + 1 < count || below(4) != 0 ? separators() : "";
        }
        return text;
    }

private:
    std::string value() {
        std::uint64_t const kind = below(10000);
        if (kind < 9100) {
            // Mostly machine decimals; long significands and near 2^53 now and then.
            std::size_t const which = kind < 7000 ? 0 : kind < 8000 ? 1 : 2;
            return (this->*generators()[which].make)();
        }
        if (kind < 9960) {
            // Long values, across blocks and chunks: leading zeros before a plain decimal.
            return std::string(below(200), '0') + machineDecimal().substr(1);
        }
        if (kind < 9980) {
            return oddForm();  // mostly refused
        }
        if (kind < 9990) {
            // Just over or just under the longest value.
            return std::string(tavrisk::kMaxPointValueLength - 3 + below(4), '0') + "1";
        }
        // A byte 0 in a value, or a byte order mark past the start of the file.
        std::string text = machineDecimal();
        return below(2) == 0 ? "\xEF\xBB\xBF" + text : text.replace(below(text.size()), 1, 1, '\0');
    }

    std::string separators() {
        static char const* const kRuns[] = {" ", ",", "\t", "\n", "\r", "\r\n", ", ", "\n\r"};
        std::string run;
        // Now and then a long run, as blank lines or padding make: taken in groups of bytes.
        for (std::uint64_t n = below(50) == 0 ? 5 + below(60) : 1 + (below(4) == 0 ? below(3) : 0);
             n > 0; --n) {
            run += kRuns[below(8)];
        }
        return run;
    }
};

tavrisk::platform::CNumberReader const numberReader;

struct Outcome {
    std::vector<Vector3> points;
    PointFileProblem problem;
    std::vector<bool> steps;  // what each scan returned, then what finish returned
    Vector3 sum = Vector3::zeroVector();
};

// The library's scanner, given chunks as the literal one takes them.
class BlockScanner : public PointScanner {
public:
    BlockScanner(Outcome& out, std::size_t fileSize)
        : PointScanner(numberReader, out.points, out.problem, fileSize) {}
    bool scan(char const* bytes, std::size_t size) {
        std::memcpy(chunk(), bytes, size);
        return PointScanner::scan(size);
    }
};

// Runs a scanner over text cut at the given chunk lengths, until one is refused.
template <class Scanner>
void scanInChunks(Scanner& scanner, std::string const& text, std::vector<std::size_t> const& cuts,
                  Outcome& out) {
    std::size_t at = 0;
    for (std::size_t length : cuts) {
        out.steps.push_back(scanner.scan(text.data() + at, length));
        if (!out.steps.back()) {
            return;
        }
        at += length;
    }
    out.steps.push_back(scanner.finish());
    out.sum = scanner.sum();
}

}  // namespace

TEST(PointScanner, AgreesWithTheLiteralScannerOnRandomFilesAndChunks) {
    PointFileMaker maker(0x5CA77E12u);
    std::size_t values = 0;
    std::size_t refused = 0;
    for (int file = 0; file < 3000 && !HasFailure(); ++file) {
        std::string const text = maker.file();
        // Cut into single bytes, short runs that land inside values, or whole chunks.
        std::uint64_t const longest = maker.below(3) == 0   ? 1
                                      : maker.below(2) == 0 ? 1 + maker.below(300)
                                                            : PointScanner::kChunkSize;
        std::vector<std::size_t> cuts;
        for (std::size_t left = text.size(); left > 0; left -= cuts.back()) {
            cuts.push_back(std::min<std::size_t>(left, 1 + maker.below(longest)));
        }
        Outcome want;
        LiteralPointScanner literal(want.points, want.problem);
        scanInChunks(literal, text, cuts, want);
        Outcome got;
        BlockScanner block(got, text.size());
        scanInChunks(block, text, cuts, got);
        std::string const label = "file " + std::to_string(file) + ": '" + text.substr(0, 60) + "'";
        EXPECT_EQ(got.steps, want.steps) << label;
        // The sum the fit would otherwise take of the list, added up as the points were read.
        EXPECT_TRUE(sameRecordBits(got.sum, want.sum)) << label;
        EXPECT_TRUE(samePointBits(got.points, want.points)) << label;
        // Kind, line, the value's bytes and whether they were cut, all in the description.
        EXPECT_EQ(describe(got.problem), describe(want.problem)) << label;
        values += 3 * want.points.size();
        refused += want.steps.back() ? 0 : 1;
    }
    // Both outcomes must be common for the comparison to mean anything.
    EXPECT_GT(values, 100000u);
    EXPECT_GT(refused, 300u);
    EXPECT_LT(refused, 2700u);
}

TEST(PointScanner, SizesTheListFromTheFile) {
    // Lines of one length, then lines of another: the list is sized once the first 64 KiB show
    // the density, never beyond what the file could hold (six bytes a point at the least), and
    // grows only when the density turns out higher.
    std::string const shortLine = "1,2,3\n";
    std::string const machineLine = "-12.345678,45.678901,-0.012345\n";
    std::string const longLine = "-12345.678901234,45678.901234567,-0.012345678901\n";
    struct Case {
        std::string firstLine, laterLine;
        bool grows;  // the list must grow after it was sized
        bool tight;  // sized within 30 % of the points
    } const cases[] = {
        {machineLine, machineLine, false, true},
        {shortLine, longLine, false, false},
        {longLine, shortLine, true, false},
    };
    for (Case const& c : cases) {
        std::string text;
        for (int i = 0; i < 5000; ++i) {
            text += c.firstLine;
        }
        while (text.size() < 2 * 1024 * 1024) {
            text += c.laterLine;
        }
        Outcome out;
        BlockScanner scanner(out, text.size());
        // The list after the first chunk is the one sized from the density.
        Vector3 const* sizedList = nullptr;
        for (std::size_t at = 0; at < text.size(); at += PointScanner::kChunkSize) {
            ASSERT_TRUE(scanner.scan(text.data() + at,
                                     std::min(PointScanner::kChunkSize, text.size() - at)));
            sizedList = at == 0 ? out.points.data() : sizedList;
        }
        ASSERT_TRUE(scanner.finish());
        EXPECT_EQ(out.points.data() != sizedList, c.grows) << c.firstLine;
        EXPECT_LE(out.points.capacity(), text.size() / 6 + 1) << c.firstLine;
        EXPECT_TRUE(!c.tight || out.points.capacity() <= out.points.size() * 13 / 10)
            << c.firstLine;
    }
}
