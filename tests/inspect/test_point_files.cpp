// SPDX-License-Identifier: MIT
// Reading point files through the second library's C interface (python/tests/test_files.py reads
// the layouts instruments write): files that cannot be opened; progress and stopping; the
// options record, the problem record and the block of points as a host meets them.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "formats/point_formats.h"
#include "support/point_format_files.h"
#include "support/scratch_files.h"
#include "support/test_util.h"
#include "tavrisk_inspect.h"

using gte::Vector3;

namespace {

// A reading through the interface: its status, the problem record and the points, copied.
struct Outcome {
    int status = -1;
    tvi_problem problem;
    std::vector<Vector3> points;
    std::vector<std::string> names;
    tvi_points record;  // the block's fields; its pointers dangle once the block is freed
};

Outcome outcomeOf(int status, tvi_points* block, tvi_problem const& problem) {
    Outcome out;
    out.status = status;
    out.problem = problem;
    std::memset(&out.record, 0, sizeof out.record);
    if (status == TVI_OK) {
        out.record = *block;
        for (std::size_t i = 0; i < block->count; ++i) {
            out.points.emplace_back(block->points[i].x, block->points[i].y, block->points[i].z);
        }
        for (std::size_t i = 0; i < block->name_count; ++i) {
            out.names.emplace_back(block->names[i]);
        }
        tvi_free_points(block);
    }
    return out;
}

Outcome readMemory(std::string const& text, tvi_read_options const* options = nullptr) {
    tvi_points* block = nullptr;
    tvi_problem problem;
    int const status = tvi_read_points_memory(text.data(), text.size(), options, &block, &problem);
    return outcomeOf(status, block, problem);
}

Outcome readFile(std::string const& path, tvi_read_options const* options = nullptr) {
    tvi_points* block = nullptr;
    tvi_problem problem;
    int const status = tvi_read_points_file(path.c_str(), options, &block, &problem);
    return outcomeOf(status, block, problem);
}

tvi_read_options defaults() {
    tvi_read_options options;
    EXPECT_EQ(tvi_init_read_options(&options), TVI_OK);
    return options;
}

}  // namespace

