#include <gtest/gtest.h>

#include "support/recording_host.h"

using namespace tabulorix;

using tabulorix::Answer;

// Ports installed for a scope receive the calls; afterwards the headless
// defaults cancel every question, file questions too.
TEST(UiPorts, InstalledPortsReceiveCallsAndTheDefaultsComeBack) {
    {
        tabulorix::testing::RecordingPorts ports;
        ports.answers = {Answer::No};
        EXPECT_EQ(tabulorix::Confirm("保存しますか？"), Answer::No);
    }
    EXPECT_EQ(tabulorix::Confirm("x"), Answer::Cancel);
    EXPECT_FALSE(tabulorix::FileNames().AskSaveFileName({}).has_value());
}
