#include "host/failure_report.h"

#include <gtest/gtest.h>

#include "host/failures.h"
#include "host/message_template.h"

namespace vornix {
namespace {

std::string Report(std::string_view message, uint64_t offset = 0x4C1D) {
  char out[kReportCapacity];
  return std::string(out, BuildFailureReport("EFOpenError", "vornix.exe", offset, message, out));
}

TEST(FailureReport, HeaderMessageAndDotRule) {
  EXPECT_EQ(Report("Не могу открыть файл \"/x/dosnet.inf\". Permission denied"),
            "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу 00004C1D.\n"
            "Не могу открыть файл \"/x/dosnet.inf\". Permission denied.\n");
  EXPECT_EQ(Report("ends in a dot."), Report("ends in a dot"));
  EXPECT_EQ(Report("", 0),
            "Исключительная ситуация EFOpenError в модуле vornix.exe по адресу 00000000.\n\n");
  EXPECT_NE(Report("x", 0x123456789ULL).find("по адресу 123456789."), std::string::npos);
}

TEST(FailureReport, CutAfter1024Bytes) {
  const std::string report = Report(std::string(5000, 'm'));
  EXPECT_EQ(report.size(), kReportCapacity);
  EXPECT_EQ(report.back(), 'm');
}

TEST(FillTemplate, Placeholders) {
  EXPECT_EQ(FillTemplate("%s-%d-%p-%%-%s", {"a", -1, TemplateValue::Hex(0xABC), ""}),
            "a--1-00000ABC-%-");
  EXPECT_EQ(FillTemplate("%d %d", {INT32_MIN, 0}), "-2147483648 0");
  EXPECT_EQ(FillTemplate("%s %s", {"only"}), "only ");
  char small[4];
  EXPECT_EQ(FillTemplate("abcdef", {}, small, sizeof small), 4u);
}

TEST(Failures, ClassNamesBasesAndMessages) {
  const EFOpenError open("/x/a", "No such file or directory");
  EXPECT_STREQ(open.ClassName(), "EFOpenError");
  EXPECT_EQ(open.Message(), "Не могу открыть файл \"/x/a\". No such file or directory");
  EXPECT_NE(dynamic_cast<const EFileStreamError*>(&open), nullptr);
  EXPECT_NE(dynamic_cast<const EStreamError*>(&open), nullptr);

  const EFCreateError create("/x/b", "");
  EXPECT_STREQ(create.ClassName(), "EFCreateError");
  EXPECT_EQ(create.Message(), "Не могу создать файл \"/x/b\". ");

  const EWriteError write;
  EXPECT_STREQ(write.ClassName(), "EWriteError");
  EXPECT_EQ(write.Message(), "Ошибка записи потока");
  EXPECT_NE(dynamic_cast<const EFilerError*>(&write), nullptr);

  const EReadError read;
  EXPECT_EQ(read.Message(), "Ошибка чтения потока");
  EXPECT_NE(dynamic_cast<const EFilerError*>(&read), nullptr);

  const EFileFormatError format("/x/c", 7);
  EXPECT_STREQ(format.ClassName(), "EFileFormatError");
  EXPECT_EQ(format.Message(), "Файл \"/x/c\" не является текстовым: нулевой байт по смещению 7");

  const EOutOfMemory memory;
  EXPECT_STREQ(memory.ClassName(), "EOutOfMemory");
  EXPECT_EQ(memory.Message(), "Не хватает памяти");
  EXPECT_NE(dynamic_cast<const EHeapException*>(&memory), nullptr);

  const EStringListError list(-1);
  EXPECT_STREQ(list.ClassName(), "EStringListError");
  EXPECT_STREQ(EInOutError(105).ClassName(), "EInOutError");
}

TEST(Failures, RaiseCarriesTheRaisingAddress) {
  try {
    Raise<EWriteError>();
  } catch (const Exception& failure) {
    EXPECT_NE(failure.Address(), nullptr);
  }
}

TEST(Failures, SystemErrorTextLosesTrailingBlanksAndDots) {
  EXPECT_EQ(TrimSystemErrorText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(TrimSystemErrorText("..."), "");
  EXPECT_EQ(TrimSystemErrorText("a.b"), "a.b");
  EXPECT_EQ(SystemErrorText(2), "No such file or directory");
}

}  // namespace
}  // namespace vornix
