// SPDX-License-Identifier: MIT
#include "pointtext/point_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <utility>

#include "pointtext/decimal_conversion.h"
#include "pointtext/point_file_problem.h"

namespace tavrisk {

namespace {

using Kind = TableProblemKind;

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkLength = 3;

// The list grows the usual way until this many bytes have shown how densely the data holds its
// points; it is then sized for the whole data at that density with a margin, as the point file
// reader sizes its list, so that a large file is not copied at every doubling.
constexpr std::uint64_t kDensitySampleBytes = 64 * 1024;
constexpr double kDensityMargin = 1.25;
// "1 2 3\n": no point takes fewer bytes.
constexpr std::uint64_t kFewestBytesPerPoint = 6;

// The bytes platform::readPlainDecimal looks at before and from the start of a value.
constexpr std::ptrdiff_t kPlainBefore = platform::kPlainDecimalReachBefore;
constexpr std::ptrdiff_t kPlainAfter = platform::kPlainDecimalReach;

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether c separates values: blanks and semicolons always, commas unless they are decimal.
constexpr bool separates(char c, bool commasSeparate) {
    return isBlank(c) || c == ';' || (commasSeparate && c == ',');
}

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Calls visit(begin, end, place) for each value of the line, place counting from 1, until it
// returns false. Returns the number of values visited.
template <class Visit>
std::size_t forEachValue(char const* begin, char const* end, bool commasSeparate, Visit&& visit) {
    std::size_t place = 0;
    char const* p = begin;
    for (;;) {
        while (p < end && separates(*p, commasSeparate)) {
            ++p;
        }
        if (p == end) {
            return place;
        }
        char const* const start = p;
        while (p < end && !separates(*p, commasSeparate)) {
            ++p;
        }
        ++place;
        if (!visit(start, p, place)) {
            return place;
        }
    }
}

std::size_t countValues(char const* begin, char const* end, bool commasSeparate) {
    return forEachValue(begin, end, commasSeparate,
                        [](char const*, char const*, std::size_t) { return true; });
}

// Whether text is a number as a decimal comma writes it: an optional sign, digits, one comma,
// digits and an optional exponent; no point.
bool looksLikeDecimalComma(char const* begin, char const* end) {
    char const* p = begin;
    auto digits = [&p, end] {
        char const* const start = p;
        while (p < end && isDigit(*p)) {
            ++p;
        }
        return p > start;
    };
    if (p < end && (*p == '+' || *p == '-')) {
        ++p;
    }
    if (!digits() || p == end || *p != ',') {
        return false;
    }
    ++p;
    if (!digits()) {
        return false;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) {
            ++p;
        }
        if (!digits()) {
            return false;
        }
    }
    return p == end;
}

// Whether some run of separators between two values holds no comma: blanks or semicolons alone
// separate values somewhere on the line.
bool separatedWithoutComma(char const* begin, char const* end) {
    char const* p = begin;
    while (p < end && separates(*p, true)) {
        ++p;
    }
    while (p < end) {
        while (p < end && !separates(*p, true)) {
            ++p;
        }
        bool comma = false;
        char const* const run = p;
        while (p < end && separates(*p, true)) {
            comma = comma || *p == ',';
            ++p;
        }
        if (p < end && p > run && !comma) {
            return true;
        }
    }
    return false;
}

// With commas separating, a line is ambiguous when one of its values, split at blanks and
// semicolons only, reads as a number with a decimal comma ("1,5") while blanks or semicolons
// alone separate values elsewhere on it ("1,5 2,5 3,5": three values or six?). Returns the first
// such value, split at blanks and semicolons, or an empty range at end.
std::pair<char const*, char const*> ambiguousComma(char const* begin, char const* end) {
    std::pair<char const*, char const*> const none(end, end);
    if (std::memchr(begin, ',', static_cast<std::size_t>(end - begin)) == nullptr ||
        !separatedWithoutComma(begin, end)) {
        return none;
    }
    std::pair<char const*, char const*> found = none;
    forEachValue(begin, end, false, [&found](char const* b, char const* e, std::size_t) {
        if (looksLikeDecimalComma(b, e)) {
            found = {b, e};
            return false;
        }
        return true;
    });
    return found;
}

// The names of a header line, split as values are, except that a name in double quotes runs to
// its closing quote, separators in it included ("X [mm]", "Y, corrected"), and is shown without
// the quotes a spreadsheet puts round it.
std::vector<std::string> headerNames(char const* begin, char const* end, bool commasSeparate) {
    std::vector<std::string> names;
    char const* p = begin;
    for (;;) {
        while (p < end && separates(*p, commasSeparate)) {
            ++p;
        }
        if (p == end) {
            return names;
        }
        char const* const start = p;
        if (*p == '"') {
            char const* const close = std::find(p + 1, end, '"');
            p = close == end ? end : close + 1;
        }
        while (p < end && !separates(*p, commasSeparate)) {
            ++p;
        }
        bool const quoted = p - start >= 2 && *start == '"' && p[-1] == '"';
        names.emplace_back(quoted ? start + 1 : start, quoted ? p - 1 : p);
    }
}

bool equalIgnoringCase(std::string const& a, std::string const& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
}

// The 1-based column the header names name, or 0 when no single one does: a name spelled alike,
// or else the one name equal to it but for ASCII case.
std::size_t columnNamed(std::vector<std::string> const& names, std::string const& name) {
    for (bool const exact : {true, false}) {
        std::size_t found = 0;
        std::size_t matches = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (exact ? names[i] == name : equalIgnoringCase(names[i], name)) {
                found = i + 1;
                ++matches;
            }
        }
        if (matches > 0) {
            return matches == 1 ? found : 0;
        }
    }
    return 0;
}

