#include <gtest/gtest.h>

#include <stdexcept>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "gui/message_boxes.h"

using namespace quorrix;
using engine::MessageAnswer;
using engine::MessageButtons;
using engine::MessageIcon;
using gui::MessageBoxes;
using gui::MessageRequest;

TEST(MessageBoxesTest, QueuedAnswersAreGivenInOrderAndEveryBoxIsRecorded)
{
    MessageBoxes boxes;
    boxes.queueAnswer(MessageAnswer::No);
    boxes.queueAnswer(MessageAnswer::Retry);
    boxes.queueAnswer(MessageAnswer::Ok);

    EXPECT_EQ(
        boxes.show("Remove it?", "QUORRIX - Hinweis", MessageIcon::Question, MessageButtons::YesNo),
        MessageAnswer::No);
    EXPECT_EQ(boxes.ask({ "Try again?", "T", MessageIcon::Exclamation, MessageButtons::RetryCancel,
                  MessageAnswer::Cancel }),
        MessageAnswer::Retry);
    EXPECT_EQ(boxes.show("Done", "T"), MessageAnswer::Ok);

    ASSERT_EQ(boxes.shown().size(), 3u);
    const gui::ShownMessage& first = boxes.shown()[0];
    EXPECT_EQ(first.request.text + first.request.title, "Remove it?QUORRIX - Hinweis");
    EXPECT_EQ(first.request.icon, MessageIcon::Question);
    EXPECT_EQ(first.request.buttons, MessageButtons::YesNo);
    EXPECT_EQ(first.answer, MessageAnswer::No);
    EXPECT_TRUE(first.answeredByHook);
    EXPECT_EQ(boxes.shown()[1].request.defaultAnswer, MessageAnswer::Cancel);
    // A box without icon and buttons is a plain notice with OK.
    EXPECT_EQ(boxes.shown()[2].request.icon, MessageIcon::None);
    EXPECT_EQ(boxes.shown()[2].request.buttons, MessageButtons::Ok);
}

TEST(MessageBoxesTest, AnAnswerTheBoxCannotGiveIsATestMistake)
{
    MessageBoxes boxes;
    boxes.queueAnswer(MessageAnswer::Yes);
    EXPECT_THROW(
        boxes.show("Only OK", "T", MessageIcon::None, MessageButtons::OkCancel), std::logic_error);
}

// Unattended boxes take the answer of Enter in the real window, where a timer presses Enter
// or Escape the way a user would.
TEST(MessageBoxesTest, EnterGivesTheDefaultAndEscapeCancelUnattendedOrNot)
{
    struct Row {
        MessageButtons buttons;
        std::optional<MessageAnswer> requested;
        MessageAnswer enter;
        std::optional<MessageAnswer> escape; // none: a yes/no question has to be answered
    };
    const Row rows[] = {
        { MessageButtons::Ok, std::nullopt, MessageAnswer::Ok, MessageAnswer::Ok },
        { MessageButtons::OkCancel, std::nullopt, MessageAnswer::Ok, MessageAnswer::Cancel },
        { MessageButtons::OkCancel, MessageAnswer::Cancel, MessageAnswer::Cancel,
            MessageAnswer::Cancel },
        { MessageButtons::YesNo, std::nullopt, MessageAnswer::Yes, std::nullopt },
        { MessageButtons::YesNo, MessageAnswer::No, MessageAnswer::No, std::nullopt },
        { MessageButtons::YesNoCancel, MessageAnswer::No, MessageAnswer::No,
            MessageAnswer::Cancel },
        { MessageButtons::YesNoCancel, MessageAnswer::Cancel, MessageAnswer::Cancel,
            MessageAnswer::Cancel },
        { MessageButtons::RetryCancel, std::nullopt, MessageAnswer::Retry, MessageAnswer::Cancel },
        // A default the box does not have falls back to its first button.
        { MessageButtons::YesNo, MessageAnswer::Cancel, MessageAnswer::Yes, std::nullopt },
    };
    MessageBoxes unattended;
    unattended.setUnattended(true);
    MessageBoxes boxes;
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.buttons));
        const MessageRequest request { "line 1\r\nline 2", "t", MessageIcon::Information,
            row.buttons, row.requested };
        EXPECT_EQ(unattended.ask(request), row.enter);
        EXPECT_TRUE(unattended.shown().back().answeredByHook);
        for (const bool escape : { false, true }) {
            if (escape && !row.escape)
                continue;
            bool answered = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->text(), "line 1\nline 2");
                QAbstractButton* button = escape
                    ? box->escapeButton()
                    : static_cast<QAbstractButton*>(box->defaultButton());
                ASSERT_NE(button, nullptr);
                answered = true;
                button->click();
            });
            EXPECT_EQ(boxes.ask(request), escape ? *row.escape : row.enter);
            EXPECT_TRUE(answered);
            EXPECT_FALSE(boxes.shown().back().answeredByHook);
        }
    }
    // A queued answer still comes first.
    unattended.queueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(unattended.show("x", "t", MessageIcon::None, MessageButtons::OkCancel),
        MessageAnswer::Cancel);
}

TEST(MessageBoxesTest, ALongReportKeepsItsHeadInTheBoxAndAllOfItInTheDetails)
{
    std::string text;
    for (int line = 1; line <= 1000; ++line)
        text += "C:\\Drawings\\" + std::to_string(line)
            + ".SLDDRW Document could not be opened.\r\n";
    MessageBoxes boxes;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_LE(box->text().count(QLatin1Char('\n')), 25);
        EXPECT_TRUE(box->text().startsWith("C:\\Drawings\\1.SLDDRW"));
        EXPECT_TRUE(box->detailedText().contains("\\1000.SLDDRW"));
        box->defaultButton()->click();
    });
    EXPECT_EQ(boxes.show(text, "t", MessageIcon::Exclamation), MessageAnswer::Ok);
}
