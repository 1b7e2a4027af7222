#include "process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace pl_config::testing {

namespace {

void redirect(const char* path, int fd) {
  if (path[0] == '\0') return;
  if (path[0] == '-' && path[1] == '\0') {
    close(fd);
    return;
  }
  const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file < 0 || dup2(file, fd) < 0) _exit(127);
  close(file);
}

}  // namespace

pid_t start_process(const std::vector<std::string>& argv, const std::filesystem::path& dir,
                    const std::filesystem::path& out, const std::filesystem::path& err) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    redirect(out.c_str(), STDOUT_FILENO);
    redirect(err.c_str(), STDERR_FILENO);
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

int wait_process(pid_t pid, rusage* usage) {
  int status = 0;
  if (wait4(pid, &status, 0, usage) != pid) throw std::runtime_error("wait4 failed");
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace pl_config::testing
