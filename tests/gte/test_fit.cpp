// The line and plane fits reading the caller's records in place against the literal algorithm
// over a copy of them.
#include <cstring>
#include <vector>

#include "gte/fit.h"
#include "literal_fits.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk_test::LiteralFit;

namespace {

bool sameBits(Vector3 const& a, Vector3 const& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The fitted pair and result against the literal fit's, bit for bit.
template <class Fit>
::testing::AssertionResult same(Fit const& fit, Vector3 const& axis, bool unique,
                                LiteralFit const& literal) {
    if (unique == literal.unique && sameBits(fit.origin(), literal.origin) &&
        sameBits(axis, literal.axis)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the fit differs from the literal one";
}

}  // namespace

TEST(Fit, RecordsReadInPlaceGiveTheBitsOfTheCopyThenFitAlgorithm) {
    tavrisk_test::CloudMaker maker(0xF17F17u);
    for (int i = 0; i < 100000; ++i) {
        int const kind = i % tavrisk_test::CloudMaker::kKinds;
        int const count = maker.count(3);
        std::vector<gte_point> const records = maker.cloud(kind, count);
        std::vector<Vector3> const copy = tavrisk_test::copiedPoints(records.data(), count);
        auto const inPlace = [&records](std::size_t k) {
            return Vector3(records[k].x, records[k].y, records[k].z);
        };

        LiteralFit const literalPlane = tavrisk_test::literalPlaneFit(count, copy.data());
        gte::PlaneFit plane;
        ASSERT_TRUE(same(plane, plane.normal(), plane.fitEach(count, inPlace), literalPlane))
            << "plane, kind " << kind << ", " << count << " points";
        // The array form reads through the same loops; every tenth cloud checks it too.
        bool const viaArray = i % 10 == 0;
        ASSERT_TRUE(!viaArray ||
                    same(plane, plane.normal(), plane.fit(count, copy.data()), literalPlane))
            << "plane from an array, kind " << kind;

        LiteralFit const literalLine = tavrisk_test::literalLineFit(count, copy.data());
        gte::LineFit line;
        ASSERT_TRUE(same(line, line.direction(), line.fitEach(count, inPlace), literalLine))
            << "line, kind " << kind << ", " << count << " points";
        ASSERT_TRUE(!viaArray ||
                    same(line, line.direction(), line.fit(count, copy.data()), literalLine))
            << "line from an array, kind " << kind;
    }
}

TEST(Fit, TooFewPointsOrNoneResetTheResult) {
    Vector3 const triangle[3] = {Vector3(1, 0, 0), Vector3(0, 2, 0), Vector3(0, 0, 3)};
    Vector3 const zero = Vector3::zeroVector();
    gte::LineFit line;
    gte::PlaneFit plane;
    for (Vector3 const* points : {triangle, static_cast<Vector3 const*>(nullptr)}) {
        ASSERT_TRUE(line.fit(3, triangle) && plane.fit(3, triangle));
        EXPECT_FALSE(line.fit(points ? 1 : 2, points));
        EXPECT_FALSE(plane.fit(points ? 2 : 3, points));
        EXPECT_TRUE(line.origin() == zero && line.direction() == zero);
        EXPECT_TRUE(plane.origin() == zero && plane.normal() == zero);
    }
}
