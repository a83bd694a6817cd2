// The block point scanner against the literal byte-at-a-time scanner on random files cut into
// random chunks, and the sizing of its point list.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "decimal_texts.h"
#include "literal_point_scanner.h"
#include "measure/point_scanner.h"

using gte::Vector3;
using tavrisk::PointFileProblem;
using tavrisk::PointScanner;
using tavrisk_test::bitsOf;
using Kind = tavrisk::PointFileProblemKind;

namespace {

// Point files as measuring machines and people write them, with now and then a value or a
// byte that gets the file refused.
class PointFileMaker {
public:
    explicit PointFileMaker(std::uint64_t seed)
        : texts_(seed), random_(seed ^ 0x9E3779B97F4A7C15u) {}

    std::string file() {
        std::string text;
        std::uint64_t const start = below(40);
        if (start < 10) {
            text += "\xEF\xBB\xBF";
        } else if (start == 10) {
            text += "\xEF\xBB";  // not a whole byte order mark: part of the first value
        }
        if (below(4) == 0) {
            text += separators();
        }
        // Whole points mostly; one or two values left over now and then.
        std::uint64_t const count = 3 * below(100) + (below(8) == 0 ? 1 + below(2) : 0);
        for (std::uint64_t i = 0; i < count; ++i) {
            text += value();
            // The last value runs into the end of the file now and then.
            if (i + 1 < count || below(4) != 0) {
                text += separators();
            }
        }
        return text;
    }

    std::uint64_t below(std::uint64_t bound) {
        return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(random_);
    }

private:
    std::string value() {
        std::uint64_t const kind = below(10000);
        if (kind < 7000) {
            return texts_.machineDecimal();
        }
        if (kind < 8000) {
            return texts_.longSignificand();
        }
        if (kind < 8500) {
            return texts_.nearTwoTo53();
        }
        if (kind < 9000) {
            return texts_.halfway();
        }
        if (kind < 9100) {
            return texts_.extreme();
        }
        if (kind < 9960) {
            // Long values, across blocks and chunks: leading zeros before a plain decimal.
            return std::string(below(200), '0') + texts_.machineDecimal().substr(1);
        }
        if (kind < 9975) {
            return texts_.oddForm();  // mostly refused
        }
        if (kind < 9985) {
            // Just over or just under the longest value.
            return std::string(tavrisk::kMaxPointValueLength - 3 + below(4), '0') + "1";
        }
        if (kind < 9995) {
            std::string text = texts_.machineDecimal();
            text[below(text.size())] = '\0';
            return text;
        }
        return below(2) == 0 ? "\v1" : "-inf";
    }

    std::string separators() {
        static char const* const kRuns[] = {" ", ",", "\t", "\n", "\r", "\r\n", ", ", "\n\r"};
        std::string run;
        // Now and then a long run, as blank lines or padding make: taken in groups of bytes.
        std::uint64_t const pieces =
            below(50) == 0 ? 5 + below(60) : 1 + (below(4) == 0 ? below(3) : 0);
        for (std::uint64_t n = pieces; n > 0; --n) {
            run += kRuns[below(sizeof kRuns / sizeof kRuns[0])];
        }
        return run;
    }