TEST(PointFiles, GiveThePlainFileItsPointsAndRefuseFilesThatDoNotOpen) {
    tavrisk_test::ScratchDirectory const scratch;
    std::string const dir = tavrisk_test::narrowPath(scratch.path());
    std::string const text = "X Y Z NX\r\n1.5 -2 3e2 0\r\n4 5 6 1\r\n";
    tvi_read_options named = defaults();
    named.column_name[0] = "X";
    named.column_name[1] = "Y";
    named.column_name[2] = "Z";
    std::string const path = scratch.write("points.txt", text);
    Outcome const fromFile = readFile(path, &named);
    Outcome const fromMemory = readMemory(text, &named);
    for (Outcome const* got : {&fromFile, &fromMemory}) {
        EXPECT_EQ(got->status, TVI_OK);
        EXPECT_EQ(got->problem.kind, TVI_PROBLEM_NONE);
        EXPECT_EQ(got->problem.offset, TVI_NO_OFFSET);
        EXPECT_EQ(got->problem.message[0], '\0');
        EXPECT_TRUE(tavrisk_test::samePointBits(got->points, {{1.5, -2, 300}, {4, 5, 6}}));
        EXPECT_EQ(got->names, (std::vector<std::string>{"X", "Y", "Z", "NX"}));
        tvi_points const& r = got->record;
        EXPECT_EQ(r.size, sizeof(tvi_points));
        EXPECT_EQ(r.format, TVI_FORMAT_TEXT);
        EXPECT_EQ(r.count, 2u);
        EXPECT_EQ(r.values_per_line, 4u);
        EXPECT_EQ(r.header_line, 1u);
        EXPECT_EQ(r.decimal_comma, 0);
        EXPECT_EQ(r.column[0] * 100 + r.column[1] * 10 + r.column[2], 123u);
    }

    std::string const held = scratch.write("held.txt", "1 2 3\n");
    tavrisk_test::HeldFile const holder(held, tavrisk_test::Hold::exclusive);
    ASSERT_TRUE(holder.held());
    struct Case {
        std::string path;
        int kind;
    } const cases[] = {
        {dir + "/absent.txt", TVI_PROBLEM_MISSING},
        {dir, TVI_PROBLEM_NOT_REGULAR_FILE},
        {tavrisk_test::notRegularFile(scratch.path()), TVI_PROBLEM_NOT_REGULAR_FILE},
        {scratch.write("empty.txt", ""), TVI_PROBLEM_EMPTY},
        {held, TVI_PROBLEM_LOCKED},
        {scratch.write("values.txt", "1 2 3\n4 5\n"), TVI_PROBLEM_VALUE_COUNT},
    };
    for (Case const& c : cases) {
        tvi_points* block = tavrisk_test::poisoned<tvi_points*>();
        tvi_problem problem = tavrisk_test::poisoned<tvi_problem>();
        EXPECT_EQ(tvi_read_points_file(c.path.c_str(), nullptr, &block, &problem), TVI_REFUSED)
            << c.path;
        EXPECT_TRUE(tavrisk_test::untouched(block)) << c.path;
        EXPECT_EQ(problem.kind, c.kind) << c.path;
        EXPECT_NE(problem.message[0], '\0') << c.path;
        EXPECT_EQ(problem.format,
                  c.kind == TVI_PROBLEM_VALUE_COUNT ? TVI_FORMAT_TEXT : TVI_FORMAT_AUTO)
            << c.path;
        // Every field is written: no byte of the poison is left.
        EXPECT_EQ(problem.text_cut, 0) << c.path;
        EXPECT_EQ(problem.element, 0u) << c.path;
    }
    // No path is no file; the problem record may be left out.
    tvi_points* block = nullptr;
    EXPECT_EQ(tvi_read_points_file(nullptr, nullptr, &block, nullptr), TVI_REFUSED);
    EXPECT_EQ(block, nullptr);
}

namespace {

struct Progress {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    std::size_t stopAt = 0;  // the call that asks to stop; 0: none does

    static int TAVRISK_CALL note(std::uint64_t done, std::uint64_t total, void* context) {
        Progress& progress = *static_cast<Progress*>(context);
        progress.calls.emplace_back(done, total);
        return progress.calls.size() == progress.stopAt ? 1 : 0;
    }
};

}  // namespace

TEST(PointFiles, ReportProgressAndStopWhenAsked) {
    tavrisk_test::ScratchDirectory const scratch;
    std::string text;
    for (int i = 0; text.size() < (std::size_t(9) << 19); ++i) {
        text += std::to_string(i) + ".125 -" + std::to_string(i % 977) + ".5 0.001\n";
    }
    std::string const path = scratch.write("big.txt", text);
    for (std::size_t stopAt : {std::size_t(0), std::size_t(1)}) {
        Progress progress;
        progress.stopAt = stopAt;
        tvi_read_options options = defaults();
        options.progress = &Progress::note;
        options.progress_context = &progress;
        Outcome const got = readFile(path, &options);
        EXPECT_EQ(got.status, stopAt == 0 ? TVI_OK : TVI_CANCELLED);
        EXPECT_EQ(got.problem.kind, stopAt == 0 ? TVI_PROBLEM_NONE : TVI_PROBLEM_CANCELLED);
        // Steps of 4 MiB at least, of the file's size, the last at its end; none after a stop.
        ASSERT_EQ(progress.calls.size(), stopAt == 0 ? 2u : 1u);
        std::uint64_t before = 0;
        for (auto const& call : progress.calls) {
            EXPECT_EQ(call.second, text.size());
            EXPECT_TRUE(call.first == call.second || call.first - before >= (4u << 20));
            before = call.first;
        }
        EXPECT_EQ(before == text.size(), stopAt == 0);
        if (stopAt == 0) {
            EXPECT_EQ(got.points.size(), readMemory(text).points.size());
        }
    }
}

