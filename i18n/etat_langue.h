// The language choice and the translated targets of the menu entries.
#pragma once

namespace quorva {

struct etat_langue {};

}  // namespace quorva
