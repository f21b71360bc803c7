#include "instance/single_instance.h"

#include "platform/text.h"

namespace instance {

void send_dde_command(client_link& link, const std::u16string& command, const std::string& application) {
    link.set_link_mode(link_kind::none);
    link.set_link_topic(platform::to_u16(application + "|" + link_topic));
    link.set_link_mode(link_kind::manual);
    link.link_execute(command);
    // The partner has answered; a short wait is enough to say goodbye.
    const int saved = link.link_timeout();
    link.set_link_timeout(1);
    link.set_link_mode(link_kind::none);
    link.set_link_timeout(saved);
}

void link_execute(platform::form& window, platform::control& formula, const platform::twips_rect& primary,
                  const std::u16string& command, int& cancel, std::int64_t now_ms,
                  std::optional<std::int64_t>& last_showme_ms) {
    cancel = 0;
    if (command != showme_command) return;
    if (last_showme_ms && now_ms - *last_showme_ms < showme_interval_ms) return;
    last_showme_ms = now_ms;
    const platform::twips_rect r = window.rect();
    window.move({primary.left + 400, primary.top + 300, r.width, r.height});
    window.set_state(platform::window_state::normal);
    window.show();
    formula.set_focus();
}

}  // namespace instance
