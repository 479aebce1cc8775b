// Where Audacity lives, and what the export watcher knows.
#pragma once

namespace quorva {

struct etat_audacity {};

}  // namespace quorva
