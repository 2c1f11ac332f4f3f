#include "host/failures/failures.h"

#include <iterator>

#include "host/failures/message_catalogue.h"
#include "host/failures/message_template.h"
#include "host/failures/system_errors.h"

namespace vornix {

namespace {

// The codes the system has a word for take their own text; every other code
// is "Ошибка ввода/вывода" with the number.
std::string InOutErrorMessage(int32_t code) {
  static const MessageId kNamedTexts[] = {
      MessageId::kInOutError,
      MessageId::kFileNotFound,
      MessageId::kBadFileName,
      MessageId::kTooManyOpenFiles,
      MessageId::kAccessDenied,
      MessageId::kReadBeyondEnd,
      MessageId::kDiskFull,
      MessageId::kBadNumericInput,
  };
  static_assert(std::size(kNamedTexts) == static_cast<size_t>(NamedError::kCount));
  const NamedError name = NameOfError(code);
  if (name != NamedError::kNone)
    return CatalogueText(kNamedTexts[static_cast<int>(name)]);
  return FillTemplate(CatalogueText(MessageId::kInOutError), {code});
}

}  // namespace

EInOutError::EInOutError(int32_t code)
    : Exception(InOutErrorMessage(code)), code_(code) {}

EOutOfMemory::EOutOfMemory()
    : EHeapException(CatalogueText(MessageId::kOutOfMemory)) {}

EFOpenError::EFOpenError(std::string_view full_path,
                         std::string_view system_text)
    : EFileStreamError(FillTemplate(CatalogueText(MessageId::kFileOpen),
                                    {full_path, system_text})) {}

EFCreateError::EFCreateError(std::string_view full_path,
                             std::string_view system_text)
    : EFileStreamError(FillTemplate(CatalogueText(MessageId::kFileCreate),
                                    {full_path, system_text})) {}

EWriteError::EWriteError(std::string_view full_path,
                         std::string_view system_text)
    : EFilerError(FillTemplate(CatalogueText(MessageId::kStreamWrite),
                               {full_path, system_text})) {}

EReadError::EReadError() : EFilerError(CatalogueText(MessageId::kStreamRead)) {}

EFileFormatError::EFileFormatError(std::string_view full_path, int64_t offset)
    : EStreamError(FillTemplate(CatalogueText(MessageId::kNotText),
                                {full_path, offset})) {}

EStringListError::EStringListError(int32_t index)
    : Exception(FillTemplate(CatalogueText(MessageId::kListIndex), {index})) {}

std::string_view TrimSystemErrorText(std::string_view text) {
  while (!text.empty() &&
         (static_cast<unsigned char>(text.back()) < 0x21 || text.back() == '.'))
    text.remove_suffix(1);
  return text;
}

std::string SystemErrorText(int32_t code) {
  return std::string(TrimSystemErrorText(PlatformErrorText(code)));
}

}  // namespace vornix