    tavrisk_test::TextMaker texts_;
    std::mt19937_64 random_;
};

struct Outcome {
    std::vector<Vector3> points;
    PointFileProblem problem;
    std::vector<bool> steps;  // what each scan returned, then what finish returned
};

// Runs a scanner over text cut at the given chunk lengths.
template <class Scan, class Finish>
void runChunks(std::string const& text, std::vector<std::size_t> const& cuts, Outcome& out,
               Scan scan, Finish finish) {
    std::size_t at = 0;
    for (std::size_t length : cuts) {
        bool const ok = scan(text.data() + at, length);
        out.steps.push_back(ok);
        if (!ok) {
            return;
        }
        at += length;
    }
    out.steps.push_back(finish());
}

// Random cuts: single bytes, short runs that land inside values, or whole chunks.
std::vector<std::size_t> cutsFor(std::size_t size, PointFileMaker& maker) {
    std::uint64_t const longest = maker.below(3) == 0   ? 1
                                  : maker.below(2) == 0 ? 1 + maker.below(300)
                                                        : PointScanner::kChunkSize;
    std::vector<std::size_t> cuts;
    for (std::size_t left = size; left > 0;) {
        std::size_t const length =
            std::min<std::size_t>(left, longest == 1 ? 1 : 1 + maker.below(longest));
        cuts.push_back(length);
        left -= length;
    }
    return cuts;
}

void expectSameOutcome(Outcome const& got, Outcome const& want, std::string const& label) {
    ASSERT_EQ(got.steps, want.steps) << label;
    ASSERT_EQ(got.points.size(), want.points.size()) << label;
    for (std::size_t i = 0; i < 3 * got.points.size(); ++i) {
        ASSERT_EQ(bitsOf(got.points[i / 3][i % 3]), bitsOf(want.points[i / 3][i % 3]))
            << label << " value " << i;
    }
    EXPECT_EQ(got.problem.kind, want.problem.kind) << label;
    EXPECT_EQ(got.problem.line, want.problem.line) << label;
    EXPECT_EQ(got.problem.value, want.problem.value) << label;
    EXPECT_EQ(got.problem.valueCut, want.problem.valueCut) << label;
}

// Runs the literal and the block scanner over text cut at cuts and compares what they give; want
// keeps the literal outcome.
void compareScanners(std::string const& text, std::vector<std::size_t> const& cuts,
                     std::string const& label, Outcome& want) {
    static tavrisk::platform::CNumberReader const number;
    ASSERT_TRUE(number.valid());
    tavrisk_test::LiteralPointScanner literal(want.points, want.problem);
    runChunks(
        text, cuts, want, [&](char const* bytes, std::size_t n) { return literal.scan(bytes, n); },
        [&] { return literal.finish(); });

    Outcome got;
    PointScanner scanner(number, got.points, got.problem, text.size());
    runChunks(
        text, cuts, got,
        [&](char const* bytes, std::size_t n) {
            std::memcpy(scanner.chunk(), bytes, n);
            return scanner.scan(n);
        },
        [&] { return scanner.finish(); });

    expectSameOutcome(got, want, label);
}

}  // namespace

TEST(PointScanner, ByteClassesMatchTheByteByByteForm) {
    std::mt19937_64 random(0xB10C5);
    char const alphabet[] = " ,\t\n\r0123456789.-+eE\v\f\0x\xEF\xBB\xBF\x80\xFF";
    char group[16];
    for (int i = 0; i < 100000; ++i) {
        for (char& c : group) {
            c = alphabet[random() % (sizeof alphabet - 1)];
        }
        tavrisk::ByteClasses const fast = tavrisk::classify16(group);
        tavrisk::ByteClasses const portable = tavrisk::classify16Portably(group);
        ASSERT_EQ(fast.separators, portable.separators);
        ASSERT_EQ(fast.lineFeeds, portable.lineFeeds);
        ASSERT_EQ(fast.carriageReturns, portable.carriageReturns);
    }
}

TEST(PointScanner, AgreesWithTheLiteralScannerOnRandomFilesAndChunks) {
    PointFileMaker maker(0x5CA77E12u);
    std::size_t values = 0;
    std::size_t refused = 0;
    for (int file = 0; file < 3000; ++file) {
        std::string const text = maker.file();
        std::vector<std::size_t> const cuts = cutsFor(text.size(), maker);
        std::string const label = "file " + std::to_string(file) + ": '" + text.substr(0, 60) + "'";

        Outcome want;
        compareScanners(text, cuts, label, want);
        if (HasFatalFailure()) {
            return;
        }
        values += 3 * want.points.size();
        refused += want.steps.back() ? 0 : 1;
    }
    // Both outcomes must be common for the comparison to mean anything.
    EXPECT_GT(values, 100000u);
    EXPECT_GT(refused, 300u);
    EXPECT_LT(refused, 2700u);
}

