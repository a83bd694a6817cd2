// SPDX-License-Identifier: MIT
// Shared by the fuzz targets: turning fuzz bytes into values, and judging what a call wrote.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <tuple>
#include <type_traits>
#include <vector>

#include "tavrisk.h"

namespace fuzz {

// Stops the run with a message; libFuzzer keeps the input that got here as a crash.
inline void require(bool condition, char const* name, char const* what) {
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", name, what);
        std::abort();
    }
}

// NaN matches NaN; otherwise the values must be equal (so -0 matches +0).
inline bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The least and greatest of some values; NaN for both when one of them is NaN.
struct Extremes {
    double low, high;
};
template <class Values>
Extremes extremesOf(Values const& values) {
    Extremes e{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (double v : values) {
        if (std::isnan(v))
            return {v, v};
        e.low = v < e.low ? v : e.low;
        e.high = v > e.high ? v : e.high;
    }
    return e;
}

// Reads values front to back; past the end every byte is 0.
class Bytes {
public:
    Bytes(std::uint8_t const* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

    // Any bit pattern at all, but as often a small whole number, an eighth or one of the values
    // where the measurements change branch: exact coincidences (touching circles, a point on a
    // line) come from small numbers, not from random bits.
    double number() {
        std::uint8_t const kind = byte();
        switch (kind & 3) {
            case 0: {
                std::uint64_t bits = 0;
                for (int i = 0; i < 8; ++i) bits = bits << 8 | byte();
                double value;
                std::memcpy(&value, &bits, sizeof value);
                return value;
            }
            case 1:
                return static_cast<std::int8_t>(byte());
            case 2:
                return static_cast<std::int8_t>(byte()) / 8.0;
            default: {
                using limits = std::numeric_limits<double>;
                static double const telling[] = {0.0,
                                                 -0.0,
                                                 1.0,
                                                 -1.0,
                                                 limits::quiet_NaN(),
                                                 limits::infinity(),
                                                 -limits::infinity(),
                                                 limits::max(),
                                                 -limits::max(),
                                                 limits::min(),
                                                 limits::denorm_min(),
                                                 1e-8,
                                                 1e-3,
                                                 1e-6,
                                                 1e6,
                                                 1e7,
                                                 1e16,
                                                 1e150,
                                                 1e300,
                                                 1e-300};
                return telling[byte() % (sizeof telling / sizeof telling[0])];
            }
        }
    }

    // Mostly 0 to 7, sometimes a value far outside what a caller would pass.
    int count() {
        std::uint8_t const b = byte();
        static int const extreme[] = {-1,
                                      -2,
                                      100,
                                      1000,
                                      1 << 30,
                                      std::numeric_limits<int>::max(),
                                      std::numeric_limits<int>::min(),
                                      -(1 << 30)};
        return b < 0xF8 ? b % 8 : extreme[b - 0xF8];
    }

    // A record, field by field in their order. The reserved fields of a plane and a rectangle are
    // never read and stay as constructed (braced lists evaluate left to right, so every compiler
    // decodes the same record).
    template <class T>
    T record() {
        double fields[sizeof(T) / sizeof(double)];
        for (double& field : fields) field = number();
        T value;
        std::memcpy(static_cast<void*>(&value), fields, sizeof value);
        return value;
    }

private:
    gte_point point() { return record<gte_point>(); }
    gte_vector vector() { return record<gte_vector>(); }

    std::uint8_t const* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A part of the outputs: an output record, a field or an array.
struct Part {
    void const* start;
    std::size_t size;
};
template <class T>
Part part(T const& output) {
    return {&output, sizeof output};
}

// Runs a call three times: with every output filled with one byte pattern, with every output
// filled with another, and with every output pointer null. A byte the call writes holds the same
// value in the first two runs, a byte it leaves keeps each run's pattern, and anything else means
// the call read what its outputs held. The result must not depend on either.
template <class Outputs>
class Trial {
public:
    explicit Trial(char const* name) : name_(name) {}

    // call(Outputs*) makes the call on the given outputs (null: pass null pointers) and returns
    // its result as a double.
    template <class Call>
    double run(Call&& call) {
        std::memset(static_cast<void*>(&first_), kFirstPattern, sizeof first_);
        std::memset(static_cast<void*>(&second_), kSecondPattern, sizeof second_);
        double const result = call(&first_);
        double const again = call(&second_);
        double const bare = call(nullptr);
        expect(std::memcmp(&result, &again, sizeof result) == 0 &&
                   std::memcmp(&result, &bare, sizeof result) == 0,
               "the result depends on what the outputs held or on whether they were given");
        for (std::size_t i = 0; i < sizeof first_; ++i) {
            expect(byteAt(first_, i) == byteAt(second_, i) ||
                       (byteAt(first_, i) == kFirstPattern && byteAt(second_, i) == kSecondPattern),
                   "an output depends on what it held before the call");
        }
        return result;
    }

    Outputs const& outputs() const { return first_; }

    void expect(bool condition, char const* what) const { require(condition, name_, what); }

    // The call wrote every byte of the given parts and not one byte elsewhere.
    void writes(std::vector<Part> const& parts, char const* what) const {
        unsigned char const* const base = reinterpret_cast<unsigned char const*>(&first_);
        for (std::size_t i = 0; i < sizeof first_; ++i) {
            bool inside = false;
            for (Part const& p : parts) {
                auto const* start = static_cast<unsigned char const*>(p.start);
                inside = inside || (base + i >= start && base + i < start + p.size);
            }
            expect((byteAt(first_, i) == byteAt(second_, i)) == inside, what);
        }
    }

    // The call returned `expected`; with `success` it wrote exactly `parts`, otherwise nothing.
    bool answers(double result, double expected, double success, std::vector<Part> const& parts,
                 char const* what) const {
        expect(result == expected, what);
        writes(result == success ? parts : std::vector<Part>{}, what);
        return result == success;
    }

    static constexpr unsigned char kFirstPattern = 0xA5;
    static constexpr unsigned char kSecondPattern = 0x5A;

private:
    static unsigned char byteAt(Outputs const& outputs, std::size_t i) {
        return reinterpret_cast<unsigned char const*>(&outputs)[i];
    }

    char const* name_;
    Outputs first_;
    Outputs second_;
};

// Calls an export with its arguments taken in order from arguments.next<T>() for each parameter
// type T (braced lists evaluate left to right); returns its result as a double, 0 for none.
template <class Arguments, class R, class... Args>
double invoke(R (*function)(Args...), Arguments& arguments) {
    std::tuple<Args...> const values{arguments.template next<Args>()...};
    if constexpr (std::is_void_v<R>) {
        std::apply(function, values);
        return 0.0;
    } else {
        return static_cast<double>(std::apply(function, values));
    }
}

// Output pointers for one call into a buffer of outputs: each gets room for `records` records of
// its type after the room of the one before (null when there is no buffer), and is noted.
class OutputRoom {
public:
    explicit OutputRoom(void* outputs) : outputs_(static_cast<unsigned char*>(outputs)) {}

    template <class T>
    T* next(std::size_t records) {
        if (outputs_ == nullptr)
            return nullptr;
        T* const output = reinterpret_cast<T*>(outputs_ + used_);
        used_ += (records * sizeof(T) + sizeof(double) - 1) / sizeof(double) * sizeof(double);
        handed.push_back({output, sizeof(T)});
        return output;
    }

    std::vector<Part> handed;  // the first record of each output, in order

private:
    unsigned char* outputs_;
    std::size_t used_ = 0;
};

// Calls function with the arguments an Arguments(inputs, outputs) hands out; with `handed`,
// notes there the outputs its room handed out.
template <auto function, class Arguments, class Inputs, class Outputs>
double call(Inputs const& inputs, Outputs* outputs, std::vector<Part>* handed) {
    Arguments arguments(inputs, outputs);
    double const result = invoke(function, arguments);
    if (handed != nullptr)
        *handed = arguments.room.handed;
    return result;
}

// What a call returned and the outputs it was handed, for the contract of its export to judge.
template <class Inputs, class Outputs>
struct Outcome {
    Trial<Outputs> const& trial;
    Inputs const& inputs;
    double result;
    std::vector<Part> outputs;

    template <class T>
    T const& output(std::size_t i) const {
        return *static_cast<T const*>(outputs[i].start);
    }
};

// Runs call(inputs, outputs, handed) through the trial.
template <class Inputs, class Outputs, class Call>
Outcome<Inputs, Outputs> attempt(Trial<Outputs>& trial, Inputs const& inputs, Call call) {
    std::vector<Part> handed;
    double const result = trial.run([&](Outputs* out) {
        return call(inputs, out, out == &trial.outputs() ? &handed : nullptr);
    });
    return {trial, inputs, result, handed};
}

template <>
inline gte_plane Bytes::record() {
    return gte_plane{point(), point(), point()};
}
template <>
inline gte_rect Bytes::record() {
    return gte_rect{point(), number(), number(), vector(), vector()};
}

}  // namespace fuzz
