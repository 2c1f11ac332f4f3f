#include "host/failures.h"

#include "host/console.h"
#include "host/message_catalogue.h"

namespace vornix {

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

EWriteError::EWriteError()
    : EFilerError(CatalogueText(MessageId::kStreamWrite)) {}

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

}  // namespace vornix
