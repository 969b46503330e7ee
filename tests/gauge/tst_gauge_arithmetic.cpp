#include "gauge_arithmetic.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

using veltra::PercentOf;
using veltra::ShareOf;

namespace {

constexpr qint64 kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr qint64 kMax32 = std::numeric_limits<std::int32_t>::max();

std::int64_t ExactPercent(std::int64_t part, std::int64_t whole) {
    return part * 100 / whole;
}

}  // namespace

class TestGaugeArithmetic : public QObject {
    Q_OBJECT

private slots:
    void percentOf_data();
    void percentOf();
    void percentOfIsExactNearEveryBoundary();
    void shareOf_data();
    void shareOf();
    void shareOfIsExactForTheWindowsGauges_data();
    void shareOfIsExactForTheWindowsGauges();
    void shareOfMatchesTheExtendedFormat();
};

void TestGaugeArithmetic::percentOf_data() {
    QTest::addColumn<qint64>("part");
    QTest::addColumn<qint64>("whole");
    QTest::addColumn<qint64>("percent");

    QTest::newRow("empty whole") << qint64{5} << qint64{0} << qint64{0};
    QTest::newRow("nothing of nothing") << qint64{0} << qint64{0} << qint64{0};
    QTest::newRow("truncates 16.67") << qint64{50} << qint64{300} << qint64{16};
    QTest::newRow("truncates 99.67") << qint64{299} << qint64{300} << qint64{99};
    QTest::newRow("all") << qint64{300} << qint64{300} << qint64{100};
    QTest::newRow("negative truncates toward zero") << qint64{-50} << qint64{300} << qint64{-16};
    QTest::newRow("negative whole") << qint64{50} << qint64{-300} << qint64{-16};
    QTest::newRow("max of one") << kMax32 << qint64{1} << qint64{214748364700};
    QTest::newRow("min of one") << kMin32 << qint64{1} << qint64{-214748364800};
    QTest::newRow("min of minus one") << kMin32 << qint64{-1} << qint64{214748364800};
    QTest::newRow("min of max") << kMin32 << kMax32 << qint64{-100};
    QTest::newRow("max of min") << kMax32 << kMin32 << qint64{-99};
    QTest::newRow("one short of max") << kMax32 - 1 << kMax32 << qint64{99};
    QTest::newRow("widest span, half") << kMax32 << kMax32 - kMin32 << qint64{49};
    QTest::newRow("widest span, all") << kMax32 - kMin32 << kMax32 - kMin32 << qint64{100};
}

void TestGaugeArithmetic::percentOf() {
    QFETCH(qint64, part);
    QFETCH(qint64, whole);
    QFETCH(qint64, percent);
    QCOMPARE(PercentOf(part, whole), percent);
}

// The floating-point quotient is most at risk just below a whole percentage,
// where rounding could carry it across; compare there with exact arithmetic.
void TestGaugeArithmetic::percentOfIsExactNearEveryBoundary() {
    QRandomGenerator random(20240611);
    for (int round = 0; round < 2000; ++round) {
        const std::int64_t whole = round < 1000 ? random.bounded(1, 1000) + kMax32 - 1000
                                                : std::int64_t{random.generate()} % kMax32 + 1;
        for (std::int64_t percent = 0; percent <= 100; percent += 1 + round % 7) {
            // The least part that reaches this percentage, and its neighbours.
            const std::int64_t least = (percent * whole + 99) / 100;
            for (std::int64_t part : {least - 1, least, least + 1, -least, -(least - 1)}) {
                if (part < kMin32 || part > kMax32) {
                    continue;
                }
                QCOMPARE(PercentOf(part, whole), ExactPercent(part, whole));
                QCOMPARE(PercentOf(part, -whole), ExactPercent(part, -whole));
            }
        }
    }
}

void TestGaugeArithmetic::shareOf_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("share");

    // 0.01 held just below a hundredth makes these exact multiples fall short.
    QTest::newRow("5 of 100") << 5 << 100 << qint64{4};
    QTest::newRow("10 of 100") << 10 << 100 << qint64{9};
    QTest::newRow("5 of 20") << 5 << 20 << qint64{0};
    QTest::newRow("50 of 100") << 50 << 100 << qint64{50};
    QTest::newRow("0 of 408") << 0 << 408 << qint64{0};
    QTest::newRow("all of 1") << 100 << 1 << qint64{1};
    QTest::newRow("all of 408") << 100 << 408 << qint64{408};
    QTest::newRow("all of max") << 100 << int{kMax32} << kMax32;
    QTest::newRow("all of min") << 100 << int{kMin32} << kMin32;
    QTest::newRow("negative 5 of 100") << -5 << 100 << qint64{-4};
    QTest::newRow("max of 1") << int{kMax32} << 1 << qint64{21474836};
    QTest::newRow("min of 1") << int{kMin32} << 1 << qint64{-21474836};
    QTest::newRow("max of max") << int{kMax32} << int{kMax32} << qint64{46116860141324206};
}

void TestGaugeArithmetic::shareOf() {
    QFETCH(int, percent);
    QFETCH(int, size);
    QFETCH(qint64, share);
    QCOMPARE(ShareOf(percent, size), share);
}

void TestGaugeArithmetic::shareOfIsExactForTheWindowsGauges_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("bar width") << 408;
    QTest::newRow("bar height") << 13;
}

void TestGaugeArithmetic::shareOfIsExactForTheWindowsGauges() {
    QFETCH(int, size);
    for (int percent = 0; percent <= 100; ++percent) {
        QCOMPARE(ShareOf(percent, size), qint64{percent} * size / 100);
    }
}

// Where long double is the x87 extended format the integer roundings must
// agree with it everywhere, around the small sizes of real gauges and over the
// whole 32-bit range.
void TestGaugeArithmetic::shareOfMatchesTheExtendedFormat() {
    if (std::numeric_limits<long double>::digits != 64) {
        QSKIP("long double is not the extended format here");
    }
    const auto extended = [](std::int32_t percent, std::int32_t size) {
        const long double factor = static_cast<long double>(percent) * 0.01L;
        return static_cast<std::int64_t>(std::trunc(static_cast<long double>(size) * factor));
    };
    std::vector<std::pair<std::int32_t, std::int32_t>> cases;
    for (std::int32_t percent = -150; percent <= 150; ++percent) {
        for (std::int32_t size = -100; size <= 3000; ++size) {
            cases.emplace_back(percent, size);
        }
    }
    QRandomGenerator random(20261209);
    for (int i = 0; i < 200000; ++i) {
        cases.emplace_back(static_cast<std::int32_t>(random.generate()),
                           static_cast<std::int32_t>(random.generate()));
        cases.emplace_back(static_cast<std::int32_t>(random.bounded(0, 101)),
                           static_cast<std::int32_t>(random.generate()));
    }
    for (const auto& [percent, size] : cases) {
        if (ShareOf(percent, size) != extended(percent, size)) {
            QFAIL(qPrintable(QStringLiteral("%1 %% of %2: %3, the extended format gives %4")
                                 .arg(percent)
                                 .arg(size)
                                 .arg(ShareOf(percent, size))
                                 .arg(extended(percent, size))));
        }
    }
}

QTEST_APPLESS_MAIN(TestGaugeArithmetic)
#include "tst_gauge_arithmetic.moc"
