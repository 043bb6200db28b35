// The scripted Ui that every headless test relies on: it must answer in order, record what the
// program showed, and make a test fail whenever the dialogue went differently than scripted.
#include "testing/scripted_ui.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "core/program.h"

namespace tv::test_support {
namespace {

TEST(ScriptedUiTest, AnswersQuestionsInOrderAndRecordsEveryMessage) {
  ScriptedUi ui;
  ui.ExpectQuestion("Create Path?", MsgResult::Yes).ExpectQuestion("Overwrite", MsgResult::No);

  Ui& port = ui;
  port.Tell("All DXF Files Found  ", "", MsgIcon::Information);
  EXPECT_EQ(port.Message("/n\rPath Does Not Exist.\rDo You Wish to Create Path?", "Nest Path Error",
                         MsgIcon::Warning, MsgButtons::YesNo),
            MsgResult::Yes);
  EXPECT_FALSE(port.Ask("Overwrite Sheet 1?", "Query"));

  ASSERT_EQ(ui.Messages().size(), 3u);
  EXPECT_EQ(ui.Messages()[0].text, "All DXF Files Found  ");
  EXPECT_FALSE(ui.Messages()[0].IsQuestion());
  EXPECT_EQ(ui.Messages()[1].title, "Nest Path Error");
  EXPECT_EQ(ui.Messages()[1].icon, MsgIcon::Warning);
  EXPECT_EQ(ui.Messages()[1].buttons, MsgButtons::YesNo);
  EXPECT_EQ(ui.LastMessage().text, "Overwrite Sheet 1?");
  EXPECT_EQ(ui.LastMessage().icon, MsgIcon::Question);
  EXPECT_EQ(ui.LastMessage().answer, MsgResult::No);
  EXPECT_EQ(ui.CountMessages("Path"), 1u);
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(ScriptedUiTest, UnexpectedQuestionFailsTheTestAndIsRefused) {
  const struct {
    MsgButtons buttons;
    MsgResult refusal;
  } cases[] = {
      {MsgButtons::YesNo, MsgResult::No},
      {MsgButtons::YesNoCancel, MsgResult::Cancel},
      {MsgButtons::OkCancel, MsgResult::Cancel},
  };
  for (const auto& c : cases) {
    ScriptedUi ui;
    MsgResult answer = MsgResult::Ok;
    EXPECT_NONFATAL_FAILURE(answer = ui.Message("Delete everything?", "Query", MsgIcon::Question, c.buttons),
                            "Unexpected question");
    EXPECT_EQ(answer, c.refusal) << ToString(c.buttons);
    EXPECT_EQ(ui.LastMessage().answer, c.refusal);
  }
}

TEST(ScriptedUiTest, QuestionThatDiffersFromTheScriptFailsTheTest) {
  {
    ScriptedUi ui;
    ui.ExpectQuestion("Create Path?", MsgResult::Yes);
    EXPECT_NONFATAL_FAILURE(ui.Ask("Overwrite?", "Query"), "does not contain the expected \"Create Path?\"");
  }
  {
    ScriptedUi ui;
    ui.ExpectQuestion(MsgResult::Yes);
    MsgResult answer = MsgResult::Ok;
    EXPECT_NONFATAL_FAILURE(answer = ui.Message("Go on?", "", MsgIcon::None, MsgButtons::OkCancel),
                            "is not a button of OkCancel");
    EXPECT_EQ(answer, MsgResult::Cancel);
  }
}

TEST(ScriptedUiTest, PlainMessagesDoNotTakeQueuedAnswers) {
  ScriptedUi ui;
  ui.ExpectQuestion(MsgResult::Yes);
  ui.Tell("Drive C: Not Ready!", "Drive Error");
  EXPECT_EQ(ui.PendingAnswers(), 1u);
  EXPECT_TRUE(ui.Ask("Continue?", "Query"));
}

TEST(ScriptedUiTest, AnswersNeverAskedForFailTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUi ui;
        ui.ExpectQuestion("Create Path?", MsgResult::Yes);
      },
      "Expected question never asked: \"Create Path?\"");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedUi ui;
        ui.ExpectFolderChoice("/parts");
      },
      "Expected folder choice never made");
}

TEST(ScriptedUiTest, FolderChoicesComeFromTheirOwnQueue) {
  ScriptedUi ui;
  ui.ExpectFolderChoice("/home/anna/parts/", "Source").ExpectFolderChoice(std::nullopt);
  EXPECT_EQ(ui.ChooseFolder("Path", "Select Source Folder", "/home/anna/"), "/home/anna/parts/");
  EXPECT_EQ(ui.ChooseFolder("Path", "Select Nest Folder", "/"), std::nullopt);
  ASSERT_EQ(ui.FolderChoices().size(), 2u);
  EXPECT_EQ(ui.FolderChoices()[0].startFolder, "/home/anna/");
  EXPECT_TRUE(ui.Messages().empty());

  std::optional<std::string> unexpected = "not cancelled";
  EXPECT_NONFATAL_FAILURE(unexpected = ui.ChooseFolder("Path", "Select", "/"), "Unexpected folder choice");
  EXPECT_EQ(unexpected, std::nullopt);
}

TEST(ScriptedUiTest, RecordsStatusPointerAndWindowRequests) {
  ScriptedUi ui;
  ui.SetStatus(StatusPanel::Progress, "Nesting Sheet 1");
  ui.SetStatus(StatusPanel::X, " 12.5");
  ui.SetStatus(StatusPanel::Progress, "");
  ui.SetPointer(Pointer::Busy);
  ui.SetPointer(Pointer::Normal);
  ui.RaiseMainWindow();
  ui.ActivateWindowByTitle("Fennoway");
  ui.OpenUrl("file:///help/index.html");

  EXPECT_EQ(ui.Status("Progress"), "");
  EXPECT_EQ(ui.Status("X"), " 12.5");
  EXPECT_EQ(ui.Status(StatusPanel::ZoomPct), "");
  EXPECT_EQ(ui.Status(StatusPanel::X), " 12.5");
  EXPECT_EQ(ui.StatusHistory().front(), (std::pair<std::string, std::string>{"Progress", "Nesting Sheet 1"}));
  EXPECT_EQ(ui.StatusHistory().size(), 3u);
  EXPECT_EQ(ui.CurrentPointer(), Pointer::Normal);
  EXPECT_EQ(ui.PointerHistory(), (std::vector<Pointer>{Pointer::Busy, Pointer::Normal}));
  EXPECT_EQ(ui.RaiseCalls(), 1);
  EXPECT_EQ(ui.ActivatedTitles(), std::vector<std::string>{"Fennoway"});
  EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>{"file:///help/index.html"});
}

TEST(ScriptedUiTest, ProcessEventsRunsTheHookSoAWaitingLoopCanEnd) {
  ScriptedUi ui;
  core::Program program(ui);
  ui.SetProcessEventsHook([&] {
    if (ui.ProcessEventsCalls() == 3) program.RunInProgress = false;
  });
  program.RunInProgress = true;
  while (program.RunInProgress) program.ui().ProcessEvents();
  EXPECT_EQ(ui.ProcessEventsCalls(), 3);
}

TEST(ScriptedUiTest, LastMessageWithoutAnyFailsTheTest) {
  ScriptedUi ui;
  EXPECT_NONFATAL_FAILURE(ui.LastMessage(), "No message was shown");
}

}  // namespace
}  // namespace tv::test_support