// The first line end (LF or CR) at or after p, or end. The next LF and the next CR found are
// kept between calls, so that a data of one kind of line end is searched once, not once a line.
class LineEnds {
public:
    explicit LineEnds(char const* end) : end_(end), lineFeed_(nullptr), carriageReturn_(nullptr) {}

    char const* after(char const* p) {
        return std::min(next(lineFeed_, '\n', p), next(carriageReturn_, '\r', p));
    }

private:
    char const* next(char const*& found, char c, char const* p) {
        if (found == nullptr || found < p) {
            void const* const at = std::memchr(p, c, static_cast<std::size_t>(end_ - p));
            found = at != nullptr ? static_cast<char const*>(at) : end_;
        }
        return found;
    }

    char const* end_;
    char const* lineFeed_;
    char const* carriageReturn_;
};

}  // namespace

PointTableReader::PointTableReader(platform::CNumberReader const& number,
                                   PointTableOptions const& options,
                                   std::vector<gte::Vector3>& points, TableProblem& problem,
                                   std::uint64_t sizeHint)
    : number_(number),
      exactDecimals_(number.exactDecimals()),
      options_(options),
      points_(points),
      problem_(problem),
      sizeHint_(sizeHint) {}

bool PointTableReader::feed(char const* data, std::size_t size) {
    char const* p = data;
    char const* const end = data + size;
    std::uint64_t const base = consumed_;
    consumed_ += size;
    if (afterCarriageReturn_ && p < end) {
        // A CR ended the data before; an LF here completes it.
        afterCarriageReturn_ = false;
        if (*p == '\n') {
            ++p;
            lineOffset_ = base + 1;
        }
    }
    LineEnds lineEnds(end);
    while (p < end) {
        char const* const lineEnd = lineEnds.after(p);
        if (lineEnd == end) {
            if (partial_.size() + static_cast<std::size_t>(end - p) > kMaxTableLineLength) {
                // The front of the line is all the refusal shows.
                partial_.append(p, std::min(end, p + TableProblem::kTextLimit));
                lineStart_ = lineText_ = partial_.data();
                lineEnd_ = partial_.data() + partial_.size();
                refuseLine(Kind::lineTooLong, 0);
                problem_.textCut = true;
                return false;
            }
            partial_.append(p, end);
            break;
        }
        bool taken;
        if (partial_.empty()) {
            readable_ = {data, end};
            taken = takeLine(p, lineEnd);
        } else {
            partial_.append(p, lineEnd);
            readable_ = {partial_.data(), partial_.data() + partial_.size()};
            taken = takeLine(readable_.first, readable_.second);
            partial_.clear();
        }
        if (!taken) {
            return false;
        }
        p = lineEnd + 1;
        if (*lineEnd == '\r') {
            if (p == end) {
                afterCarriageReturn_ = true;
            } else if (*p == '\n') {
                ++p;
            }
        }
        ++line_;
        lineOffset_ = base + static_cast<std::uint64_t>(p - data);
    }
    reserveByDensity();
    return true;
}

