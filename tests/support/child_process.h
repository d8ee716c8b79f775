#pragma once

// Runs a piece of a test in a forked child, for what the test process itself must not do: drop
// root, mount in a private namespace, lower its own limits.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace hvt {

// What `body` returned in the child, or a line saying how the child ended otherwise.
inline std::string RunInChild(const std::function<std::string()>& body) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    ::close(pipeFds[0]);
    const std::string answer = body();
    std::size_t sent = 0;
    while (sent < answer.size()) {
      const ssize_t n = ::write(pipeFds[1], answer.data() + sent, answer.size() - sent);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string answer;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
    answer.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return "child ended abnormally: " + std::to_string(status);
  return answer;
}

// Drops root for good: the permission checks then apply as to any user. False when it could not.
inline bool BecomeNobody() {
  constexpr uid_t kNobody = 65534;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace hvt
