#include "RunTool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ostrel::test::runTool;

const std::string kSample = OSTREL_SAMPLES_DIR "/templates.xml";

TEST(CatalogueCommandTest, PrintsGroupsAndCreatableTypesOfTheSample) {
    // Groups in byte order; the bank statement cannot be created.
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property", "Area"}),
              "0|Contracts [OSTREL.AREA.Contracts]\n"
              "  Amendment [Contracts.Amendment] - Change to a signed contract\n"
              "  Purchase contract [Contracts.Purchase] - Contract with a supplier\n"
              "  Sales contract [Contracts.Sales] - Contract with a customer\n"
              "Correspondence [OSTREL.AREA.Correspondence]\n"
              "  E-mail [Letters.Email] - Message kept from the mail server\n"
              "  Incoming letter [Letters.Incoming] - Letter received by post\n"
              "  Outgoing letter [Letters.Outgoing] - Letter sent by post\n"
              "Finance [OSTREL.AREA.Finance]\n"
              "  Incoming invoice [Finance.IncomingInvoice] - Invoice received from a supplier\n"
              "  Outgoing invoice [Finance.OutgoingInvoice] - Invoice issued to a customer\n"
              "  Cash receipt [Finance.Receipt] - Receipt for a cash payment\n"
              "Human resources [OSTREL.AREA.Human resources]\n"
              "  Employment contract [HR.EmploymentContract] - Contract of employment and its "
              "appendices\n"
              "  Leave request [HR.LeaveRequest] - Request for holiday or unpaid leave\n|");
}

TEST(CatalogueCommandTest, RefusesBadArgumentsAndBadFiles) {
    EXPECT_EQ(runTool({"catalogue", kSample})[0], '2');
    EXPECT_EQ(runTool({"catalogue", "--group-property", "Area"})[0], '2');
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property"})[0], '2');
    EXPECT_EQ(runTool({"catalogue", kSample, "--group-property=Confidential"}),
              "0|Y [OSTREL.AREA.Y]\n  Employment contract [HR.EmploymentContract] - Contract of "
              "employment and its appendices\n|");
    EXPECT_EQ(runTool({"catalogue", "/nonexistent.xml", "--group-property", "Area"}),
              "1||CMServer2Descr.cpp:54: Cannot parse file: /nonexistent.xml\n"
              "CMServer2Descr.cpp:26: Cannot read description\n");
}

} // namespace
