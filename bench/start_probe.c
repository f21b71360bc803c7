/* Times a program's start on an X display: from just before its exec to the first window
 * mapped on the display, and optionally to the first line on its standard error that
 * holds a given text; then reads its peak resident memory and kills it, so that nothing
 * it would do when closed (a save) is counted.
 *
 *   start_probe [--until TEXT] [--timeout SECONDS] -- PROGRAM [ARGUMENT]...
 *
 * Prints one line: map_ms=... until_ms=... peak_rss_mb=...; exits 1 on a timeout.
 * Used by tools/start_bench.sh. */
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

/* VmHWM of /proc/<pid>/status in megabytes, or -1. */
static double peak_rss_mb(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f) return -1;
    char line[256];
    double kb = -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0) kb = strtod(line + 6, NULL);
    fclose(f);
    return kb < 0 ? -1 : kb / 1024.0;
}

int main(int argc, char** argv) {
    const char* until = NULL;
    double timeout_s = 120;
    int i = 1;
    for (; i < argc && strcmp(argv[i], "--") != 0; ++i) {
        if (strcmp(argv[i], "--until") == 0 && i + 1 < argc) until = argv[++i];
        else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) timeout_s = atof(argv[++i]);
    }
    if (i + 1 >= argc) {
        fprintf(stderr, "usage: start_probe [--until TEXT] [--timeout SECONDS] -- PROGRAM [ARGUMENT]...\n");
        return 2;
    }
    char** command = argv + i + 1;

    xcb_connection_t* x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "start_probe: no X display\n");
        return 2;
    }
    /* Every top-level window of every screen: without a window manager the program's own
     * windows are the root's children. */
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(xcb_get_setup(x)); s.rem; xcb_screen_next(&s)) {
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x, s.data->root, XCB_CW_EVENT_MASK, &mask);
    }
    xcb_flush(x);

    int err[2];
    if (pipe(err) != 0) return 2;
    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        dup2(err[1], 2);
        close(err[0]);
        close(err[1]);
        execvp(command[0], command);
        _exit(127);
    }
    close(err[1]);

    double map_ms = -1, until_ms = -1;
    char buffer[4096];
    size_t held = 0;
    int err_open = 1;
    while (now_ms() - start < timeout_s * 1000) {
        if (map_ms >= 0 && (!until || until_ms >= 0)) break;
        struct pollfd fds[2] = {{xcb_get_file_descriptor(x), POLLIN, 0}, {err[0], POLLIN, 0}};
        if (poll(fds, err_open ? 2 : 1, 100) < 0 && errno != EINTR) break;
        xcb_generic_event_t* e;
        while ((e = xcb_poll_for_event(x))) {
            if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY && map_ms < 0) map_ms = now_ms() - start;
            free(e);
        }
        if (err_open && (fds[1].revents & (POLLIN | POLLHUP))) {
            const ssize_t n = read(err[0], buffer + held, sizeof buffer - 1 - held);
            if (n <= 0) {
                err_open = 0;
                continue;
            }
            held += (size_t)n;
            buffer[held] = '\0';
            if (until && until_ms < 0 && strstr(buffer, until)) until_ms = now_ms() - start;
            /* Keep the unfinished last line only. */
            char* last = strrchr(buffer, '\n');
            if (last) {
                held = strlen(last + 1);
                memmove(buffer, last + 1, held + 1);
            } else if (held == sizeof buffer - 1) {
                held = 0;
            }
        }
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(stderr, "start_probe: the program ended early\n");
            return 1;
        }
    }
    const double rss = peak_rss_mb(child);
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    printf("map_ms=%.1f until_ms=%.1f peak_rss_mb=%.1f\n", map_ms, until ? until_ms : map_ms, rss);
    return map_ms >= 0 && (!until || until_ms >= 0) ? 0 : 1;
}
