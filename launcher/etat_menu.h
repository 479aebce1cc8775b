// The toolbar's menu model and the tables of added content.
#pragma once

namespace quorva {

struct etat_menu {};

}  // namespace quorva