TEST(PointFiles, CheckTheOptionsAndTheArguments) {
    struct Case {
        char const* what;
        void (*change)(tvi_read_options&);
    } const cases[] = {
        {"size too small", [](tvi_read_options& o) { o.size -= 1; }},
        {"size too large", [](tvi_read_options& o) { o.size += 8; }},
        {"format", [](tvi_read_options& o) { o.format = TVI_FORMAT_GZIP; }},
        {"decimal_comma", [](tvi_read_options& o) { o.decimal_comma = 3; }},
        {"comment digit", [](tvi_read_options& o) { o.comment = '7'; }},
        {"comment comma", [](tvi_read_options& o) { o.comment = ','; }},
        {"comment space", [](tvi_read_options& o) { o.comment = ' '; }},
        {"two columns only",
         [](tvi_read_options& o) {
             o.column_index[0] = 1;
             o.column_name[1] = "y";
         }},
        {"index and name",
         [](tvi_read_options& o) {
             o.column_index[0] = o.column_index[1] = o.column_index[2] = 1;
             o.column_name[0] = "x";
         }},
        {"one column twice",
         [](tvi_read_options& o) {
             o.column_index[0] = 2;
             o.column_index[1] = 1;
             o.column_index[2] = 2;
         }},
    };
    for (Case const& c : cases) {
        tvi_read_options options = defaults();
        c.change(options);
        tvi_points* block = tavrisk_test::poisoned<tvi_points*>();
        tvi_problem problem;
        EXPECT_EQ(tvi_read_points_memory("1 2 3", 5, &options, &block, &problem), TVI_BAD_ARGUMENT)
            << c.what;
        EXPECT_TRUE(tavrisk_test::untouched(block)) << c.what;
        EXPECT_EQ(problem.kind, TVI_PROBLEM_BAD_OPTION) << c.what;
        EXPECT_NE(problem.message[0], '\0') << c.what;
    }
    // The defaults, given or not, and every character a comment line may start with.
    tvi_read_options options = defaults();
    EXPECT_EQ(options.size, sizeof options);
    EXPECT_EQ(readMemory("1 2 3", &options).status, TVI_OK);
    options.comment = '%';
    EXPECT_EQ(readMemory("% c\n1 2 3", &options).status, TVI_OK);
    EXPECT_EQ(tvi_init_read_options(nullptr), TVI_BAD_ARGUMENT);

    tvi_problem problem;
    EXPECT_EQ(tvi_read_points_memory("1 2 3", 5, nullptr, nullptr, &problem), TVI_BAD_ARGUMENT);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
    tvi_points* block = nullptr;
    EXPECT_EQ(tvi_read_points_memory(nullptr, 5, nullptr, &block, &problem), TVI_BAD_ARGUMENT);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
    EXPECT_EQ(tvi_read_points_memory(nullptr, 0, nullptr, &block, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_EMPTY);
    EXPECT_EQ(block, nullptr);
    tvi_free_points(nullptr);
}

TEST(PointFiles, ShowTheOffendingTextPrintableAndCut) {
    struct Case {
        std::string text;
        char const* shown;
        int cut;
        char const* message;
    } const cases[] = {
        {"1 2 x\x01\xE9y\n", "x\\x01\\xE9y", 0, "line 1, value 3 is not a number: 'x\\x01\\xE9y'"},
        // 40 characters, an escape never split, and the cut said.
        {"1 2 " + std::string(38, 'a') + "\x7F" + "b\n", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
         1, nullptr},
        {"1 2 " + std::string(2000, '7'), "7777777777777777777777777777777777777777", 1, nullptr},
    };
    // Control bytes would make the data binary: it is read as text by name.
    tvi_read_options text = defaults();
    text.format = TVI_FORMAT_TEXT;
    for (Case const& c : cases) {
        Outcome const got = readMemory(c.text, &text);
        EXPECT_STREQ(got.problem.text, c.shown);
        EXPECT_EQ(got.problem.text_cut, c.cut);
        if (c.message != nullptr) {
            EXPECT_STREQ(got.problem.message, c.message);
        }
    }
    // A message too long for its room is cut at a word.
    std::string header;
    for (int i = 0; i < 60; ++i) header += "column_number_" + std::to_string(i) + " ";
    std::string line;
    for (int i = 0; i < 60; ++i) line += "1 ";
    Outcome const got = readMemory(header + "\n" + line + "\n");
    EXPECT_EQ(got.problem.kind, TVI_PROBLEM_COLUMNS_NEEDED);
    std::string const message = got.problem.message;
    EXPECT_EQ(message.rfind("line 2 holds 60 values: name the columns of x, y and z", 0), 0u);
    EXPECT_EQ(message.substr(message.size() - 3), "...");
    EXPECT_LT(message.size(), std::size_t(TVI_PROBLEM_MESSAGE_SIZE));
}

TEST(PointFiles, NameEveryKindAndFormat) {
    std::set<std::string> names;
    for (int kind = TVI_PROBLEM_NONE; kind <= TVI_PROBLEM_NO_UNIQUE_FIT; ++kind) {
        names.insert(tvi_problem_kind_name(kind));
    }
    EXPECT_EQ(names.size(), std::size_t(TVI_PROBLEM_NO_UNIQUE_FIT + 1));
    EXPECT_EQ(names.count("unknown"), 0u);
    EXPECT_STREQ(tvi_problem_kind_name(TVI_PROBLEM_AMBIGUOUS_COMMA), "ambiguous_comma");
    EXPECT_STREQ(tvi_problem_kind_name(-1), "unknown");
    EXPECT_STREQ(tvi_problem_kind_name(TVI_PROBLEM_NO_UNIQUE_FIT + 1), "unknown");
    EXPECT_STREQ(tvi_format_name(TVI_FORMAT_PLY), "PLY");
    EXPECT_STREQ(tvi_format_name(TVI_FORMAT_BINARY + 1), "unknown");
}

TEST(PointFiles, ReadEveryFormatByItsReaderOrNameIt) {
    using tavrisk_test::bytesOf;
    std::vector<Vector3> const corners = {{1.5, -2, 3}, {4, 5, 6.25}, {-7, 8, 9}};
    std::vector<tavrisk_test::Triangle> const triangles = {{{corners[0], corners[1], corners[2]}},
                                                           {{corners[2], corners[1], corners[0]}}};
    std::string const ply = tavrisk_test::plyFile(
        "binary_big_endian", {{"vertex",
                               {{"double", "x"}, {"double", "y"}, {"double", "z"}},
                               {{1.5, -2, 3}, {4, 5, 6}}}});
    std::string const pcd = tavrisk_test::pcdFile(
        "ascii", {{"x", 'F', 8}, {"y", 'F', 8}, {"z", 'F', 8}}, {{1.5, -2, 3}, {4, 5, 6.25}});
    std::string const las = tavrisk_test::lasFile({}, {{1, 2, 3}, {-4, 0, 8}});
    std::string laz = las;
    laz[104] = static_cast<char>(laz[104] | 0x80);
    // A binary STL larger than the first piece read of a file, whose free header starts as an
    // ascii STL does: told by its size once it is read whole.
    std::vector<tavrisk_test::Triangle> many;
    for (int i = 0; i < 8000; ++i) {
        many.push_back({{Vector3(i, 0, 0), Vector3(i, 1, 0), Vector3(i, 0, 1)}});
    }
    std::string const bigStl = tavrisk_test::stlBinary(many, "solid made by a CAD program");
    using Reader =
        bool (*)(unsigned char const*, std::size_t, std::vector<Vector3>&, tavrisk::FormatProblem&);
    struct Case {
        char const* what;
        std::string bytes;
        int format;     // the format reported, read or refused
        int kind;       // TVI_PROBLEM_NONE when read
        Reader reader;  // the reader whose points the reading gives
    } const cases[] = {
        {"PLY", ply, TVI_FORMAT_PLY, TVI_PROBLEM_NONE, tavrisk::readPly},
        {"PCD", pcd, TVI_FORMAT_PCD, TVI_PROBLEM_NONE, tavrisk::readPcd},
        {"LAS", las, TVI_FORMAT_LAS, TVI_PROBLEM_NONE, tavrisk::readLas},
        {"STL ascii", tavrisk_test::stlText(triangles), TVI_FORMAT_STL, TVI_PROBLEM_NONE,
         tavrisk::readStl},
        {"STL binary", bigStl, TVI_FORMAT_STL, TVI_PROBLEM_NONE, tavrisk::readStl},
        {"PLY that lies", tavrisk_test::replaced(ply, "element vertex 2", "element vertex 3"),
         TVI_FORMAT_PLY, TVI_PROBLEM_TRUNCATED, nullptr},
        {"PCD binary_compressed",
         tavrisk_test::pcdFile("binary_compressed", {{"x", 'F', 4}, {"y", 'F', 4}, {"z", 'F', 4}},
                               {}),
         TVI_FORMAT_PCD, TVI_PROBLEM_UNREAD_FORMAT, nullptr},
        {"LAZ", laz, TVI_FORMAT_LAZ, TVI_PROBLEM_UNREAD_FORMAT, nullptr},
        {"gzip", std::string("\x1F\x8B\x08\0\0\0\0\0", 8), TVI_FORMAT_GZIP,
         TVI_PROBLEM_UNREAD_FORMAT, nullptr},
        {"zip", std::string("PK\x03\x04\x14\0", 6), TVI_FORMAT_ZIP, TVI_PROBLEM_UNREAD_FORMAT,
         nullptr},
        {"E57", "ASTM-E57" + std::string(40, '\0'), TVI_FORMAT_E57, TVI_PROBLEM_UNREAD_FORMAT,
         nullptr},
        // Hex escapes for digits after a NUL, which would otherwise read as an octal escape.
        {"UTF-16", std::string("\xFF\xFE\x31\0 \0\x32\0", 8), TVI_FORMAT_UTF16,
         TVI_PROBLEM_UNREAD_FORMAT, nullptr},
        {"UTF-32", std::string("\0\0\xFE\xFF\0\0\0\x31", 8), TVI_FORMAT_UTF32,
         TVI_PROBLEM_UNREAD_FORMAT, nullptr},
        {"binary", std::string("\x01\x02\x03 1 2 3\n"), TVI_FORMAT_BINARY,
         TVI_PROBLEM_UNREAD_FORMAT, nullptr},
    };
    tavrisk_test::ScratchDirectory const scratch;
    for (Case const& c : cases) {
        std::vector<Vector3> want;
        tavrisk::FormatProblem ignored;
        ASSERT_TRUE(c.reader == nullptr ||
                    c.reader(bytesOf(c.bytes), c.bytes.size(), want, ignored))
            << c.what;
        Outcome const fromMemory = readMemory(c.bytes);
        Outcome const fromFile = readFile(scratch.write(c.what, c.bytes));
        for (Outcome const* got : {&fromMemory, &fromFile}) {
            EXPECT_EQ(got->problem.kind, c.kind) << c.what << ": " << got->problem.message;
            EXPECT_EQ(got->status, c.kind == TVI_PROBLEM_NONE ? TVI_OK : TVI_REFUSED) << c.what;
            EXPECT_EQ(got->status == TVI_OK ? got->record.format : got->problem.format, c.format)
                << c.what;
            EXPECT_TRUE(tavrisk_test::samePointBits(got->points, want)) << c.what;
            EXPECT_EQ(got->record.name_count + got->record.values_per_line, 0u) << c.what;
        }
        EXPECT_STREQ(fromMemory.problem.message, fromFile.problem.message) << c.what;
    }
    EXPECT_EQ(readMemory(ply).points.size(), 2u);
    EXPECT_EQ(readMemory(bigStl).points.size(), 3 * many.size());
}
