// The input windows' working lists without a window: entities stored and removed by key.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/working_list.h"

namespace {

struct CKeyed {
    std::string m_pKey;
};

}  // namespace

TEST(WorkingList, StoreTestsKeysBothWays)
{
    std::vector<CKeyed> list = {{"ab"}, {"cd"}};
    EXPECT_EQ(StoreEntity(list, CKeyed{"0.000.00"}, -1, "0.000.00", 2), EStoreResult::Ignored);
    EXPECT_EQ(StoreEntity(list, CKeyed{"xy"}, -1, "cd", 2), EStoreResult::Duplicate);
    EXPECT_EQ(StoreEntity(list, CKeyed{"cd"}, 1, "zz", 2), EStoreResult::Replaced);
    EXPECT_EQ(StoreEntity(list, CKeyed{"ef"}, -1, "fe", 2), EStoreResult::Appended);
    EXPECT_TRUE(RemoveEntity(list, 0));
    EXPECT_FALSE(RemoveEntity(list, 2));
    EXPECT_EQ(list.front().m_pKey, std::string("cd"));
}
