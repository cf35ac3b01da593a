// A clean data folder and a page server on the port the login page is configured at (text 114).
#pragma once
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>

namespace testing_support {

const int kPlatformPort = 8480;

class PlatformFixture : public testing::Test {
protected:
    void SetUp() override {
        ResetDataFolder(true);
        ASSERT_TRUE(server.IsListening()) << "port " << kPlatformPort << " is taken";
    }
    void TearDown() override { ResetDataFolder(false); }

    LocalHttpServer server{ kPlatformPort };
};

}  // namespace testing_support
