// What both platform layers share about folder listings: how a text of masks
// is split, and the order in which names are given back.
#pragma once

#include <string>
#include <vector>

namespace quorva {

// "*.doc; *.rtf" -> {"*.doc", "*.rtf"}: ";" separates, blanks are dropped.
std::vector<std::string> decouper_masques(const std::string& masques);

// Letters without regard to case, then bytes; each name once.
void trier_noms(std::vector<std::string>& noms);

}  // namespace quorva
