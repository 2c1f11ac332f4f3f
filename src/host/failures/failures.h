// The failure classes. A failure travels untouched to the outermost handler,
// which prints its class name and message; so the class names below are part
// of the program's output.
#ifndef VORNIX_HOST_FAILURES_FAILURES_H_
#define VORNIX_HOST_FAILURES_FAILURES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace vornix {

class Exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  virtual const char* ClassName() const { return "Exception"; }

  const std::string& Message() const { return message_; }
  /// The code address at which the failure was raised, or null.
  const void* Address() const { return address_; }
  void SetAddress(const void* address) { address_ = address; }

 private:
  std::string message_;
  const void* address_ = nullptr;
};

#define VORNIX_FAILURE_CLASS(Name, Base)                     \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

VORNIX_FAILURE_CLASS(EStreamError, Exception);
VORNIX_FAILURE_CLASS(EFileStreamError, EStreamError);
VORNIX_FAILURE_CLASS(EFilerError, EStreamError);
VORNIX_FAILURE_CLASS(EHeapException, Exception);

// Faults of the processor or the platform. A fault may leave no memory or
// stack to spare, so each is reported from an instance made in advance,
// its message built in a fixed area.
VORNIX_FAILURE_CLASS(EExternal, Exception);
VORNIX_FAILURE_CLASS(EAccessViolation, EExternal);
VORNIX_FAILURE_CLASS(EStackOverflow, EExternal);
VORNIX_FAILURE_CLASS(EDivByZero, EExternal);
VORNIX_FAILURE_CLASS(EPrivilege, EExternal);  // an illegal or privileged instruction
VORNIX_FAILURE_CLASS(EInPageError, EExternal);
VORNIX_FAILURE_CLASS(EExternalException, EExternal);  // any other fault

class EInOutError : public Exception {
 public:
  explicit EInOutError(int32_t code);
  const char* ClassName() const override { return "EInOutError"; }
  int32_t Code() const { return code_; }

 private:
  int32_t code_;
};

class EOutOfMemory : public EHeapException {
 public:
  EOutOfMemory();
  const char* ClassName() const override { return "EOutOfMemory"; }
};

/// `full_path` as FullPathOf forms it; `system_text` from SystemErrorText.
class EFOpenError : public EFileStreamError {
 public:
  EFOpenError(std::string_view full_path, std::string_view system_text);
  const char* ClassName() const override { return "EFOpenError"; }
};

class EFCreateError : public EFileStreamError {
 public:
  EFCreateError(std::string_view full_path, std::string_view system_text);
  const char* ClassName() const override { return "EFCreateError"; }
};

class EWriteError : public EFilerError {
 public:
  EWriteError(std::string_view full_path, std::string_view system_text);
  const char* ClassName() const override { return "EWriteError"; }
};

class EReadError : public EFilerError {
 public:
  EReadError();
  const char* ClassName() const override { return "EReadError"; }
};

/// A file whose text goes on after a NUL byte: `offset` is the NUL's, from 0.
class EFileFormatError : public EStreamError {
 public:
  EFileFormatError(std::string_view full_path, int64_t offset);
  const char* ClassName() const override { return "EFileFormatError"; }
};

class EStringListError : public Exception {
 public:
  explicit EStringListError(int32_t index);
  const char* ClassName() const override { return "EStringListError"; }
};

#if defined(__GNUC__)
#define VORNIX_NOINLINE __attribute__((noinline))
#else
#define VORNIX_NOINLINE
#endif

/// Raises a failure that carries the address of the place that raised it.
template <class Failure, class... Args>
[[noreturn]] VORNIX_NOINLINE void Raise(Args&&... args) {
  Failure failure(std::forward<Args>(args)...);
  failure.SetAddress(__builtin_return_address(0));
  throw failure;
}

/// The system's text for an error code, as the file messages end: without
/// the blanks and periods at its end; empty when the system has none.
std::string SystemErrorText(int32_t code);
/// The trimming half of SystemErrorText.
std::string_view TrimSystemErrorText(std::string_view text);

}  // namespace vornix

#endif  // VORNIX_HOST_FAILURES_FAILURES_H_