TEST(PointScanner, AgreesWithTheLiteralScannerAtEveryCutOfTrickyFiles) {
    std::string const bom = "\xEF\xBB\xBF";
    std::string const tricky[] = {
        bom + "1 2 3\r\n4,5,6\r\r7 8 9",
        "1 2 3\n" + bom + "4 5 6\n",
        "\r\n\n\r1.5\t-2.25e1\r\n\r\n.5 5. +7\n\r1",
        std::string("1 2 3\n4 5") + '\0' + "6\n",
        "1e999 2 3\n",
        "1 2 3\r\n\r4 5 6 7\r\n\r\n",
        "1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\n\n\n\r\r\r\r\r2\n\n\n\n\n\n\n\n\n\n\n\n"
        "\n\n\n\n\n\n\n3",
        "1 2 3" + std::string(40, ' ') + "\r" + std::string(40, '\n') + "x",
    };
    for (std::string const& text : tricky) {
        // Two chunks cut anywhere, and every byte a chunk of its own.
        std::vector<std::vector<std::size_t>> cuttings;
        for (std::size_t at = 1; at < text.size(); ++at) {
            cuttings.push_back({at, text.size() - at});
        }
        cuttings.emplace_back(text.size(), 1);
        for (std::vector<std::size_t> const& cuts : cuttings) {
            Outcome want;
            compareScanners(text, cuts, "'" + text + "' cut at " + std::to_string(cuts[0]), want);
        }
    }
}

TEST(PointScanner, SizesTheListFromTheFile) {
    // Lines of one length, then lines of another: the list is sized once the first 64 KiB show
    // the density, never beyond what the file could hold (six bytes a point at the least), and
    // grows only when the density turns out higher.
    struct Case {
        char const* name;
        std::string firstLine, laterLine;
        bool grows;  // the list must grow after it was sized
        bool tight;  // sized within 30 % of the points
    } const cases[] = {
        {"uniform", "-12.345678,45.678901,-0.012345\n", "-12.345678,45.678901,-0.012345\n", false,
         true},
        {"dense then sparse", "1,2,3\n", "-12345.678901234,45678.901234567,-0.012345678901\n",
         false, false},
        {"sparse then dense", "-12345.678901234,45678.901234567,-0.012345678901\n", "1,2,3\n", true,
         false},
    };
    tavrisk::platform::CNumberReader const number;
    for (Case const& c : cases) {
        std::string text;
        for (int i = 0; i < 5000; ++i) {
            text += c.firstLine;
        }
        while (text.size() < 2 * 1024 * 1024) {
            text += c.laterLine;
        }
        std::vector<Vector3> points;
        PointFileProblem problem;
        PointScanner scanner(number, points, problem, text.size());
        Vector3 const* sizedList = nullptr;
        bool regrown = false;
        for (std::size_t at = 0; at < text.size(); at += PointScanner::kChunkSize) {
            std::size_t const n = std::min(PointScanner::kChunkSize, text.size() - at);
            std::memcpy(scanner.chunk(), text.data() + at, n);
            ASSERT_TRUE(scanner.scan(n)) << c.name;
            // The list after the first chunk is the one sized from the density.
            if (at == 0) {
                sizedList = points.data();
            }
            regrown = regrown || (sizedList != nullptr && points.data() != sizedList);
        }
        ASSERT_TRUE(scanner.finish()) << c.name;
        EXPECT_EQ(regrown, c.grows) << c.name;
        EXPECT_LE(points.capacity(), text.size() / 6 + 1) << c.name;
        if (c.tight) {
            EXPECT_LE(points.capacity(), points.size() * 13 / 10) << c.name;
        }
    }
}
