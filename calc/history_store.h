#pragma once
#include <cstddef>
#include <deque>
#include <string>

// The calculations kept for reuse: never more than this many.
inline constexpr std::size_t HISTORY_LIMIT = 50;

// One committed calculation: the expression as committed and the answer as
// it was displayed (grouping commas included).
struct history_entry {
    std::string expression;
    std::string answer;
    friend bool operator==(const history_entry&, const history_entry&) = default;
};

// The calculation history, newest first. The list shows it from the front;
// the history file is written from the back so that it reads oldest first.
class history_store {
public:
    using container = std::deque<history_entry>;
    using const_iterator = container::const_iterator;
    using const_reverse_iterator = container::const_reverse_iterator;

    // Puts the entry in front; the oldest entry goes when the limit is passed.
    void add(std::string expression, std::string answer);
    // Removes the entry at index (0 = newest). An index past the end (such as
    // a list's "no selection" turned unsigned) changes nothing and gives false.
    bool erase(std::size_t index);
    void clear();

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The entry at index from the front; the index must be below size().
    const history_entry& operator[](std::size_t index) const { return entries_[index]; }

    // Newest to oldest.
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    // Oldest to newest.
    const_reverse_iterator rbegin() const { return entries_.rbegin(); }
    const_reverse_iterator rend() const { return entries_.rend(); }

private:
    container entries_;
};
