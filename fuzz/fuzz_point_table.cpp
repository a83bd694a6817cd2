// SPDX-License-Identifier: MIT
// The point table reader of the second library: the bytes are read from memory as text, with the
// default options and with options the first byte chooses, and once more as whatever format they
// look like. Every reading answers with a well-formed problem record; the same bytes given in
// pieces read the same; and a table the defaults read as three values a line, without header or
// semicolon, gives the points the first library's literal scanner gives.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "pointtext/point_table.h"
#include "support/literal_point_scanner.h"
#include "tavrisk_inspect.h"

namespace {

struct Reading {
    int status;
    tvi_problem problem;
    std::vector<gte_point> points;
    tvi_points record;
};

Reading readMemory(std::string const& text, tvi_read_options const* options) {
    Reading out;
    tvi_points* block = nullptr;
    out.status = tvi_read_points_memory(text.data(), text.size(), options, &block, &out.problem);
    std::memset(&out.record, 0, sizeof out.record);
    if (out.status == TVI_OK) {
        out.record = *block;
        out.points.assign(block->points, block->points + block->count);
        tvi_free_points(block);
    }
    return out;
}

bool printable(char const* text, std::size_t room) {
    std::size_t const length = strnlen(text, room);
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < 0x20 || text[i] > 0x7E) {
            return false;
        }
    }
    return length < room;
}

// The record answers for its status: a kind, printable text and message, and for a reading its
// points, finite, from columns the lines hold.
void checkRecord(Reading const& r) {
    fuzz::require(r.status == TVI_OK || r.status == TVI_REFUSED, "point table", "status");
    fuzz::require((r.status == TVI_OK) == (r.problem.kind == TVI_PROBLEM_NONE), "point table",
                  "a kind for every refusal and none for a reading");
    fuzz::require(std::strcmp(tvi_problem_kind_name(r.problem.kind), "unknown") != 0, "point table",
                  "a kind the header names");
    fuzz::require(printable(r.problem.text, sizeof r.problem.text) &&
                      printable(r.problem.message, sizeof r.problem.message),
                  "point table", "a text or message that is not printable or not ended");
    fuzz::require((r.status == TVI_OK) == (r.problem.message[0] == '\0'), "point table",
                  "a message for every refusal");
    if (r.status != TVI_OK) {
        return;
    }
    fuzz::require(!r.points.empty() && r.record.count == r.points.size(), "point table",
                  "a reading without points");
    for (gte_point const& p : r.points) {
        fuzz::require(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z), "point table",
                      "a coordinate that is not finite");
    }
    if (r.record.format == TVI_FORMAT_TEXT) {
        for (std::size_t column : r.record.column) {
            fuzz::require(column >= 1 && column <= r.record.values_per_line, "point table",
                          "a column beyond the values of a line");
        }
    }
}

// Options from one byte: how commas read, a comment character, and now and then columns.
tvi_read_options optionsOf(std::uint8_t byte) {
    tvi_read_options options;
    tvi_init_read_options(&options);
    options.format = TVI_FORMAT_TEXT;
    options.decimal_comma = byte % 3;
    options.comment = (byte >> 2) % 2 == 0 ? 0 : '#';
    switch ((byte >> 3) % 4) {
        case 1:
            options.column_index[0] = 1 + (byte >> 5) % 2;
            options.column_index[1] = 3 + (byte >> 6) % 2;
            options.column_index[2] = 5;
            break;
        case 2:
            options.column_name[0] = "x";
            options.column_name[1] = "Y";
            options.column_name[2] = "z";
            break;
        default:
            break;
    }
    return options;
}

// The reader's answer for the bytes given in the pieces the cuts make.
tavrisk::TableProblem readInPieces(std::string const& text, std::vector<std::size_t> const& cuts,
                                   std::vector<gte::Vector3>& points) {
    tavrisk::platform::CNumberReader const number;
    tavrisk::PointTableOptions const options;
    tavrisk::TableProblem problem;
    tavrisk::PointTableReader reader(number, options, points, problem, text.size());
    std::size_t at = 0;
    bool read = true;
    for (std::size_t cut : cuts) {
        read = reader.feed(text.data() + at, cut - at);
        at = cut;
        if (!read) {
            break;
        }
    }
    read = read && reader.feed(text.data() + at, text.size() - at) && reader.finish();
    return problem;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string const text(reinterpret_cast<char const*>(data) + 1, size - 1);
    checkRecord(readMemory(text, nullptr));
    tvi_read_options const asText = optionsOf(0);
    Reading const plain = readMemory(text, &asText);
    checkRecord(plain);
    tvi_read_options const chosen = optionsOf(data[0]);
    checkRecord(readMemory(text, &chosen));

    // In pieces cut where the first byte's bits say.
    std::vector<std::size_t> cuts;
    for (std::size_t at = 1 + data[0] % 7; at < text.size(); at += 1 + (at * data[0]) % 13) {
        cuts.push_back(at);
    }
    std::vector<gte::Vector3> pieces;
    tavrisk::TableProblem const problem = readInPieces(text, cuts, pieces);
    fuzz::require((problem.kind == tavrisk::TableProblemKind::none) == (plain.status == TVI_OK) &&
                      problem.line == plain.problem.line,
                  "point table", "the pieces give another answer");
    fuzz::require(plain.status != TVI_OK || (pieces.size() == plain.points.size() &&
                                             std::memcmp(pieces.data(), plain.points.data(),
                                                         pieces.size() * sizeof(gte_point)) == 0),
                  "point table", "the pieces read other points");

    // Three values a line, no header and no semicolon: the first library's reading.
    if (plain.status == TVI_OK && plain.record.values_per_line == 3 &&
        plain.record.header_line == 0 && text.find(';') == std::string::npos) {
        std::vector<gte::Vector3> literal;
        tavrisk::PointFileProblem literalProblem;
        tavrisk_test::LiteralPointScanner scanner(literal, literalProblem);
        bool const accepted = scanner.scan(text.data(), text.size()) && scanner.finish();
        fuzz::require(accepted && literal.size() == plain.points.size() &&
                          std::memcmp(literal.data(), plain.points.data(),
                                      literal.size() * sizeof(gte_point)) == 0,
                      "point table", "three values a line read otherwise than the first library");
    }
    return 0;
}
