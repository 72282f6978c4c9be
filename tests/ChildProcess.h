// Faults that must not reach the test process itself (a file-size limit, an ignored signal)
// are put on a child process that runs one call and exits with its result.
#ifndef ChildProcess_h
#define ChildProcess_h

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

// Runs body in a child process and gives back the int it returned, read as a signed byte so
// that small negative results come through; 1000 when the child did not exit normally.
template <typename Body>
int RunInChild(Body body) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) return 1000;
  if (child == 0) _exit(static_cast<unsigned char>(body()));
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return 1000;
  return WIFEXITED(status) ? static_cast<signed char>(WEXITSTATUS(status)) : 1000;
}

// In a child: no file may grow past bytes, and a write that would fails with EFBIG instead of
// ending the process with SIGXFSZ.
inline void LimitFileSize(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = {bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}
#endif

#endif
