// Linux: the process's start-up, arguments and path rules.
#include <signal.h>
#include <unistd.h>

#include <string>

#include "host/process/posix_paths.h"
#include "host/process/process.h"

namespace vornix {

void StartProcess() {
  // Writing to a closed pipe or past the file-size limit must come back as
  // an error to report.
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
}

void EndProcess(int status) { _exit(status); }

Arguments ProcessArguments(int argc, char** argv) {
  std::string executable = ReadLink("/proc/self/exe");
  if (executable.empty() && argc > 0 && argv[0] != nullptr)
    executable = ResolvePosixPath(CurrentDirectory(), argv[0]);
  return Arguments(std::move(executable), ArgumentsFromArgv(argc, argv));
}

const PathRules& HostPathRules() {
  static const PathRules rules = PosixPathRules();
  return rules;
}

}  // namespace vornix
