#include "host/failures/message_catalogue.h"

#include <algorithm>

#include "host/failures/text_encoding.h"

namespace vornix {

namespace {

struct CatalogueRow {
  MessageId id;
  const char16_t* text;
};

// \r\n is the report's own line end; the Linux hand-out turns it into \n.
constexpr CatalogueRow kCatalogue[] = {
    {MessageId::kFailureReport,
     u"Исключительная ситуация %s в модуле %s по адресу %p.\r\n%s%s\r\n"},
    {MessageId::kOutOfMemory, u"Не хватает памяти"},
    {MessageId::kInOutError, u"Ошибка ввода/вывода %d"},
    {MessageId::kFileNotFound, u"Файл не найден"},
    {MessageId::kBadFileName, u"Неверное имя файла"},
    {MessageId::kTooManyOpenFiles, u"Слишком много открытых файлов"},
    {MessageId::kAccessDenied, u"В доступе к файлу отказано"},
    {MessageId::kReadBeyondEnd, u"Чтение за окончанием файла"},
    {MessageId::kDiskFull, u"Диск полон"},
    {MessageId::kBadNumericInput, u"Неверный ввод числа"},
    {MessageId::kFileOpen, u"Не могу открыть файл \"%s\". %s"},
    {MessageId::kFileCreate, u"Не могу создать файл \"%s\". %s"},
    {MessageId::kStreamWrite, u"Ошибка записи потока в файл \"%s\". %s"},
    {MessageId::kStreamRead, u"Ошибка чтения потока"},
    {MessageId::kListIndex, u"Индекс списка вышел за границы (%d)"},
    {MessageId::kNotText,
     u"Файл \"%s\" не является текстовым: нулевой байт по смещению %d"},
    {MessageId::kAccessViolation,
     u"Нарушение доступа по адресу %p в модуле \"%s\". %s по адресу %p"},
    {MessageId::kReadOf, u"Чтение"},
    {MessageId::kWriteOf, u"Запись"},
    {MessageId::kStackOverflow, u"Переполнение стека"},
    {MessageId::kDivByZero, u"Деление на ноль"},
    {MessageId::kPrivilege, u"Привилегированная инструкция"},
    {MessageId::kInPageError, u"Ошибка страницы ввода/вывода"},
    {MessageId::kExternalException, u"Внешнее исключение %s"},
};

}  // namespace

size_t CatalogueText(MessageId id, char* out, size_t capacity) {
  for (const CatalogueRow& row : kCatalogue) {
    if (row.id == id)
      return EncodeText(row.text, out, std::min(capacity, kCatalogueTextLimit));
  }
  return 0;
}

std::string CatalogueText(MessageId id) {
  char buffer[kCatalogueTextLimit];
  return std::string(buffer, CatalogueText(id, buffer, sizeof buffer));
}

}  // namespace vornix
