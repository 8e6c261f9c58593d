// Bank names and short numbers accepted by "bankCode" select columns.
#pragma once

#include <string_view>

namespace maltrove {

// The stored bank code for a bank name or number typed by the user
// ("국민은행" and "4" both give "04"). The whole text must match exactly,
// letter case included; any other text comes back as it is.
std::string_view BankCodeFor(std::string_view input);

}  // namespace maltrove
