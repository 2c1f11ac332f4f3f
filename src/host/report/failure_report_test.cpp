#include "host/report/failure_report.h"

#include <gtest/gtest.h>

#include "host/failures/failures.h"

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

}  // namespace
}  // namespace vornix
