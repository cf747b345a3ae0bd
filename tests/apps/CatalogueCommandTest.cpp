#include "Command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ostrel::cli::Output output{out, err};
    const int status = ostrel::cli::runTool(args, output);
    return {status, out.str(), err.str()};
}

const std::string kSample = OSTREL_SAMPLES_DIR "/templates.xml";

TEST(CatalogueCommandTest, PrintsGroupsAndCreatableTypesOfTheSample) {
    const Result result = run({"catalogue", kSample, "--group-property", "Area"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    // Groups in byte order; the bank statement cannot be created.
    EXPECT_EQ(result.out,
              "Contracts [OSTREL.AREA.Contracts]\n"
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
              "  Leave request [HR.LeaveRequest] - Request for holiday or unpaid leave\n");
}

TEST(CatalogueCommandTest, RefusesBadArgumentsAndBadFiles) {
    EXPECT_EQ(run({"catalogue", kSample}).status, 2);
    EXPECT_EQ(run({"catalogue", "--group-property", "Area"}).status, 2);
    EXPECT_EQ(run({"catalogue", kSample, "--group-property"}).status, 2);
    EXPECT_EQ(run({"catalogue", kSample, "--group-property=Confidential"}).out,
              "Y [OSTREL.AREA.Y]\n  Employment contract [HR.EmploymentContract] - Contract of "
              "employment and its appendices\n");
    const Result missing = run({"catalogue", "/nonexistent.xml", "--group-property", "Area"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "CMServer2Descr.cpp:54: Cannot parse file: /nonexistent.xml\n"
                           "CMServer2Descr.cpp:26: Cannot read description\n");
}

} // namespace
