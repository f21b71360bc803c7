// Only one copy of the program runs. A copy started while another runs asks that copy
// to show itself and ends; the running copy serves the request.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "instance/client_link.h"
#include "platform/forms.h"

namespace instance {

// The topic every main window serves, under its own executable's name.
inline constexpr char link_topic[] = "FormDDE";
inline constexpr char16_t showme_command[] = u"showme";
// Showme commands closer together than this are acknowledged but change nothing, so
// that a flood of them cannot keep the window and the window manager busy.
inline constexpr std::int64_t showme_interval_ms = 100;

// Opens a conversation with the copy of the program named `application` that runs (the
// topic application|FormDDE), executes the command and closes the conversation again,
// leaving the link's time-out as it found it. Failures propagate.
void send_dde_command(client_link& link, const std::u16string& command, const std::string& application);

// The running copy's answer to a command: exactly "showme" brings the window to 400/300
// twips from the top-left corner of the primary monitor (`primary`, in twips) in its
// normal state, shown and in front, with the focus in the formula box, at most once per
// showme_interval_ms (now_ms on the runtime's clock; last_showme_ms holds the time of the
// last one that acted). Any other text changes nothing. Every command is accepted
// (cancel 0).
void link_execute(platform::form& window, platform::control& formula, const platform::twips_rect& primary,
                  const std::u16string& command, int& cancel, std::int64_t now_ms,
                  std::optional<std::int64_t>& last_showme_ms);

}  // namespace instance
