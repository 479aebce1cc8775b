// Models: the straight-line fit of the energy trend. The caller clears the
// list of points, adds text items "x#y" (reals with the system's decimal
// separator) and asks for the fit: slope and intercept are the means of the
// pairwise slopes and intercepts, the error the mean perpendicular distance
// of the points to the line.
#pragma once

#include <string>
#include <vector>

namespace quorva {

struct ajustement {
    bool fait = false;  // false with fewer than two points: no line
    long double pente = 0;
    long double ordonnee = 0;
    long double erreur = 0;
};

class Models {
public:
    explicit Models(char separateur = '.') : separateur_(separateur) {}

    void clear() { items_.clear(); }
    void add(std::string item) { items_.push_back(std::move(item)); }
    int count() const { return static_cast<int>(items_.size()); }
    // Item i (0-based); an index beyond the end reads the last item.
    const std::string& item(int i) const;
    // x and y of item i, split at its first "#". Throws erreur_quorva when a
    // part is not a number.
    void point(int i, long double& x, long double& y) const;

    // The fit over all items: pair by pair (quadratic in their number), or,
    // beyond 1070 evenly spaced points, with the pairs grouped by distance
    // (linear).
    ajustement fit() const;

private:
    char separateur_;
    std::vector<std::string> items_;
};

}  // namespace quorva
