/* Drives KWin's own seat pointer through its fake-input Wayland protocol.
 *
 * Reads one command a line on standard input and answers each with "ok" (or "error ..."),
 * once KWin has handled it:
 *   move DX DY         relative motion, as a mouse moves the pointer
 *   press BUTTON       BUTTON is an evdev code: 272 left, 273 right
 *   release BUTTON
 * One connection for the whole test: KWin makes a fake device for each client, and a
 * press and its release must come from the same one. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fake_input;

static void global_added(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1);
}

static void global_removed(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "seat_kwin: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!fake_input) {
        fprintf(stderr, "seat_kwin: the compositor offers no org_kde_kwin_fake_input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "tallix end-to-end tests", "moves the pointer as a mouse would");
    if (wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "seat_kwin: the compositor closed the connection\n");
        return 1;
    }
    printf("ready\n");
    fflush(stdout);

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        char command[16];
        double dx, dy;
        unsigned button;
        if (sscanf(line, "move %lf %lf", &dx, &dy) == 2)
            org_kde_kwin_fake_input_pointer_motion(fake_input, wl_fixed_from_double(dx), wl_fixed_from_double(dy));
        else if (sscanf(line, "%15s %u", command, &button) == 2 && strcmp(command, "press") == 0)
            org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_PRESSED);
        else if (sscanf(line, "%15s %u", command, &button) == 2 && strcmp(command, "release") == 0)
            org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_RELEASED);
        else {
            line[strcspn(line, "\n")] = 0;
            printf("error %s: unknown command\n", line);
            fflush(stdout);
            continue;
        }
        /* KWin handles a client's requests in order on its main thread: once the reply to
         * the roundtrip's sync is back, the motion or button has gone through its input
         * pipeline. */
        if (wl_display_roundtrip(display) < 0) {
            printf("error the compositor closed the connection\n");
            return 1;
        }
        printf("ok\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
