#pragma once

#include <gtest/gtest.h>

#include "fakes.h"
#include "file_access.h"
#include "report.h"

namespace veltra::testing {

class ReportTest : public ::testing::Test {
protected:
    std::int64_t Count(Category category) const { return report.tallies().Count(category); }

    RecordingPublisher publisher;
    FakeFileSystem files;
    FakeHost host;
    Report report{publisher, files, host};
};

}  // namespace veltra::testing
