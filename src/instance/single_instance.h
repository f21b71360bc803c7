// Only one copy of the program runs. A copy started while another runs asks that copy
// to show itself and ends; the running copy serves the request.
#pragma once

#include <string>

#include "instance/client_link.h"
#include "platform/forms.h"

namespace instance {

// The topic every main window serves, under its own executable's name.
inline constexpr char link_topic[] = "FormDDE";
// What a second copy addresses, whatever its own executable is called.
inline constexpr char16_t running_copy_topic[] = u"tallix|FormDDE";
inline constexpr char16_t showme_command[] = u"showme";

// Opens a conversation with the running copy on the link, executes the command and
// closes the conversation again, leaving the link's time-out as it found it. Failures
// propagate.
void send_dde_command(client_link& link, const std::u16string& command);

// The running copy's answer to a command: exactly "showme" brings the window to 400/300
// twips in its normal state, shown and in front, with the focus in the formula box. Any
// other text changes nothing. Every command is accepted (cancel 0).
void link_execute(platform::form& window, platform::control& formula, const std::u16string& command, int& cancel);

}  // namespace instance
