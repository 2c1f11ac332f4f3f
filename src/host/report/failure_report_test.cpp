#include "host/report/failure_report.h"

#include <gtest/gtest.h>

#include <set>

#include "host/failures/failures.h"
#include "host/failures/message_catalogue.h"

namespace vornix {
namespace {

// The whole runs show the report of every failure; these are its edges.
TEST(FailureReport, Edges) {
  char out[kReportCapacity];
  const auto report = [&](std::string_view message, uint64_t offset) {
    return std::string(out, BuildFailureReport("EFOpenError", "vornix.exe", offset, message, out));
  };
  EXPECT_EQ(report("ends in a dot.", 0x4C1D),
            "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу "
            "00004C1D.\nends in a dot.\n");
  EXPECT_EQ(report("", 0), "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу 00000000.\n\n");
  EXPECT_NE(report("x", 0x123456789ULL).find("по адресу 123456789."), std::string::npos);
  EXPECT_EQ(report(std::string(5000, '%'), 0).substr(1023), "%");  // cut after 1024 bytes
  EXPECT_EQ(TrimSystemErrorText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(TrimSystemErrorText(". ."), "");
  EXPECT_EQ(TrimSystemErrorText("a.b"), "a.b");
  EXPECT_EQ(EInOutError(-3).Message(), "Ошибка ввода/вывода -3");
}

// A number given to two messages would hand one text out for both.
TEST(FailureReport, EveryMessageHasATextOfItsOwn) {
  using M = MessageId;
  const MessageId ids[] = {M::kFailureReport, M::kOutOfMemory, M::kInOutError, M::kFileNotFound, M::kBadFileName,
                           M::kTooManyOpenFiles, M::kAccessDenied, M::kReadBeyondEnd, M::kDiskFull, M::kBadNumericInput,
                           M::kFileOpen, M::kFileCreate, M::kStreamWrite, M::kStreamRead, M::kListIndex, M::kNotText,
                           M::kAccessViolation, M::kReadOf, M::kWriteOf, M::kStackOverflow, M::kDivByZero,
                           M::kPrivilege, M::kInPageError, M::kExternalException};
  std::set<std::string> texts;
  for (const MessageId id : ids) texts.insert(CatalogueText(id));
  EXPECT_EQ(texts.size(), std::size(ids));
  EXPECT_EQ(texts.count(""), 0u);
  EXPECT_EQ(CatalogueText(static_cast<MessageId>(1)), "");  // a number with no message has no text
}

}  // namespace
}  // namespace vornix
