// A white-box accessibility test: COM on the thread, the classes it needs
// registered, a host window, and at the end every object a client was handed
// released again.
#pragma once

#include <gtest/gtest.h>

#include "access.h"
#include "accessclient.h"
#include "testing.h"

namespace orvtest {

class AccessFixture : public ::testing::Test {
protected:
    explicit AccessFixture(DWORD classes, int hostWidth = 400, int hostHeight = 300)
        : host_(hostWidth, hostHeight), classes_(classes)
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        ASSERT_TRUE(InitORVCC(classes_));
        live_ = AccessLiveObjects();
    }
    void TearDown() override
    {
        PumpMessages();
        EXPECT_EQ(AccessLiveObjects(), live_) << "objects not freed";
        CoUninitialize();
    }

    HostWindow host_;
    LONG live_ = 0;

private:
    DWORD classes_;
};

}  // namespace orvtest
