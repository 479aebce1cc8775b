// The practical-work section windows' bookkeeping.
#pragma once

namespace quorva {

struct etat_sections {};

}  // namespace quorva
