#include "host/failure_report.h"

#include <gtest/gtest.h>

#include "host/failures.h"

namespace vornix {
namespace {

std::string Report(std::string_view message, uint64_t offset = 0x4C1D) {
  char out[kReportCapacity];
  return std::string(out, BuildFailureReport("EFOpenError", "vornix.exe", offset, message, out));
}

// The whole runs show the report of every failure; these are its edges.
TEST(FailureReport, Edges) {
  EXPECT_EQ(Report("ends in a dot."), "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу "
                                      "00004C1D.\nends in a dot.\n");
  EXPECT_EQ(Report("", 0), "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу 00000000.\n\n");
  EXPECT_NE(Report("x", 0x123456789ULL).find("по адресу 123456789."), std::string::npos);
  const std::string cut = Report(std::string(5000, '%'));
  EXPECT_EQ(cut.size(), kReportCapacity);
  EXPECT_EQ(cut.back(), '%');
}

TEST(FailureReport, SystemErrorTextLosesTrailingBlanksAndDots) {
  EXPECT_EQ(TrimSystemErrorText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(TrimSystemErrorText(". ."), "");
  EXPECT_EQ(TrimSystemErrorText("a.b"), "a.b");
  EXPECT_EQ(EInOutError(-3).Message(), "Ошибка ввода/вывода -3");
}

}  // namespace
}  // namespace vornix
