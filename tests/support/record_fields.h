// SPDX-License-Identifier: MIT
// The name of every double in a record, so that a failed whole-record comparison says which
// field differs ("gte_dist_result.point2.y: 3 vs 4") rather than its position.
//
// Each record's table lists its members by name, with the offset and size the compiler gives
// them. Before a table is used, fieldsOf checks at compile time that its members follow one
// another from the first byte to the last: a member added to, removed from or moved in the
// header stops the tests from building until the table follows, so names cannot drift from the
// layout. A test may declare a table for a record of its own beside the record (the lookup
// goes by argument-dependent lookup on RecordTag).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_test {

template <class Record>
struct RecordTag {};

// The name of the index-th double within a member: "" for a double, "[k]" in an array,
// ".name..." in a record.
using InnerName = std::string (*)(std::size_t index);

struct Field {
    char const* name;
    std::size_t offset;
    std::size_t size;
    InnerName inner;
};

template <std::size_t N>
struct RecordTable {
    char const* recordName;
    std::array<Field, N> fields;
};

template <class... Fields>
constexpr RecordTable<sizeof...(Fields)> recordTable(char const* recordName, Fields... fields) {
    return {recordName, {{fields...}}};
}

template <class T>
std::string nameWithin(std::size_t index);

// One member of Record, named as the source spells it.
#define TAVRISK_TEST_FIELD(Record, member)                                              \
    ::tavrisk_test::Field {                                                             \
#member, offsetof(Record, member), sizeof(Record::member),                      \
            &::tavrisk_test::nameWithin < std::remove_cv_t < decltype(Record::member)>> \
    }

// The tables of the header's records and of the core's vectors.
constexpr auto recordFields(RecordTag<gte_point>) {
    using R = gte_point;
    return recordTable("gte_point", TAVRISK_TEST_FIELD(R, x), TAVRISK_TEST_FIELD(R, y),
                       TAVRISK_TEST_FIELD(R, z));
}
constexpr auto recordFields(RecordTag<gte_vector>) {
    using R = gte_vector;
    return recordTable("gte_vector", TAVRISK_TEST_FIELD(R, x), TAVRISK_TEST_FIELD(R, y),
                       TAVRISK_TEST_FIELD(R, z));
}
constexpr auto recordFields(RecordTag<gte_line>) {
    using R = gte_line;
    return recordTable("gte_line", TAVRISK_TEST_FIELD(R, pt), TAVRISK_TEST_FIELD(R, vector));
}
constexpr auto recordFields(RecordTag<gte_ray>) {
    using R = gte_ray;
    return recordTable("gte_ray", TAVRISK_TEST_FIELD(R, pt), TAVRISK_TEST_FIELD(R, vector));
}
constexpr auto recordFields(RecordTag<gte_lseg>) {
    using R = gte_lseg;
    return recordTable("gte_lseg", TAVRISK_TEST_FIELD(R, pt1), TAVRISK_TEST_FIELD(R, pt2));
}
constexpr auto recordFields(RecordTag<gte_circle>) {
    using R = gte_circle;
    return recordTable("gte_circle", TAVRISK_TEST_FIELD(R, center), TAVRISK_TEST_FIELD(R, radius),
                       TAVRISK_TEST_FIELD(R, vector));
}
constexpr auto recordFields(RecordTag<gte_plane>) {
    using R = gte_plane;
    return recordTable("gte_plane", TAVRISK_TEST_FIELD(R, pt1), TAVRISK_TEST_FIELD(R, pt2),
                       TAVRISK_TEST_FIELD(R, pt3), TAVRISK_TEST_FIELD(R, reserved1),
                       TAVRISK_TEST_FIELD(R, reserved2));
}
constexpr auto recordFields(RecordTag<gte_rect>) {
    using R = gte_rect;
    return recordTable("gte_rect", TAVRISK_TEST_FIELD(R, center), TAVRISK_TEST_FIELD(R, extent1),
                       TAVRISK_TEST_FIELD(R, extent2), TAVRISK_TEST_FIELD(R, reserved),
                       TAVRISK_TEST_FIELD(R, norVector), TAVRISK_TEST_FIELD(R, mainVector));
}
constexpr auto recordFields(RecordTag<gte_quad>) {
    using R = gte_quad;
    return recordTable("gte_quad", TAVRISK_TEST_FIELD(R, pt1), TAVRISK_TEST_FIELD(R, pt2),
                       TAVRISK_TEST_FIELD(R, pt3), TAVRISK_TEST_FIELD(R, pt4));
}
constexpr auto recordFields(RecordTag<gte_ellipse>) {
    using R = gte_ellipse;
    return recordTable("gte_ellipse", TAVRISK_TEST_FIELD(R, majorRadius),
                       TAVRISK_TEST_FIELD(R, minorRadius), TAVRISK_TEST_FIELD(R, center),
                       TAVRISK_TEST_FIELD(R, norVector), TAVRISK_TEST_FIELD(R, mainVector));
}
constexpr auto recordFields(RecordTag<gte_dist_result>) {
    using R = gte_dist_result;
    return recordTable("gte_dist_result", TAVRISK_TEST_FIELD(R, dx), TAVRISK_TEST_FIELD(R, dxy),
                       TAVRISK_TEST_FIELD(R, dist), TAVRISK_TEST_FIELD(R, dxz),
                       TAVRISK_TEST_FIELD(R, dy), TAVRISK_TEST_FIELD(R, dyz),
                       TAVRISK_TEST_FIELD(R, dz), TAVRISK_TEST_FIELD(R, point1),
                       TAVRISK_TEST_FIELD(R, point2), TAVRISK_TEST_FIELD(R, direction));
}
constexpr auto recordFields(RecordTag<gte_angle_result>) {
    using R = gte_angle_result;
    return recordTable("gte_angle_result", TAVRISK_TEST_FIELD(R, angle),
                       TAVRISK_TEST_FIELD(R, centerPoint), TAVRISK_TEST_FIELD(R, direction1),
                       TAVRISK_TEST_FIELD(R, direction2));
}
constexpr auto recordFields(RecordTag<gte_gap_result>) {
    using R = gte_gap_result;
    return recordTable("gte_gap_result", TAVRISK_TEST_FIELD(R, centerPoint),
                       TAVRISK_TEST_FIELD(R, direction), TAVRISK_TEST_FIELD(R, centerGap),
                       TAVRISK_TEST_FIELD(R, minGap), TAVRISK_TEST_FIELD(R, maxGap));
}
constexpr auto recordFields(RecordTag<gte::Vector3>) {
    using R = gte::Vector3;
    return recordTable("Vector3", TAVRISK_TEST_FIELD(R, v));
}
constexpr auto recordFields(RecordTag<gte::Vector2>) {
    using R = gte::Vector2;
    return recordTable("Vector2", TAVRISK_TEST_FIELD(R, v));
}
// A pair of records, as tests hold an output beside its companion.
template <class First, class Second>
constexpr auto recordFields(RecordTag<std::pair<First, Second>>) {
    using R = std::pair<First, Second>;
    return recordTable("pair", TAVRISK_TEST_FIELD(R, first), TAVRISK_TEST_FIELD(R, second));
}

