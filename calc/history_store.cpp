#include "calc/history_store.h"

#include <utility>

void history_store::add(std::string expression, std::string answer) {
    entries_.push_front({std::move(expression), std::move(answer)});
    if (entries_.size() > HISTORY_LIMIT)
        entries_.pop_back();
}

bool history_store::erase(std::size_t index) {
    if (index >= entries_.size())
        return false;
    entries_.erase(entries_.begin() + static_cast<container::difference_type>(index));
    return true;
}

void history_store::clear() { entries_.clear(); }