bool PointTableReader::finish() {
    if (!partial_.empty()) {
        std::string last;
        last.swap(partial_);
        readable_ = {last.data(), last.data() + last.size()};
        if (!takeLine(readable_.first, readable_.second)) {
            return false;
        }
    }
    if (points_.empty()) {
        problem_.kind = Kind::noPoint;
        return false;
    }
    return true;
}

void PointTableReader::reserveByDensity() {
    if (sizeHint_ == 0 || sized_ || consumed_ < kDensitySampleBytes || points_.empty()) {
        return;
    }
    sized_ = true;
    double const perByte = static_cast<double>(points_.size()) / static_cast<double>(consumed_);
    double const estimate = perByte * static_cast<double>(sizeHint_) * kDensityMargin;
    std::uint64_t const most = sizeHint_ / kFewestBytesPerPoint + 1;
    std::uint64_t const wanted =
        estimate < static_cast<double>(most) ? static_cast<std::uint64_t>(estimate) : most;
    if (wanted <= points_.size() || wanted > points_.max_size()) {
        return;
    }
    try {
        points_.reserve(static_cast<std::size_t>(wanted));
    } catch (std::exception const&) {
        // The estimate may ask for more than the points need: push_back grows by what it must.
    }
}

bool PointTableReader::takeLine(char const* begin, char const* end) {
    lineStart_ = begin;
    lineEnd_ = end;
    if (lineOffset_ == 0 && static_cast<std::size_t>(end - begin) >= kByteOrderMarkLength &&
        std::memcmp(begin, kByteOrderMark, kByteOrderMarkLength) == 0) {
        begin += kByteOrderMarkLength;
    }
    lineText_ = begin;
    if (static_cast<std::size_t>(end - lineStart_) > kMaxTableLineLength) {
        return refuseLine(Kind::lineTooLong, 0);
    }
    char const* first = begin;
    while (first < end && separates(*first, true)) {
        ++first;
    }
    if (first == end) {
        return true;  // a blank line
    }
    char const* firstCharacter = begin;
    while (isBlank(*firstCharacter)) {
        ++firstCharacter;
    }
    if (options_.comment != '\0' && *firstCharacter == options_.comment) {
        return true;
    }
    if (*firstCharacter == '#') {
        return refuseAt(Kind::commentLine, firstCharacter, end, 0);
    }
    switch (stage_) {
        case Stage::firstLine: {
            // Names only: no value, split at every separator, is a number.
            bool namesOnly = true;
            forEachValue(begin, end, true, [&](char const* b, char const* e, std::size_t) {
                std::size_t const length = static_cast<std::size_t>(e - b);
                namesOnly =
                    length > kMaxPointValueLength || number_.read(b, length).length != length;
                return namesOnly;
            });
            if (namesOnly) {
                header_.assign(begin, end);
                layout_.headerLine = line_;
                stage_ = Stage::afterHeader;
                return true;
            }
            return takeFirstDataLine(begin, end);
        }
        case Stage::afterHeader:
            return takeFirstDataLine(begin, end);
        case Stage::data:
            break;
    }
    return takeDataLine(begin, end);
}