// True when the fields follow one another from the record's first byte to its last, leaving
// nothing out.
template <class Record, std::size_t N>
constexpr bool coversEveryByte(std::array<Field, N> const& fields) {
    std::size_t next = 0;
    for (Field const& field : fields) {
        if (field.offset != next) {
            return false;
        }
        next += field.size;
    }
    return next == sizeof(Record);
}

// Record's table, checked against the record's layout.
template <class Record>
constexpr auto fieldsOf() {
    static_assert(std::is_standard_layout_v<Record>, "offsets are defined for standard layout");
    constexpr auto table = recordFields(RecordTag<Record>{});
    static_assert(coversEveryByte<Record>(table.fields),
                  "the table must list every member of the record, in the order they lie");
    return table;
}

template <class T>
struct IsStdArray : std::false_type {};
template <class Element, std::size_t N>
struct IsStdArray<std::array<Element, N>> : std::true_type {};

template <class T>
constexpr bool kIsArray = std::is_array_v<T> || IsStdArray<T>::value;

template <class T>
using ElementOf = std::remove_cv_t<std::remove_reference_t<decltype(std::declval<T&>()[0])>>;

template <class T>
std::string nameWithin(std::size_t index) {
    if constexpr (std::is_same_v<T, double>) {
        return "";
    } else if constexpr (kIsArray<T>) {
        using Element = ElementOf<T>;
        std::size_t const perElement = sizeof(Element) / sizeof(double);
        return "[" + std::to_string(index / perElement) + "]" +
               nameWithin<Element>(index % perElement);
    } else {
        constexpr auto table = fieldsOf<T>();
        std::size_t const offset = index * sizeof(double);
        for (Field const& field : table.fields) {
            if (offset < field.offset + field.size) {
                return std::string(".") + field.name +
                       field.inner((offset - field.offset) / sizeof(double));
            }
        }
        return ".(beyond the record)";
    }
}

template <class T>
std::string typeName() {
    if constexpr (std::is_same_v<T, double>) {
        return "double";
    } else if constexpr (kIsArray<T>) {
        return typeName<ElementOf<T>>();
    } else {
        return fieldsOf<T>().recordName;
    }
}

// The full name of the index-th double of a value: "gte_dist_result.point2.y",
// "gte_point[1].z", "double[4]".
template <class T>
std::string fieldName(std::size_t index) {
    return typeName<T>() + nameWithin<T>(index);
}

}  // namespace tavrisk_test
