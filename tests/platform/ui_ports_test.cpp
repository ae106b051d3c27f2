#include <gtest/gtest.h>

#include "support/recording_ports.h"

using namespace tabulorix;

using tabulorix::Answer;

TEST(UiPorts, RecordingPortsReceiveCallsAndRestoreDefaultsAfterwards) {
    {
        tabulorix::testing::RecordingPorts ports;
        ports.answers = {Answer::No};
        tabulorix::ShowMessage("Error of range");
        EXPECT_EQ(tabulorix::Confirm("保存しますか？"), Answer::No);
        EXPECT_EQ(tabulorix::Confirm("again"), Answer::Cancel);  // queue empty
        tabulorix::Status().SetPosition(3);
        ASSERT_EQ(ports.messages.size(), 1u);
        EXPECT_EQ(ports.messages[0], "Error of range");
        EXPECT_EQ(ports.questions.size(), 2u);
        EXPECT_EQ(ports.statusLog.back(), "Position:3");
    }
    // Headless defaults: questions are cancelled, file questions too.
    EXPECT_EQ(tabulorix::Confirm("x"), Answer::Cancel);
    EXPECT_FALSE(tabulorix::FileNames().AskSaveFileName({}).has_value());
    EXPECT_EQ(static_cast<int>(Answer::Yes), 6);
    EXPECT_EQ(static_cast<int>(Answer::No), 7);
    EXPECT_EQ(static_cast<int>(Answer::Cancel), 2);
}
