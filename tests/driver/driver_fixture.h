#pragma once

// Runs the veltra-report executable from the repository's root, as the
// README does, and compares what it prints and writes with the expected
// files beside these tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "scratch_folder.h"

namespace veltra::testing {

namespace fs = std::filesystem;

inline const fs::path kSourceDir = VELTRA_SOURCE_DIR;
inline const fs::path kDriver = VELTRA_REPORT_EXE;

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Expected(const std::string& name) {
    return ReadBytes(kSourceDir / "tests/driver/expected" / name);
}

// A message up to the system's description of its cause, which differs
// between systems and their languages.
inline std::string WithoutCause(const std::string& message) {
    const std::size_t end = message.find("\". ");
    return end == std::string::npos ? message : message.substr(0, end + 3);
}

struct Outcome {
    int exitCode = -1;
    int signal = 0;
    std::string out;
    std::string err;
};

class Driver : public ::testing::Test {
protected:
    void SetUp() override { scratch = MakeUniqueFolder("veltra-driver-"); }
    void TearDown() override { fs::remove_all(scratch); }

    // Starts `program` with `arguments` in the repository's root, with the
    // user's settings in the scratch folder.
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& arguments,
                                        const fs::path& program = kDriver) {
        return std::make_unique<ChildProcess>(
            ChildSetup{program,
                       arguments,
                       kSourceDir,
                       scratch / "stdout",
                       scratch / "stderr",
                       {{"XDG_CONFIG_HOME", (scratch / "config").string()}}});
    }

    Outcome Wait(ChildProcess& child) {
        const Ending ending = child.Wait();
        return {ending.exitCode, ending.signal, ReadBytes(scratch / "stdout"),
                ReadBytes(scratch / "stderr")};
    }

    Outcome Run(const std::vector<std::string>& arguments, const fs::path& program = kDriver) {
        return Wait(*Start(arguments, program));
    }

    // The names in the scratch folder but for the captured output.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch)) {
            const std::string name = entry.path().filename().string();
            if (name != "stdout" && name != "stderr") {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Csv() const { return (scratch / "braki.csv").string(); }

    // A log whose run writes a long CSV, for runs that are ended early.
    struct LongRun {
        std::string log;
        std::chrono::steady_clock::duration runTime;  // of a whole run
        std::string completeCsv;
    };

    // Runs the driver once over a log of `lines` music items without a
    // nationality, one CSV line each, then puts "old\r\n" into the CSV.
    LongRun PrepareLongRun(int lines = 50000) {
        LongRun run;
        run.log = (scratch / "long.hst").string();
        std::ofstream log(run.log, std::ios::binary);
        for (int i = 0; i < lines; ++i) {
            log << "10:00:00;M:/a" << i << ".mp3;x;x;00:03:25;Tytul;x;Wykonawca;"
                << "x;x;x;x;x;x;x;x;x;;MU;x;x;\r\n";
        }
        log.close();
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(Run({"--csv", Csv(), run.log}).exitCode, 0);
        run.runTime = std::chrono::steady_clock::now() - started;
        run.completeCsv = ReadBytes(Csv());
        std::ofstream(Csv(), std::ios::binary) << "old\r\n";
        return run;
    }

    fs::path scratch;
};

inline const std::vector<std::string> kSampleLogs{"samples/poranek.hst", "samples/noc.hst",
                                                  "samples/niepelny.hst"};

inline std::vector<std::string> With(std::vector<std::string> options,
                                     const std::vector<std::string>& logs) {
    options.insert(options.end(), logs.begin(), logs.end());
    return options;
}

}  // namespace veltra::testing
