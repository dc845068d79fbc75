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

TEST(MessageBoxesTest, UnattendedBoxesTakeTheirDefaultButton)
{
    struct Row {
        MessageButtons buttons;
        std::optional<MessageAnswer> requested;
        MessageAnswer expected;
    };
    const Row rows[] = {
        { MessageButtons::Ok, std::nullopt, MessageAnswer::Ok },
        { MessageButtons::OkCancel, std::nullopt, MessageAnswer::Ok },
        { MessageButtons::OkCancel, MessageAnswer::Cancel, MessageAnswer::Cancel },
        { MessageButtons::YesNo, std::nullopt, MessageAnswer::Yes },
        { MessageButtons::YesNo, MessageAnswer::No, MessageAnswer::No },
        { MessageButtons::YesNoCancel, MessageAnswer::Cancel, MessageAnswer::Cancel },
        { MessageButtons::RetryCancel, std::nullopt, MessageAnswer::Retry },
        // A default the box does not have falls back to its first button.
        { MessageButtons::YesNo, MessageAnswer::Cancel, MessageAnswer::Yes },
    };
    MessageBoxes boxes;
    boxes.setUnattended(true);
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.buttons));
        EXPECT_EQ(
            boxes.ask({ "x", "t", MessageIcon::None, row.buttons, row.requested }), row.expected);
        EXPECT_TRUE(boxes.shown().back().answeredByHook);
    }
    // A queued answer still comes first.
    boxes.queueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(
        boxes.show("x", "t", MessageIcon::None, MessageButtons::OkCancel), MessageAnswer::Cancel);
}

// The real window: a timer answers it the way a user would, with Enter or Escape.
TEST(MessageBoxesTest, RealBoxesAnswerEnterWithTheDefaultAndEscapeWithCancel)
{
    struct Row {
        MessageButtons buttons;
        std::optional<MessageAnswer> requested;
        bool escape;
        MessageAnswer expected;
    };
    const Row rows[] = {
        { MessageButtons::Ok, std::nullopt, false, MessageAnswer::Ok },
        { MessageButtons::Ok, std::nullopt, true, MessageAnswer::Ok },
        { MessageButtons::OkCancel, MessageAnswer::Cancel, false, MessageAnswer::Cancel },
        { MessageButtons::OkCancel, std::nullopt, true, MessageAnswer::Cancel },
        { MessageButtons::YesNo, std::nullopt, false, MessageAnswer::Yes },
        { MessageButtons::YesNoCancel, MessageAnswer::No, false, MessageAnswer::No },
        { MessageButtons::RetryCancel, std::nullopt, true, MessageAnswer::Cancel },
    };
    MessageBoxes boxes;
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.buttons));
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "line 1\nline 2");
            QAbstractButton* button = row.escape
                ? box->escapeButton()
                : static_cast<QAbstractButton*>(box->defaultButton());
            ASSERT_NE(button, nullptr);
            answered = true;
            button->click();
        });
        EXPECT_EQ(boxes.ask({ "line 1\r\nline 2", "t", MessageIcon::Information, row.buttons,
                      row.requested }),
            row.expected);
        EXPECT_TRUE(answered);
        EXPECT_FALSE(boxes.shown().back().answeredByHook);
    }
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
