// A busy flag held for the length of one piece of work, errors included:
// the conversion from the menu and the export watcher share one sample
// buffer, and neither may start while the other holds it.
#pragma once

namespace quorva {

class occupation {
public:
    explicit occupation(bool& drapeau) : drapeau_(drapeau), avant_(drapeau) { drapeau_ = true; }
    ~occupation() { drapeau_ = avant_; }
    occupation(const occupation&) = delete;
    occupation& operator=(const occupation&) = delete;

private:
    bool& drapeau_;
    bool avant_;
};

}  // namespace quorva
