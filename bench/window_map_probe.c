// Starts a program and reports, from the X server's events, when its windows are mapped: the
// first one (the splash screen) since the start, and the next one (the main window) since the
// first was unmapped. After IDLE seconds more it reports the program's resident memory and ends it.
//   window_map_probe IDLE_S TIMEOUT_S PROGRAM ARGS...
// Prints "splash_mapped_ms N", "main_mapped_after_handover_ms N", "rss_kib N".
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

static long ResidentKib(pid_t pid) {
  char path[64], line[256];
  long kib = -1;
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* file = fopen(path, "r");
  if (!file) return -1;
  while (fgets(line, sizeof line, file)) {
    if (strncmp(line, "VmRSS:", 6) == 0) kib = strtol(line + 6, NULL, 10);
  }
  fclose(file);
  return kib;
}

// Waits for the next event until `deadline`; 0 when the time ran out.
static int NextEvent(Display* display, XEvent* event, double deadline) {
  while (!XPending(display)) {
    const double left = deadline - Now();
    if (left <= 0) return 0;
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    struct timeval wait = {(time_t)left, (suseconds_t)((left - (double)(time_t)left) * 1e6)};
    select(ConnectionNumber(display) + 1, &fds, NULL, NULL, &wait);
  }
  XNextEvent(display, event);
  return 1;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: %s IDLE_S TIMEOUT_S PROGRAM ARGS...\n", argv[0]);
    return 2;
  }
  const double idle = atof(argv[1]), timeout = atof(argv[2]);
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "window_map_probe: cannot open the display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  Window splash = 0;
  double handover = 0;
  int status = 1;
  const double deadline = start + timeout;
  XEvent event;
  while (NextEvent(display, &event, deadline)) {
    if (event.type == MapNotify && splash == 0) {
      splash = event.xmap.window;
      printf("splash_mapped_ms %.1f\n", (Now() - start) * 1e3);
    } else if (event.type == UnmapNotify && event.xunmap.window == splash && handover == 0) {
      handover = Now();
    } else if (event.type == MapNotify && handover != 0 && event.xmap.window != splash) {
      printf("main_mapped_after_handover_ms %.1f\n", (Now() - handover) * 1e3);
      status = 0;
      break;
    }
  }
  if (status == 0) {
    const double settled = Now() + idle;
    while (NextEvent(display, &event, settled)) {
    }
    printf("rss_kib %ld\n", ResidentKib(child));
  } else {
    fprintf(stderr, "window_map_probe: no splash and main window within %.0f s\n", timeout);
  }
  fflush(stdout);
  kill(child, SIGTERM);
  waitpid(child, NULL, 0);
  return status;
}
