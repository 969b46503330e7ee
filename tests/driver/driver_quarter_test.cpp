// The driver's quarter mode end to end: the sample logs as a quarter's
// months, the form's rows printed and its workbook written.

#include <fstream>

#include "driver_fixture.h"

namespace veltra::testing {
namespace {

class DriverQuarter : public Driver {
protected:
    std::string Form() const { return (scratch / "kwartal.xlsx").string(); }

    // The output with the workbook's full path, which differs from run to
    // run, put as "FORM"; in JSON its backslashes (Windows) are doubled.
    std::string WithFormNamed(std::string text) const {
        std::string json;
        for (const char c : Form()) {
            json += c == '\\' ? std::string("\\\\") : std::string(1, c);
        }
        for (const std::string& path : {Form(), json}) {
            for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
                text.replace(at, path.size(), "FORM");
            }
        }
        return text;
    }

    // A copy of a sample log under a dated name in the scratch folder.
    std::string Dated(const std::string& sample, const std::string& name) const {
        const fs::path path = scratch / name;
        fs::copy_file(kSourceDir / sample, path);
        return path.string();
    }

    static bool IsWorkbook(const std::string& bytes) { return bytes.starts_with("PK\x03\x04"); }
};

TEST_F(DriverQuarter, ThreeMonthsOfSamplesFillTheFormAndItsWorkbook) {
    const std::vector<std::string> arguments{
        "--form",  Form(),    "--program",    "Radio Łąka",   "--month", "2026-10", kSampleLogs[0],
        "--month", "2026-12", kSampleLogs[1], kSampleLogs[2], "--csv",   Csv()};
    const Outcome text = Run(arguments);
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(WithFormNamed(text.out), Expected("quarter.txt"));
    EXPECT_TRUE(IsWorkbook(ReadBytes(Form())));
    // The months' lists as one, in the order of the months and their logs.
    EXPECT_EQ(ReadBytes(Csv()), Expected("samples.csv"));

    std::vector<std::string> json = arguments;
    json.insert(json.begin(), "--json");
    const Outcome asJson = Run(json);
    EXPECT_EQ(asJson.exitCode, 0) << asJson.err;
    EXPECT_EQ(WithFormNamed(asJson.out), Expected("quarter.json"));

    // December's I misses its threshold.
    json.insert(json.begin(), "--check");
    EXPECT_EQ(Run(json).exitCode, 3);
}

TEST_F(DriverQuarter, LogsSortedByTheDatesInTheirNames) {
    const std::string october = Dated(kSampleLogs[0], "2026-10-01.hst");
    const std::string december1 = Dated(kSampleLogs[1], "20261201.hst");
    const std::string december2 = Dated(kSampleLogs[2], "antena 02.12.2026.hst");
    const Outcome byDate = Run({"--form", Form(), "--program", "Radio Łąka", "--csv", Csv(),
                                "--by-date", december2, october, december1});
    EXPECT_EQ(byDate.exitCode, 0) << byDate.err;
    EXPECT_EQ(WithFormNamed(byDate.out), Expected("quarter.txt"));

    const std::string stray = Dated(kSampleLogs[0], "2026-09-30.hst");
    const std::string undated = Dated(kSampleLogs[0], "poranek.hst");
    const std::string wrong = Dated(kSampleLogs[0], "2026-13-45.hst");
    fs::remove(Form());
    const Outcome refused =
        Run({"--form", Form(), "--by-date", october, stray, undated, wrong, december1});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Tych plików nie da się przydzielić do miesięcy kwartału IV 2026:\n  " +
                               stray + " (2026-09-30 spoza kwartału)\n  " + undated +
                               " (bez daty w nazwie)\n  " + wrong + " (2026-13-45 to nie data)\n");
    EXPECT_FALSE(fs::exists(Form()));
}

TEST_F(DriverQuarter, NothingIsWrittenWhenAMonthFailsOrALogIsDoubled) {
    std::ofstream(Form(), std::ios::binary) << "old";
    const Outcome doubled = Run({"--form", Form(), "--month", "2026-10", kSampleLogs[0], "--month",
                                 "2026-11", kSampleLogs[0]});
    EXPECT_EQ(doubled.exitCode, 1);
    EXPECT_EQ(doubled.err, "Plik " + fs::absolute(kSourceDir / kSampleLogs[0]).string() +
                               " wybrano dwa razy (październik 2026, listopad 2026).\n");

    const Outcome failed = Run({"--form", Form(), "--csv", Csv(), "--month", "2026-10",
                                kSampleLogs[0], "--month", "2026-11", "samples/brak.hst"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(WithoutCause(failed.err), "listopad 2026: Cannot open file \"" +
                                            fs::absolute(kSourceDir / "samples/brak.hst").string() +
                                            "\". ");
    EXPECT_EQ(ReadBytes(Form()), "old");

    const Outcome unwritable = Run({"--form", (scratch / "brak" / "k.xlsx").string(), "--csv",
                                    Csv(), "--month", "2026-10", kSampleLogs[0]});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(WithoutCause(unwritable.err),
              "Cannot create file \"" + (scratch / "brak" / "k.xlsx").string() + "\". ");
}

TEST_F(DriverQuarter, UsageErrors) {
    const std::vector<std::vector<std::string>> cases{
        {"--month", "2026-10", "a.hst"},
        {"--form", "k.xlsx", "a.hst"},
        {"--form", "k.xlsx", "a.hst", "--month", "2026-10", "b.hst"},
        {"--form", "k.xlsx", "--month", "2026-13", "a.hst"},
        {"--form", "k.xlsx", "--month", "10.2026", "a.hst"},
        {"--form", "k.xlsx", "--by-date", "--month", "2026-10", "a.hst"},
        {"--form", "k.xlsx", "--table-row", "--month", "2026-10", "a.hst"},
        {"--form", "k.xlsx", "--month", "2026-10", "--month", "2026-11", "--month", "2026-12",
         "--month", "2026-10", "a.hst"},
        {"--form", "samples/noc.hst", "--month", "2026-10", "samples/noc.hst"},
    };
    for (const auto& arguments : cases) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments[2];
        EXPECT_TRUE(outcome.err.starts_with("veltra-report: ")) << outcome.err;
    }
}

}  // namespace
}  // namespace veltra::testing
