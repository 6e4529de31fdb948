#include "RecordingMessageBox.h"

#include <gtest/gtest.h>

using namespace trb;

TEST(RecordingMessageBox, RecordsEveryBoxAndAnswersConfirmationsFromTheQueue)
{
    RecordingMessageBox messages;
    messages.queueAnswer(MessageAnswer::Cancel);
    messages.queueAnswer(MessageAnswer::No);

    // An OK-only box takes nothing from the queue.
    EXPECT_EQ(ShowMessageBox("note", MessageIcon::Information), MessageAnswer::Ok);
    EXPECT_EQ(ShowMessageBox("go?", MessageIcon::Question, "Warning", MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(ShowMessageBox("sure?", MessageIcon::Question, "TRB-4820", MessageButtons::YesNo),
              MessageAnswer::No);
    // Empty queue: the affirmative answer.
    EXPECT_EQ(ShowMessageBox("again?", MessageIcon::None, "TRB-4820", MessageButtons::OkCancel),
              MessageAnswer::Ok);
    EXPECT_EQ(ShowMessageBox("yes?", MessageIcon::None, "TRB-4820", MessageButtons::YesNo),
              MessageAnswer::Yes);

    EXPECT_EQ(messages.texts(), QStringList({"note", "go?", "sure?", "again?", "yes?"}));
    EXPECT_EQ(messages.shown()[1].title, "Warning");
    EXPECT_EQ(messages.shown()[1].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown()[1].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(messages.shown()[0].title, "TRB-4820");
}

TEST(RecordingMessageBox, RestoresTheServiceItReplaced)
{
    RecordingMessageBox outer;
    {
        RecordingMessageBox inner;
        ShowMessageBox("inner");
        EXPECT_EQ(inner.count(), 1);
    }
    ShowMessageBox("outer");
    EXPECT_EQ(outer.texts(), QStringList({"outer"}));
}
