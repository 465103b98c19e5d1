#include "shell/print_job.h"

#include <gtest/gtest.h>

#include "platform/printer_access.h"
#include "platform/recording_surface.h"
#include "platform/user_services.h"
#include "shell/mod1.h"

namespace quon {
namespace {

class PrintJobTest : public ::testing::Test {
protected:
  void SetUp() override {
    g = Mod1{};
    g.PrintY = 1234;
    g.MsgText = "as before";
    SetPrinterForTesting(&printer);
  }
  void TearDown() override { SetPrinterForTesting(nullptr); }

  // A report that moves the shared print state, prints a line and ends its job.
  static bool GoodReport(PageSurface &p) {
    g.PrintY = 5000;
    g.MsgText = "SECTION";
    p.Print("hello");
    return p.EndDoc();
  }

  RecordingSurface printer;
  ScriptedServices script;
};

TEST_F(PrintJobTest, CompleteReportGoesToThePrinterOnce) {
  EXPECT_TRUE(RunPrintJob(&GoodReport));
  EXPECT_EQ(printer.DocumentsEnded(), 1);
  ASSERT_EQ(printer.Texts().size(), 1u);
  EXPECT_EQ(printer.Texts()[0].text, "hello");
  EXPECT_EQ(g.PrintY, 5000);
  EXPECT_TRUE(script.Shown().empty());
}

TEST_F(PrintJobTest, ReportThatCannotBeCompletedPrintsNothingAndSaysWhy) {
  script.AnswerMsgBox(msg::OK);
  const bool ok = RunPrintJob([](PageSurface &p) {
    g.PrintY = 9999;
    g.MsgText = "half way";
    p.Print("first half");
    p.Print(std::to_string(g.Tab(1, 1))); // never dimensioned
    return p.EndDoc();
  });
  EXPECT_FALSE(ok);
  EXPECT_TRUE(printer.Ops().empty());
  EXPECT_EQ(g.PrintY, 1234);
  EXPECT_EQ(g.MsgText, "as before");
  const auto boxes = script.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Print Error");
  EXPECT_EQ(msg::Icon(boxes[0].style), msg::Critical);
  EXPECT_NE(boxes[0].text.find("cannot be printed"), std::string::npos);
  EXPECT_TRUE(script.Done());
}

TEST_F(PrintJobTest, NoPrinterAtAllIsReported) {
  SetPrinterForTesting(nullptr);
  InstallPrinter(nullptr);
  script.AnswerMsgBox(msg::OK);
  bool ran = false;
  EXPECT_FALSE(RunPrintJob([&ran](PageSurface &p) {
    ran = true;
    return p.EndDoc();
  }));
  EXPECT_FALSE(ran);
  ASSERT_EQ(script.MessageBoxes().size(), 1u);
  EXPECT_EQ(script.MessageBoxes()[0].title, "Print Error");
}

// A print job whose end fails, as a printer without paper or a PDF folder that cannot be written.
class FailingPrinter : public RecordingSurface {
protected:
  bool FinishDocument() override {
    SetLastError("out of paper");
    return false;
  }
};

TEST_F(PrintJobTest, FailedEndOfTheJobIsTheResult) {
  FailingPrinter failing;
  SetPrinterForTesting(&failing);
  EXPECT_FALSE(RunPrintJob(&GoodReport));
  EXPECT_EQ(failing.LastError(), "out of paper");
}

} // namespace
} // namespace quon
