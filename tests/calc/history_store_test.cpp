#include "calc/history_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> expressions_front_to_back(const history_store& store) {
    std::vector<std::string> result;
    for (const history_entry& entry : store)
        result.push_back(entry.expression);
    return result;
}

std::vector<std::string> expressions_back_to_front(const history_store& store) {
    std::vector<std::string> result;
    for (auto it = store.rbegin(); it != store.rend(); ++it)
        result.push_back(it->expression);
    return result;
}

history_store store_with(int count) {
    history_store store;
    for (int i = 1; i <= count; ++i)
        store.add(std::to_string(i), "=" + std::to_string(i));
    return store;
}

TEST(history_store, keeps_the_newest_entry_in_front) {
    history_store store;
    store.add("1+2", "3");
    store.add("3*4", "12");
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store[0], (history_entry{"3*4", "12"}));
    EXPECT_EQ(store[1], (history_entry{"1+2", "3"}));
    EXPECT_EQ(expressions_front_to_back(store), (std::vector<std::string>{"3*4", "1+2"}));
    EXPECT_EQ(expressions_back_to_front(store), (std::vector<std::string>{"1+2", "3*4"}));
}

TEST(history_store, keeps_answers_exactly_as_given) {
    history_store store;
    store.add("", "");
    store.add("1234", "1,234");
    EXPECT_EQ(store[0].answer, "1,234");
    EXPECT_EQ(store[1], (history_entry{"", ""}));
}

struct limit_case {
    int added;
    std::size_t kept;
    std::string newest;
    std::string oldest;
};

class history_limit_test : public testing::TestWithParam<limit_case> {};

TEST_P(history_limit_test, drops_the_oldest_beyond_fifty) {
    const history_store store = store_with(GetParam().added);
    ASSERT_EQ(store.size(), GetParam().kept);
    EXPECT_EQ(store[0].expression, GetParam().newest);
    EXPECT_EQ(store[store.size() - 1].expression, GetParam().oldest);
    EXPECT_EQ(store[store.size() - 1].answer, "=" + GetParam().oldest);
}

INSTANTIATE_TEST_SUITE_P(counts, history_limit_test,
                         testing::Values(limit_case{1, 1, "1", "1"}, limit_case{49, 49, "49", "1"},
                                         limit_case{50, 50, "50", "1"}, limit_case{51, 50, "51", "2"},
                                         limit_case{60, 50, "60", "11"}, limit_case{200, 50, "200", "151"}));

struct erase_case {
    std::size_t index;
    bool erased;
    std::vector<std::string> remaining;
};

class history_erase_test : public testing::TestWithParam<erase_case> {};

TEST_P(history_erase_test, removes_the_entry_counted_from_the_newest) {
    history_store store = store_with(4); // front to back: 4 3 2 1
    EXPECT_EQ(store.erase(GetParam().index), GetParam().erased);
    EXPECT_EQ(expressions_front_to_back(store), GetParam().remaining);
}

INSTANTIATE_TEST_SUITE_P(
    indexes, history_erase_test,
    testing::Values(erase_case{0, true, {"3", "2", "1"}}, erase_case{1, true, {"4", "2", "1"}},
                    erase_case{3, true, {"4", "3", "2"}},
                    // Past the end, or a list's -1 "no selection": nothing happens.
                    erase_case{4, false, {"4", "3", "2", "1"}},
                    erase_case{static_cast<std::size_t>(-1), false, {"4", "3", "2", "1"}}));

TEST(history_store, clear_empties_it_and_it_fills_again) {
    history_store store = store_with(10);
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.begin(), store.end());
    EXPECT_FALSE(store.erase(0));
    store.add("7", "7");
    EXPECT_EQ(expressions_front_to_back(store), (std::vector<std::string>{"7"}));
}

} // namespace