// The first data line settles the layout: whether commas are decimal, the header's names, the
// count of values every data line holds and the columns of x, y and z.
bool PointTableReader::takeFirstDataLine(char const* begin, char const* end) {
    std::size_t const length = static_cast<std::size_t>(end - begin);
    commasDecimal_ = options_.decimalComma == DecimalComma::yes ||
                     (options_.decimalComma == DecimalComma::detect &&
                      std::memchr(begin, ';', length) != nullptr);
    layout_.decimalComma = commasDecimal_;
    firstDataLine_ = line_;
    std::size_t const count = countValues(begin, end, !commasDecimal_);
    if (layout_.headerLine != 0) {
        layout_.names =
            headerNames(header_.data(), header_.data() + header_.size(), !commasDecimal_);
        std::string().swap(header_);
    }
    // An ambiguous line is refused before its count, which depends on how it is read.
    bool const checkCommas = options_.decimalComma == DecimalComma::detect && !commasDecimal_;
    if (checkCommas) {
        auto const value = ambiguousComma(begin, end);
        if (value.first != end) {
            return refuseAt(Kind::ambiguousComma, value.first, value.second, 0);
        }
    }
    if (layout_.headerLine != 0 && layout_.names.size() != count) {
        problem_.expected = layout_.names.size();
        problem_.expectedLine = layout_.headerLine;
        problem_.expectedFromHeader = true;
        return refuseLine(Kind::valueCount, count);
    }
    if (!chooseColumns(count)) {
        return false;
    }
    layout_.valuesPerLine = count;
    stage_ = Stage::data;
    return takeDataLine(begin, end);
}

bool PointTableReader::chooseColumns(std::size_t count) {
    if (!options_.columnsNamed) {
        if (count == 3) {
            layout_.columns = {1, 2, 3};
            return true;
        }
        problem_.names = layout_.names;
        return refuseLine(count < 3 ? Kind::tooFewValues : Kind::columnsNeeded, count);
    }
    for (int axis = 0; axis < 3; ++axis) {
        std::size_t column = options_.columnIndex[axis];
        if (column == 0) {
            std::string const& name = options_.columnName[axis];
            problem_.text = name.substr(0, TableProblem::kTextLimit);
            problem_.textCut = name.size() > TableProblem::kTextLimit;
            if (layout_.headerLine == 0) {
                return refuseColumn(Kind::noHeader, axis, count);
            }
            column = columnNamed(layout_.names, name);
            if (column == 0) {
                return refuseColumn(Kind::noSuchColumn, axis, count);
            }
            problem_.text.clear();
            problem_.textCut = false;
        } else if (column > count) {
            refuseColumn(Kind::noSuchColumn, axis, count);
            problem_.column = column;
            return false;
        }
        layout_.columns[axis] = column;
    }
    for (int axis = 0; axis < 3; ++axis) {
        for (int other = axis + 1; other < 3; ++other) {
            if (layout_.columns[axis] == layout_.columns[other]) {
                problem_.otherAxis = other;
                return refuseColumn(Kind::duplicateColumn, axis, count);
            }
        }
    }
    return true;
}

