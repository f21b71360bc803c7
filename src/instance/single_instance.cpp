#include "instance/single_instance.h"

namespace instance {

void send_dde_command(client_link& link, const std::u16string& command) {
    link.set_link_mode(link_kind::none);
    link.set_link_topic(running_copy_topic);
    link.set_link_mode(link_kind::manual);
    link.link_execute(command);
    // The partner has answered; a short wait is enough to say goodbye.
    const int saved = link.link_timeout();
    link.set_link_timeout(1);
    link.set_link_mode(link_kind::none);
    link.set_link_timeout(saved);
}

void link_execute(platform::form& window, platform::control& formula, const std::u16string& command, int& cancel) {
    if (command == showme_command) {
        const platform::twips_rect r = window.rect();
        window.move({400, 300, r.width, r.height});
        window.set_state(platform::window_state::normal);
        window.show();
        formula.set_focus();
    }
    cancel = 0;
}

}  // namespace instance