bool PointTableReader::takeDataLine(char const* begin, char const* end) {
    // The values split as forEachValue splits them, noting on the way what the test for an
    // ambiguous line needs: that test runs only where a comma and a run of separators without
    // one share the line.
    bool const commasSeparate = !commasDecimal_;
    std::array<char const*, 3> valueBegin{};
    std::array<char const*, 3> valueEnd{};
    std::array<std::size_t, 3> const& columns = layout_.columns;
    std::size_t count = 0;
    bool comma = false;
    bool runWithoutComma = false;
    for (char const* p = begin;;) {
        bool commaInRun = false;
        while (p < end && separates(*p, commasSeparate)) {
            commaInRun = commaInRun || *p == ',';
            ++p;
        }
        if (p == end) {
            break;
        }
        runWithoutComma = runWithoutComma || (count > 0 && !commaInRun);
        comma = comma || commaInRun;
        char const* const start = p;
        while (p < end && !separates(*p, commasSeparate)) {
            ++p;
        }
        ++count;
        for (int axis = 0; axis < 3; ++axis) {
            if (count == columns[axis]) {
                valueBegin[axis] = start;
                valueEnd[axis] = p;
            }
        }
    }
    if (comma && runWithoutComma && options_.decimalComma == DecimalComma::detect) {
        auto const value = ambiguousComma(begin, end);
        if (value.first != end) {
            return refuseAt(Kind::ambiguousComma, value.first, value.second, 0);
        }
    }
    if (count != layout_.valuesPerLine) {
        problem_.expected = layout_.valuesPerLine;
        problem_.expectedFromHeader = layout_.headerLine != 0;
        problem_.expectedLine = problem_.expectedFromHeader ? layout_.headerLine : firstDataLine_;
        return refuseLine(Kind::valueCount, count);
    }
    gte::Vector3 point;
    for (int axis = 0; axis < 3; ++axis) {
        if (!readValue(valueBegin[axis], valueEnd[axis], columns[axis], point[axis])) {
            return false;
        }
    }
    points_.push_back(point);
    return true;
}

// Reads the value [begin, end) as the point file reader reads its values; a decimal comma first
// becomes a point. The byte at end must be readable, as the conversion looks at it.
bool PointTableReader::readValue(char const* begin, char const* end, std::size_t place,
                                 double& value) {
    std::size_t const length = static_cast<std::size_t>(end - begin);
    if (length > kMaxPointValueLength) {
        return refuseAt(Kind::valueTooLong, begin, end, place);
    }
    // The common value, a short plain decimal, is read in one look at the bytes around it where
    // they lie in the data given, as the first library's scanner reads it.
    if (exactDecimals_ && begin - readable_.first >= kPlainBefore &&
        readable_.second - begin >= kPlainAfter) {
        double plain = 0.0;
        if (platform::readPlainDecimal(begin, plain) == end) {
            value = plain;
            return true;
        }
    }
    platform::CNumber number;
    if (commasDecimal_ && std::memchr(begin, ',', length) != nullptr) {
        char withPoint[kMaxPointValueLength + 1];
        std::replace_copy(begin, end, withPoint, ',', '.');
        withPoint[length] = '\0';
        number = number_.read(withPoint, length);
    } else {
        number = number_.read(begin, length);
    }
    if (number.length != length) {
        return refuseAt(Kind::notANumber, begin, end, place);
    }
    if (!std::isfinite(number.value)) {
        return refuseAt(Kind::notFinite, begin, end, place);
    }
    value = number.value;
    return true;
}

// Refuses the text [begin, end) of the current line, the value at place (0: none).
bool PointTableReader::refuseAt(Kind kind, char const* begin, char const* end, std::size_t place) {
    std::size_t const length = static_cast<std::size_t>(end - begin);
    std::size_t const kept = std::min(length, TableProblem::kTextLimit);
    problem_.kind = kind;
    problem_.line = line_;
    problem_.column = place;
    problem_.offset = lineOffset_ + static_cast<std::uint64_t>(begin - lineStart_);
    problem_.text.assign(begin, kept);
    problem_.textCut = length > kept;
    return false;
}

// Refuses the current line as a whole, which holds count values; its start is the text shown.
bool PointTableReader::refuseLine(Kind kind, std::size_t count) {
    refuseAt(kind, lineText_, lineEnd_, 0);
    problem_.count = count;
    return false;
}

// Refuses the columns named for axis, on the first data line, which holds count values.
bool PointTableReader::refuseColumn(Kind kind, int axis, std::size_t count) {
    std::string const name = problem_.text;
    bool const cut = problem_.textCut;
    refuseLine(kind, count);
    problem_.axis = axis;
    problem_.names = layout_.names;
    problem_.text = name;
    problem_.textCut = cut;
    return false;
}

}  // namespace tavrisk
